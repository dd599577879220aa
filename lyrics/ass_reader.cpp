#include "lyrics/ass_reader.h"

#include <ass/ass.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdarg>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "lyrics/ass_karaoke.h"
#include "lyrics/lyrics_words.h"

namespace orvane {

namespace {

using Ms = std::int64_t;

// Longer than any song: times beyond it are not meant (and not summed).
constexpr Ms kLatestMs = 100LL * 3600 * 1000;
constexpr double kScreenWidth = 288, kScreenHeight = 192;

// libass reports to stderr unless told otherwise; a reader says what matters
// in its result instead.
void Quiet(int, const char*, va_list, void*) {}

struct LibraryDone {
    void operator()(ASS_Library* library) const { ass_library_done(library); }
};
struct TrackDone {
    void operator()(ASS_Track* track) const { ass_free_track(track); }
};

std::string_view SkipBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    return s;
}

bool StartsNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(s[i])) != prefix[i]) return false;
    }
    return true;
}

enum class Section { None, Info, Styles, Events, Fonts };

// What libass keeps to itself: the line each Dialogue came from (for the
// timing window and for messages), and the song's names in [Script Info].
struct DialogueLine {
    int number = 0;  // 1-based
    std::string_view text;
};
struct ScriptLines {
    std::vector<DialogueLine> dialogues;  // in the order libass reads them
    std::string title, artist, album, author;
};

// Follows the sections as libass does: a header switches the section by its
// start (case ignored), other lines belong to the section before them.
ScriptLines ScanLines(std::string_view text) {
    ScriptLines found;
    Section section = Section::None;
    int number = 1;
    for (std::size_t at = 0; at <= text.size(); ++number) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = SkipBlanks(text.substr(at, end - at));
        at = end + 1;
        auto value = [line](std::size_t from) {
            return std::string(SkipBlanks(line.substr(from)));
        };
        if (StartsNoCase(line, "[script info]")) {
            section = Section::Info;
        } else if (StartsNoCase(line, "[v4 styles]") || StartsNoCase(line, "[v4+ styles]")) {
            section = Section::Styles;
        } else if (StartsNoCase(line, "[events]")) {
            section = Section::Events;
        } else if (StartsNoCase(line, "[fonts]")) {
            section = Section::Fonts;
        } else if (section == Section::Events && line.substr(0, 9) == "Dialogue:") {
            found.dialogues.push_back({number, line});
        } else if (section == Section::Info) {
            if (line.substr(0, 6) == "Title:") found.title = value(6);
            if (line.substr(0, 7) == "Artist:") found.artist = value(7);
            if (line.substr(0, 6) == "Album:") found.album = value(6);
            if (line.substr(0, 16) == "Original Script:") found.author = value(16);
        }
    }
    return found;
}

std::string_view TrimEnd(std::string_view s) {
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// The line an event came from. libass leaves out Dialogue lines it cannot
// read; the text of those it keeps ends their line (but for trailing
// blanks). 0 when none of the next few does (the search stays bounded
// whatever the script), and the search goes on from where it was.
int SourceLine(const std::vector<DialogueLine>& dialogues, std::size_t& next, const char* text) {
    const std::string_view wanted = TrimEnd(text);
    const std::size_t last = std::min(dialogues.size(), next + 256);
    for (std::size_t i = next; i < last; ++i) {
        if (TrimEnd(dialogues[i].text).ends_with(wanted)) {
            next = i + 1;
            return dialogues[i].number;
        }
    }
    return 0;
}

// The script's coordinates: PlayResX x PlayResY, completed as libass does
// when one or both are missing.
AssScale ScreenScale(const ASS_Track& track) {
    double x = track.PlayResX, y = track.PlayResY;
    if (x <= 0 && y <= 0) {
        x = 384;
        y = 288;
    } else if (y <= 0) {
        y = x == 1280 ? 1024 : std::max(1.0, std::floor(x * 3 / 4));
    } else if (x <= 0) {
        x = y == 1024 ? 1280 : std::max(1.0, std::floor(y * 4 / 3));
    }
    return {kScreenWidth / x, kScreenHeight / y};
}

LyricsColour Colour(std::uint32_t rgba) {
    return {static_cast<std::uint8_t>(rgba >> 24), static_cast<std::uint8_t>(rgba >> 16),
            static_cast<std::uint8_t>(rgba >> 8), static_cast<std::uint8_t>(rgba)};
}

LyricsStyle StyleOf(const ASS_Track& track, const ASS_Style& s, AssScale scale) {
    LyricsStyle style;
    style.font = s.FontName;
    style.size = s.FontSize * scale.y;
    style.bold = s.Bold != 0;
    style.sung = Colour(s.PrimaryColour);
    style.unsung = Colour(s.SecondaryColour);
    style.outline = Colour(s.OutlineColour);
    style.back = Colour(s.BackColour);
    // Without ScaledBorderAndShadow, borders are in pixels of the video: ours.
    const double border = track.ScaledBorderAndShadow ? scale.y : 1.0;
    style.outlineWidth = s.Outline * border;
    style.shadow = s.Shadow * border;
    style.alignment = NumpadAlignment(s.Alignment);
    style.marginLeft = static_cast<int>(std::lround(s.MarginL * scale.x));
    style.marginRight = static_cast<int>(std::lround(s.MarginR * scale.x));
    style.marginVertical = static_cast<int>(std::lround(s.MarginV * scale.y));
    return style;
}

// The style most lines use: the lyrics have one look, lines in another
// style keep only their alignment.
int MainStyle(const ASS_Track& track) {
    std::map<int, int> uses;
    for (int i = 0; i < track.n_events; ++i) ++uses[track.events[i].Style];
    int best = track.default_style;
    int most = 0;
    for (const auto& [style, count] : uses) {
        if (count > most) std::tie(best, most) = std::tie(style, count);
    }
    return std::clamp(best, 0, track.n_styles - 1);
}

LyricsReadResult ReadTrack(const ASS_Track& track, const ScriptLines& lines) {
    LyricsReadResult result;
    Lyrics& lyrics = result.lyrics;
    lyrics.title = lines.title;
    lyrics.artist = lines.artist;
    lyrics.album = lines.album;
    lyrics.author = lines.author;
    const AssScale scale = ScreenScale(track);
    const int main = MainStyle(track);
    lyrics.style = StyleOf(track, track.styles[main], scale);
    std::size_t dialogue = 0;  // the Dialogue line the next event came from
    // Karaoke drawn in layers (a border layer under the text) repeats each
    // event; the words are sung once.
    std::set<std::tuple<Ms, Ms, std::string_view>> seen;
    std::size_t syllables = 0;
    for (int i = 0; i < track.n_events; ++i) {
        const ASS_Event& event = track.events[i];
        if (!event.Text) continue;
        const int number = SourceLine(lines.dialogues, dialogue, event.Text);
        const Ms start = std::clamp<Ms>(event.Start, 0, kLatestMs);
        const Ms end =
            std::clamp<Ms>(event.Start + std::max(event.Duration, 0LL), start, kLatestMs);
        if (!seen.emplace(start, end, event.Text).second) continue;
        LyricsLine line;
        line.sourceLine = number;
        const int style = std::clamp(event.Style, 0, track.n_styles - 1);
        const int alignment = NumpadAlignment(track.styles[style].Alignment);
        if (alignment != lyrics.style.alignment) line.alignment = alignment;
        ReadKaraokeText(event.Text, start, end, scale, line);
        CloseLastWord(line);
        if (line.syllables.empty()) continue;
        syllables += line.syllables.size();
        if (syllables > kMaxLyricsSyllables)
            return LyricsRefusal(line.sourceLine,
                                 "This script holds more syllables than a song can.");
        lyrics.lines.push_back(std::move(line));
    }
    if (lyrics.lines.empty())
        return LyricsRefusal(0, "This script has no Dialogue lines with words.");
    std::stable_sort(
        lyrics.lines.begin(), lyrics.lines.end(),
        [](const LyricsLine& a, const LyricsLine& b) { return a.StartMs() < b.StartMs(); });
    result.ok = true;
    return result;
}

}  // namespace

LyricsReadResult ReadAss(std::string_view text) {
    const std::unique_ptr<ASS_Library, LibraryDone> library(ass_library_init());
    if (!library) return LyricsRefusal(0, "libass could not start.");
    ass_set_message_cb(library.get(), Quiet, nullptr);
    std::string buffer(text);  // libass takes a mutable buffer (and copies it)
    const std::unique_ptr<ASS_Track, TrackDone> track(
        ass_read_memory(library.get(), buffer.data(), buffer.size(), nullptr));
    if (!track)
        return LyricsRefusal(
            0, "This ASS script has no styles section ([V4+ Styles] or [V4 Styles]).");
    return ReadTrack(*track, ScanLines(text));
}

bool LooksLikeAss(std::string_view text) {
    for (std::size_t at = 0; at <= text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = SkipBlanks(text.substr(at, end - at));
        at = end + 1;
        for (const char* header : {"[script info]", "[v4+ styles]", "[v4 styles]", "[events]"}) {
            if (StartsNoCase(line, header)) return true;
        }
    }
    return false;
}

}  // namespace orvane
