// The create form's lyrics options: --lyrics FILE, --title, --artist, --lead
// and --strict. The file is read before anything else is done, the track is
// made (and judged under --strict) before the output is created, so a
// refusal leaves nothing behind.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <optional>
#include <string>

#include "cli/cli_console.h"
#include "encoder/creation_job.h"
#include "lyrics/lyrics_model.h"

namespace orvane {

struct LyricsArguments {
    std::string file;  // empty: no lyrics
    std::optional<std::string> title, artist;
    double leadSeconds = 1.0;
    bool strict = false;
};

// Binds the options to `args`, which must outlive the parse and the run.
void AddLyricsOptions(CLI::App& app, LyricsArguments& args);

// Reads args.file: logs "Lyrics loaded: PATH (N lines, M words)", or prints
// the refusal with its line number and returns false.
bool LoadLyrics(const LyricsArguments& args, Lyrics& lyrics, CliConsole& console);

// Lays out and schedules the track over inputs.picture for the recording's
// length and puts it in inputs.lyrics; logs the layout's notes and the
// lateness line. False (a refusal already printed) when the lyrics cannot be
// laid out or, under --strict, a word is too late.
bool PrepareLyricsTrack(const LyricsArguments& args, const Lyrics& lyrics, JobInputs& inputs,
                        CliConsole& console);

}  // namespace orvane
