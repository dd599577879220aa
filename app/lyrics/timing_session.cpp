#include "app/lyrics/timing_session.h"

#include <algorithm>
#include <filesystem>

#include "app/lyrics/timing_keys.h"
#include "encoder/image_size.h"
#include "lyrics/lyrics_file.h"
#include "lyrics/screen_timeline.h"

namespace orvane {

TimingSession::~TimingSession() {
    output_.Close();  // before the stream it pulls from goes
}

std::string TimingSession::OpenRecording(const std::string& path) {
    SongLoad load = LoadSong(path);
    if (!load.song) return load.reason;
    output_.Close();
    song_ = std::move(load.song);
    recordingPath_ = path;
    peaks_ = song_->Peaks(kPeakBlockMs);
    const std::shared_ptr<const SongAudio> song = song_;
    tempo_ = std::make_unique<TempoStream>(
        [song](std::uint64_t offset, std::uint8_t* out, std::size_t bytes) {
            return song->Read(offset, out, bytes);
        },
        song_->Bytes());
    tempo_->SetSpeed(percent_);
    OpenOutput(0, false);
    previewStale_ = true;
    return {};
}

void TimingSession::OpenOutput(std::uint64_t heardBytes, bool play) {
    output_.Close();
    TempoStream* tempo = tempo_.get();
    const AudioOpenResult opened = output_.Open(
        tempo->Length(), [tempo](std::uint64_t offset, std::uint8_t* out, std::size_t bytes) {
            return tempo->Read(offset, out, bytes);
        });
    soundNote_ = opened.message;
    output_.Seek(heardBytes);
    if (play) output_.Play();
}

std::string TimingSession::OpenLyrics(const std::string& path) {
    const TimingSource source = ReadTimingSource(path);
    if (!source.read.ok) return DescribeLyricsRefusal(path, source.read);
    SetLyrics(source.read.lyrics, source.timed, path);
    return {};
}

void TimingSession::SetLyrics(const Lyrics& lyrics, bool timed, const std::string& path) {
    model_ = TimingModel(lyrics, timed);
    lyricsPath_ = path;
    previewStale_ = true;
}

void TimingSession::Play() {
    if (tempo_) output_.Play();
}

void TimingSession::Pause() {
    output_.Pause();
}

void TimingSession::SeekMs(std::int64_t songMs) {
    if (!tempo_) return;
    output_.Seek(SongMsToHeardBytes(std::clamp<std::int64_t>(songMs, 0, LengthMs()), percent_));
}

std::int64_t TimingSession::NowMs() const {
    return tempo_ ? HeardBytesToSongMs(output_.PositionBytes(), percent_) : 0;
}

// The device is opened again for the new stream's length, at the same song
// time, playing if it was.
bool TimingSession::SetSpeed(int percent) {
    if (percent == percent_) return true;
    if (!tempo_) {
        percent_ = percent;
        return true;
    }
    const std::int64_t now = NowMs();
    const bool playing = Playing();
    output_.Close();
    if (!tempo_->SetSpeed(percent)) {
        OpenOutput(SongMsToHeardBytes(now, percent_), playing);
        return false;
    }
    percent_ = percent;
    OpenOutput(SongMsToHeardBytes(now, percent_), playing);
    return true;
}

// The clock is asked where it stood when the key went down: the sound heard
// then, in the (possibly slowed) stream, mapped back to song time.
std::int64_t TimingSession::PressedAtMs(std::uint32_t ageMs) const {
    if (!tempo_) return 0;
    const auto pressed = AudioClock::Clock::now() - std::chrono::milliseconds(ageMs);
    return HeardBytesToSongMs(output_.PositionBytesAt(pressed), percent_);
}

bool TimingSession::Tap(std::uint32_t ageMs) {
    return model_.Tap(PressedAtMs(ageMs));
}

bool TimingSession::EndLine(std::uint32_t ageMs) {
    return model_.EndLine(PressedAtMs(ageMs));
}

LyricsSaveResult TimingSession::Save(const std::string& path) {
    const ToLyricsResult timed = model_.ToLyrics();
    if (!timed.ok) return {false, timed.reason};
    LyricsSaveResult saved = SaveLyrics(path, timed.lyrics);
    if (saved.ok) {
        model_.MarkSaved();
        lyricsPath_ = path;
    }
    return saved;
}

std::string TimingSession::SaveTarget() const {
    return SaveFormatFor(lyricsPath_) ? lyricsPath_ : std::string();
}

std::string TimingSession::SuggestedSaveName() const {
    const std::string& base = !lyricsPath_.empty() ? lyricsPath_ : recordingPath_;
    if (base.empty()) return "lyrics.lrc";
    return std::filesystem::path(base).replace_extension(".lrc").string();
}

void TimingSession::SetPicture(const Picture& picture) {
    picture_ = picture;
    previewStale_ = true;
}

void TimingSession::RequestPreview() {
    previewRevision_ = model_.Revision();
    const Lyrics timed = model_.TimedLines();
    std::vector<std::int64_t> times;
    for (const LyricsLine& line : timed.lines) {
        times.push_back(-1);  // where a line starts
        for (const Syllable& s : line.syllables) times.insert(times.end(), {s.startMs, s.endMs});
    }
    if (!previewStale_ && times == previewTimes_) return;
    previewTimes_ = std::move(times);
    previewStale_ = false;
    preview_.Request(picture_, timed,
                     SectorCount(static_cast<std::int64_t>(song_ ? song_->Bytes() : 0)));
}

bool TimingSession::PreviewScreen(CdgScreen& out) {
    if ((previewStale_ || previewRevision_ != model_.Revision()) && !model_.Dragging())
        RequestPreview();
    return preview_.ScreenAt(NowMs() * kSectorsPerSecond / 1000, out);
}

}  // namespace orvane
