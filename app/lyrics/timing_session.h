// What the Lyrics window works on, without the toolkit: the recording and
// its slowed stream through the audio output, the lyrics and their marks,
// the CD+G preview, and saving. Marks are always song times: the clock says
// which byte of the (possibly slowed) stream is heard, the tempo mapping
// turns that into the song's time, and a key's age is taken off.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/lyrics/preview_track.h"
#include "app/lyrics/song_audio.h"
#include "lyrics/lyrics_writer.h"
#include "lyrics/tempo_stream.h"
#include "lyrics/timing_model.h"
#include "player/audio_output.h"

namespace orvane {

// The waveform's resolution.
inline constexpr int kPeakBlockMs = 10;

class TimingSession {
  public:
    TimingSession() = default;
    TimingSession(const TimingSession&) = delete;
    TimingSession& operator=(const TimingSession&) = delete;
    ~TimingSession();

    // Decodes the recording and opens the sound, paused at the start. ""
    // when it opened; the reason otherwise (the recording before stays).
    std::string OpenRecording(const std::string& path);
    bool HasRecording() const { return song_ != nullptr; }
    const std::string& RecordingPath() const { return recordingPath_; }
    std::int64_t LengthMs() const { return song_ ? song_->LengthMs() : 0; }
    const std::vector<std::uint16_t>& Peaks() const { return peaks_; }
    // Why there is no sound device ("" when there is one).
    const std::string& SoundNote() const { return soundNote_; }

    // A timed file (its marks), or a plain text to time. "" when it opened;
    // the refusal with its line otherwise (the lyrics before stay).
    std::string OpenLyrics(const std::string& path);
    void SetLyrics(const Lyrics& lyrics, bool timed, const std::string& path);
    const std::string& LyricsPath() const { return lyricsPath_; }
    TimingModel& Model() { return model_; }
    const TimingModel& Model() const { return model_; }

    bool Playing() const { return output_.Playing(); }
    void Play();
    void Pause();
    void SeekMs(std::int64_t songMs);
    // The song time heard now.
    std::int64_t NowMs() const;
    // One of kTimingSpeeds, kept across seeks and pauses.
    bool SetSpeed(int percent);
    int Speed() const { return percent_; }

    // Space and Enter: the mark at the song time heard when the key was
    // pressed, `ageMs` before now.
    bool Tap(std::uint32_t ageMs);
    bool EndLine(std::uint32_t ageMs);
    std::int64_t PressedAtMs(std::uint32_t ageMs) const;

    // Writes the lyrics as timed (the format by the extension); on success
    // they count as saved and `path` becomes the lyrics' path.
    LyricsSaveResult Save(const std::string& path);
    // Where Save writes without asking: the lyrics' own file when it is one
    // Save can write (.lrc, .ass); "" otherwise (a text, nothing opened).
    std::string SaveTarget() const;
    // The name the Save As chooser starts with: beside the lyrics (or the
    // recording), NAME.lrc.
    std::string SuggestedSaveName() const;

    // The preview over `picture`; PreviewScreen asks for a new track when
    // the marks changed since the last one (not while a mark is dragged).
    void SetPicture(const Picture& picture);
    bool PreviewScreen(CdgScreen& out);
    PreviewTrack& Preview() { return preview_; }

  private:
    void OpenOutput(std::uint64_t heardBytes, bool play);
    void RequestPreview();

    std::shared_ptr<const SongAudio> song_;
    std::string recordingPath_;
    std::vector<std::uint16_t> peaks_;
    std::unique_ptr<TempoStream> tempo_;
    AudioOutput output_;
    std::string soundNote_;
    int percent_ = 100;

    TimingModel model_;
    std::string lyricsPath_;

    Picture picture_{};
    PreviewTrack preview_;
    std::uint64_t previewRevision_ = ~0ull;
    // The times of the lines last sent to the preview: a tap that completes
    // no line changes none of them, and makes no new track.
    std::vector<std::int64_t> previewTimes_;
    bool previewStale_ = true;
};

}  // namespace orvane
