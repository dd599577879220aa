#include "player/audio_output.h"

#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <algorithm>
#include <cstring>

namespace orvane {

namespace {

// About 23 ms a buffer: short enough that the clock moves smoothly between
// hand-overs, long enough that a busy machine does not starve the device.
constexpr Uint16 kBufferFrames = 1024;

std::uint64_t WholeFrames(std::uint64_t bytes) {
    return bytes - bytes % kAudioFrameBytes;
}

}  // namespace

AudioOutput::~AudioOutput() {
    Close();
}

AudioOpenResult AudioOutput::Open(std::uint64_t totalBytes, AudioPull pull) {
    Close();
    pull_ = std::move(pull);
    total_ = WholeFrames(totalBytes);
    MoveTo(0);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return {false, SDL_GetError()};
    sdlStarted_ = true;
    SDL_AudioSpec wanted{};
    wanted.freq = 44100;
    wanted.format = AUDIO_S16LSB;
    wanted.channels = 2;
    wanted.samples = kBufferFrames;
    wanted.callback = &AudioOutput::Callback;
    wanted.userdata = this;
    // No changes allowed: SDL converts when the device wants another format,
    // so every callback asks for our own format.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device_ == 0) {
        AudioOpenResult result{false, SDL_GetError()};
        Close();
        MoveTo(0);
        return result;
    }
    return {true, {}};
}

void AudioOutput::Close() {
    if (device_ != 0) SDL_CloseAudioDevice(device_);  // waits for a running callback
    device_ = 0;
    if (sdlStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    sdlStarted_ = false;
    std::lock_guard lock(mutex_);
    playing_ = false;
}

bool AudioOutput::Playing() const {
    std::lock_guard lock(mutex_);
    return playing_;
}

void AudioOutput::Play() {
    LockDevice();
    {
        std::lock_guard lock(mutex_);
        if (!playing_) {
            if (base_ >= total_) base_ = next_ = 0;
            playing_ = true;
            baseTime_ = Clock::now();
            // Silent, the clock runs freely; with sound it waits for the
            // first hand-over.
            runLimit_ = device_ != 0 ? 0 : total_ - base_;
        }
    }
    if (device_ != 0) SDL_PauseAudioDevice(device_, 0);
    UnlockDevice();
}

// What was handed over but not yet heard plays again on resume, so the
// sound goes on from where the clock stopped.
void AudioOutput::Pause() {
    LockDevice();
    if (device_ != 0) SDL_PauseAudioDevice(device_, 1);
    {
        std::lock_guard lock(mutex_);
        base_ = next_ = PositionLocked(Clock::now());
        playing_ = false;
        runLimit_ = 0;
    }
    UnlockDevice();
}

void AudioOutput::Seek(std::uint64_t bytes) {
    LockDevice();
    MoveTo(bytes);
    UnlockDevice();
}

void AudioOutput::MoveTo(std::uint64_t bytes) {
    std::lock_guard lock(mutex_);
    base_ = next_ = std::min(WholeFrames(bytes), total_);
    baseTime_ = Clock::now();
    runLimit_ = playing_ && device_ == 0 ? total_ - base_ : 0;
}

std::uint64_t AudioOutput::PositionBytes() const {
    std::lock_guard lock(mutex_);
    return PositionLocked(Clock::now());
}

double AudioOutput::Seconds() const {
    return static_cast<double>(PositionBytes()) / kAudioBytesPerSecond;
}

std::uint64_t AudioOutput::PositionLocked(Clock::time_point now) const {
    if (!playing_ || now <= baseTime_) return std::min(base_, total_);
    const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(now - baseTime_);
    const auto ran = static_cast<std::uint64_t>(elapsed.count()) * kAudioBytesPerSecond / 1000000;
    return std::min(base_ + WholeFrames(std::min(ran, runLimit_)), total_);
}

void AudioOutput::Callback(void* self, std::uint8_t* stream, int length) {
    static_cast<AudioOutput*>(self)->Fill(stream, static_cast<std::size_t>(length));
}

// Runs on SDL's audio thread with the device locked, so Seek, Play and Pause
// wait for it; the clock's readers only wait for the counters.
void AudioOutput::Fill(std::uint8_t* stream, std::size_t length) {
    std::uint64_t from = 0;
    {
        std::lock_guard lock(mutex_);
        from = next_;
    }
    std::size_t filled = 0;
    if (from < total_ && pull_) {
        const std::size_t wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(length, total_ - from));
        filled = std::min(pull_(from, stream, wanted), wanted);
    }
    std::memset(stream + filled, 0, length - filled);
    std::lock_guard lock(mutex_);
    // The device holds one buffer: what it plays now began at `from`.
    base_ = from;
    next_ = from + length;
    baseTime_ = Clock::now();
    runLimit_ = length;
}

void AudioOutput::LockDevice() const {
    if (device_ != 0) SDL_LockAudioDevice(device_);
}

void AudioOutput::UnlockDevice() const {
    if (device_ != 0) SDL_UnlockAudioDevice(device_);
}

}  // namespace orvane
