// One file being played in the player window, without the toolkit: the
// player model, its sound through the audio output, and the screen that
// follows the sector being heard.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/player_audio.h"
#include "app/player_text.h"
#include "player/audio_output.h"
#include "player/cdg_player.h"

namespace orvane {

class PlayerSession {
  public:
    PlayerSession() = default;
    PlayerSession(const PlayerSession&) = delete;
    PlayerSession& operator=(const PlayerSession&) = delete;
    ~PlayerSession();

    // Opens an image or a .cdg (with the sound file beside it), paused at
    // the start. On failure nothing is open and the error says why.
    PlayerError Open(const std::string& path);

    const PlayerNotes& notes() const { return notes_; }
    std::uint64_t totalSectors() const { return player_.sectorCount(); }
    // The sector being heard (the screen shows the packets before it).
    std::uint64_t position() const;
    bool playing() const { return output_.Playing(); }

    void PlayPause();
    void Seek(std::uint64_t sectors);

    // Moves the screen to the sector being heard; stops at the end and on a
    // read error (noted for the status line). True when the screen to show
    // changed since the last call.
    bool Follow();
    const CdgScreen& screen() const { return shown_; }

  private:
    void Stop(const std::string& readError);

    CdgPlayer player_;
    std::unique_ptr<PlayerAudio> audio_;
    AudioOutput output_;
    std::unique_ptr<ScreenCursor> cursor_;
    CdgScreen shown_;
    bool shownOnce_ = false;
    PlayerNotes notes_;
};

}  // namespace orvane
