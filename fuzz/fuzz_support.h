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

// The fuzz input as a file on disk, for parsers that take a path. The file is
// made once per process (in $TMPDIR) and rewritten for every input.
std::string InputAsFile(const std::uint8_t* data, std::size_t size);

}  // namespace orvane::fuzz
