// The Lyrics window's CD+G preview: the lyrics engine's own track for the
// lyrics as timed so far, made on a thread of its own whenever they change,
// and decoded by the player's decoder at the play position, so the preview
// is what a player will show.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "encoder/picture.h"
#include "encoder/subcode.h"
#include "lyrics/lyrics_model.h"
#include "player/cdg_decoder.h"

namespace orvane {

// The picture as a player shows it before any lyrics: the screen the
// preview starts from until a track is made.
CdgScreen PictureScreen(const Picture& picture);

class PreviewTrack {
  public:
    PreviewTrack();
    PreviewTrack(const PreviewTrack&) = delete;
    PreviewTrack& operator=(const PreviewTrack&) = delete;
    ~PreviewTrack();

    // Asks for the track of `lyrics` over `picture` for a recording of
    // `sectorCount` sectors. A build already running finishes first; of the
    // requests made meanwhile only the latest is built.
    void Request(const Picture& picture, const Lyrics& lyrics, std::int64_t sectorCount);
    // Waits until no build is running or asked for (for tests).
    void WaitUntilIdle();

    // The screen after the packets before `sector`, from the newest track
    // made (the picture while there is none). True when it differs from the
    // last one returned.
    bool ScreenAt(std::int64_t sector, CdgScreen& out);
    // Why the last build made no track ("" when it did).
    std::string Message();

  private:
    struct Job {
        Picture picture;
        Lyrics lyrics;
        std::int64_t sectorCount = 0;
    };
    void Run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Job> next_;
    bool building_ = false;
    bool stop_ = false;
    std::shared_ptr<const std::vector<SubcodeBlock>> ready_;
    std::string message_;
    CdgScreen start_;               // the picture, before the track's first packet
    std::uint64_t generation_ = 0;  // builds finished

    // The decoder's own state, on the window's thread.
    std::shared_ptr<const std::vector<SubcodeBlock>> shown_;
    std::uint64_t shownGeneration_ = 0;
    CdgDecoder decoder_;
    std::int64_t decoded_ = 0;  // sectors applied to decoder_
    CdgScreen last_;
    std::thread thread_;
};

}  // namespace orvane
