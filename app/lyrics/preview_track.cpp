#include "app/lyrics/preview_track.h"

#include "lyrics/lyrics_track.h"

namespace orvane {

CdgScreen PictureScreen(const Picture& picture) {
    CdgScreen screen;
    for (std::size_t i = 0; i < kPaletteEntries; ++i) {
        const PaletteEntry& entry = picture.palette[i];
        screen.colours[i] = static_cast<std::uint16_t>((entry.red >> 4) << 8 |
                                                       (entry.green >> 4) << 4 | entry.blue >> 4);
    }
    for (int y = 0; y < kPictureHeight; ++y) {
        for (int x = 0; x < kPictureWidth; ++x) {
            screen.memory[static_cast<std::size_t>(y + kCdgVisibleTop) * kCdgWidth + x +
                          kCdgVisibleLeft] = PixelAt(picture, x, y);
        }
    }
    return screen;
}

PreviewTrack::PreviewTrack() : thread_([this] { Run(); }) {}

PreviewTrack::~PreviewTrack() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void PreviewTrack::Request(const Picture& picture, const Lyrics& lyrics, std::int64_t sectorCount) {
    {
        std::lock_guard lock(mutex_);
        next_ = Job{picture, lyrics, sectorCount};
    }
    wake_.notify_all();
}

void PreviewTrack::WaitUntilIdle() {
    std::unique_lock lock(mutex_);
    wake_.wait(lock, [this] { return !next_ && !building_; });
}

std::string PreviewTrack::Message() {
    std::lock_guard lock(mutex_);
    return message_;
}

void PreviewTrack::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || next_; });
        if (stop_) return;
        const Job job = std::move(*next_);
        next_.reset();
        building_ = true;
        lock.unlock();
        // Lines not fully timed yet are left out by the caller; no lines
        // at all is the picture alone.
        LyricsTrack track;
        if (!job.lyrics.lines.empty())
            track = MakeLyricsTrack(job.picture, job.lyrics, LayoutOptions{}, job.sectorCount);
        lock.lock();
        building_ = false;
        start_ = PictureScreen(job.picture);
        ready_ = track.ok ? track.stream : nullptr;
        message_ = job.lyrics.lines.empty() || track.ok ? std::string() : track.message;
        ++generation_;
        wake_.notify_all();
    }
}

bool PreviewTrack::ScreenAt(std::int64_t sector, CdgScreen& out) {
    {
        std::lock_guard lock(mutex_);
        if (generation_ != shownGeneration_) {
            shownGeneration_ = generation_;
            shown_ = ready_;
            decoder_.SetScreen(start_);
            decoded_ = 0;
        }
    }
    // Going back means decoding again from the start: a few milliseconds
    // even for a long song.
    if (sector < decoded_) {
        std::lock_guard lock(mutex_);
        decoder_.SetScreen(start_);
        decoded_ = 0;
    }
    const auto end =
        shown_ ? std::min<std::int64_t>(sector, static_cast<std::int64_t>(shown_->size())) : 0;
    for (; decoded_ < end; ++decoded_)
        decoder_.ApplySector(reinterpret_cast<const std::uint8_t*>(&(*shown_)[decoded_]));
    decoded_ = std::max(decoded_, sector);
    const bool changed = !(decoder_.screen() == last_);
    last_ = decoder_.screen();
    out = last_;
    return changed;
}

}  // namespace orvane
