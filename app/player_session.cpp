#include "app/player_session.h"

#include <filesystem>

#include "app/player_files.h"

namespace orvane {

namespace {

constexpr std::uint64_t kHeadStartBytes = 10 * kAudioBytesPerSecond;

}  // namespace

PlayerSession::~PlayerSession() {
    // The sound thread reads through audio_ until the device is closed.
    output_.Close();
}

PlayerError PlayerSession::Open(const std::string& path) {
    output_.Close();
    cursor_.reset();
    audio_.reset();
    notes_ = {};
    shownOnce_ = false;
    if (PlayerError error = player_.Open(path)) return error;
    notes_.ignoredBytes = player_.ignoredBytes();
    notes_.pictureCompleteSectors = player_.pictureCompleteSectors();
    const std::uint64_t totalBytes = player_.sectorCount() * kSectorAudioBytes;
    if (player_.hasAudio()) {
        audio_ = std::make_unique<ImageAudio>(player_);
    } else {
        // The stream's own length rules: a longer sound file is cut, a
        // shorter one ends in silence.
        notes_.cdgStream = true;
        const std::string companion = CompanionAudio(path);
        notes_.audioName = std::filesystem::path(companion).filename().string();
        if (!companion.empty()) {
            auto file = std::make_unique<FileAudio>();
            notes_.audioError = file->Open(companion, totalBytes);
            // A head start, so the first seconds are not silence; decoding
            // runs far faster than playing from there on.
            if (notes_.audioError.empty()) file->WaitFor(kHeadStartBytes);
            if (notes_.audioError.empty()) audio_ = std::move(file);
        }
    }
    PlayerAudio* audio = audio_.get();
    AudioPull pull;
    if (audio != nullptr) {
        pull = [audio](std::uint64_t offset, std::uint8_t* out, std::size_t bytes) {
            return audio->Read(offset, out, bytes);
        };
    }
    const AudioOpenResult opened = output_.Open(totalBytes, std::move(pull));
    notes_.device = opened.device;
    notes_.deviceError = opened.message;
    cursor_ = std::make_unique<ScreenCursor>(player_);
    Follow();
    return {};
}

std::uint64_t PlayerSession::position() const {
    return output_.PositionBytes() / kSectorAudioBytes;
}

void PlayerSession::PlayPause() {
    if (!cursor_) return;
    if (output_.Playing()) {
        output_.Pause();
    } else {
        notes_.readError.clear();
        output_.Play();
    }
}

void PlayerSession::Seek(std::uint64_t sectors) {
    if (!cursor_) return;
    output_.Seek(std::min(sectors, totalSectors()) * kSectorAudioBytes);
}

bool PlayerSession::Follow() {
    if (!cursor_) return false;
    if (audio_) {
        if (const std::string error = audio_->TakeError(); !error.empty()) Stop(error);
    }
    if (PlayerError error = cursor_->MoveTo(position())) Stop(error.message);
    if (output_.Playing() && output_.AtEnd()) output_.Pause();
    if (shownOnce_ && cursor_->screen() == shown_) return false;
    shown_ = cursor_->screen();
    shownOnce_ = true;
    return true;
}

void PlayerSession::Stop(const std::string& readError) {
    output_.Pause();
    notes_.readError = readError.empty() ? "read failed" : readError;
}

}  // namespace orvane
