#include "app/lyrics_choice.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "app/activity_log.h"
#include "encoder/image_size.h"
#include "lyrics/lyrics_file.h"
#include "lyrics/lyrics_track.h"

namespace orvane {

std::string TimeLyricsQuestion(const std::string& path) {
    return path + " has no times.\n\nTime it in the Lyrics window?";
}

bool IsLyricsFileName(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".lrc" || extension == ".ass" || extension == ".ssa" || extension == ".txt";
}

void LyricsChoice::OnAddLyrics() {
    const FileChoice choice =
        effects_.ChooseFile(true, kLyricsChooserTitle, kLyricsChooserFilter, "lrc");
    if (choice.chosen) TakeLyricsFile(choice.path);
}

void LyricsChoice::TakeLyricsFile(const std::string& path) {
    const TimingSource source = ReadTimingSource(path);
    if (!source.read.ok) {
        effects_.ShowBox(DescribeLyricsRefusal(path, source.read), BoxIcon::Error);
        return;
    }
    if (!source.timed) {
        if (lyricsEffects_.Ask(TimeLyricsQuestion(path))) lyricsEffects_.OpenTimingWindow(path);
        return;
    }
    TakeLyrics(source.read.lyrics, path);
}

void LyricsChoice::TakeLyrics(const Lyrics& lyrics, const std::string& path) {
    model_.lyrics = std::make_shared<const Lyrics>(lyrics);
    model_.lyricsPath = path;
    AddLogLine(effects_, LyricsLoadedLine(path, lyrics));
}

void LyricsChoice::OnRemoveLyrics() {
    if (!model_.lyrics) return;
    AddLogLine(effects_, "Lyrics removed: " + model_.lyricsPath);
    model_.lyrics.reset();
    model_.lyricsPath.clear();
}

}  // namespace orvane

namespace orvane {

bool LyricsChoice::PrepareTrack(JobInputs& inputs) {
    if (!model_.lyrics) return true;
    const LyricsTrack track = MakeLyricsTrack(inputs.picture, *model_.lyrics, LayoutOptions{},
                                              SectorCount(inputs.audioByteCount));
    for (const std::string& note : track.notes) AddLogLine(effects_, note);
    if (!track.ok) {
        effects_.ShowBox(track.message, BoxIcon::Error);
        AddLogLine(effects_, track.message);
        return false;
    }
    AddLogLine(effects_, LatenessLine(track.lateness));
    inputs.lyrics = track.stream;
    return true;
}

}  // namespace orvane
