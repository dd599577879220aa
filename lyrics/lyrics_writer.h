// Saving timed lyrics: the format follows the file's extension (.lrc:
// enhanced LRC, .ass: ASS with karaoke tags), and the file is written
// whole or not at all (a temporary file renamed over the target).
#pragma once

#include <optional>
#include <string>

#include "lyrics/lyrics_model.h"

namespace orvane {

enum class LyricsSaveFormat { Lrc, Ass };

// The format a path's extension asks for (case ignored); none for others.
std::optional<LyricsSaveFormat> SaveFormatFor(const std::string& path);

struct LyricsSaveResult {
    bool ok = false;
    std::string message;  // a whole sentence, ready to show
};

// Writes `lyrics` to `path`, replacing a file there.
LyricsSaveResult SaveLyrics(const std::string& path, const Lyrics& lyrics);

}  // namespace orvane
