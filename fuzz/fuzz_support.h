// What every fuzz target shares: its seed corpus, made by code, and the entry
// point libFuzzer (or the replay program) calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Defined by each target's NAME_seeds.cpp: small inputs that reach every
// branch of the parser's happy path, so the fuzzer starts from valid files.
std::vector<std::string> FuzzSeeds();

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace orvane::fuzz {

// Writes each seed as DIR/seed-NNN. False when a file cannot be written.
bool WriteSeeds(const std::string& dir);

// Little-endian fields into a seed being built; `at` must lie inside it.
void PutLE16(std::string& bytes, std::size_t at, unsigned value);
void PutLE32(std::string& bytes, std::size_t at, unsigned value);

// The file ffmpeg makes from the lavfi source `source` with the output
// options `args`, named `name` (its extension chooses the container); empty
// when ffmpeg fails. Seeds of real formats, made by the real tool.
std::string MadeByFfmpeg(const std::string& source, const std::string& args,
                         const std::string& name);

// The fuzz input as a file on disk, for parsers that take a path. The file is
// made once per process (in $TMPDIR) and rewritten for every input.
std::string InputAsFile(const std::uint8_t* data, std::size_t size);

}  // namespace orvane::fuzz
