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

std::uint64_t DeviceLatencyBytes(const std::string& driver, std::uint64_t bufferBytes) {
    return driver == "disk" || driver == "dummy" ? 0 : bufferBytes;
}

AudioOutput::~AudioOutput() {
    Close();
}

AudioOpenResult AudioOutput::Open(std::uint64_t totalBytes, AudioPull pull) {
    Close();
    pull_ = std::move(pull);
    total_ = WholeFrames(totalBytes);
    latency_ = 0;
    ResetClock();
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
    SDL_AudioSpec obtained{};
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device_ == 0) {
        AudioOpenResult result{false, SDL_GetError()};
        Close();
        return result;
    }
    const char* driver = SDL_GetCurrentAudioDriver();
    latency_ = DeviceLatencyBytes(driver ? driver : "", std::uint64_t{obtained.size});
    ResetClock();
    return {true, {}};
}

void AudioOutput::Close() {
    if (device_ != 0) SDL_CloseAudioDevice(device_);  // waits for a running callback
    device_ = 0;
    if (sdlStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    sdlStarted_ = false;
    std::lock_guard lock(mutex_);
    if (playing_) clock_.Hold(clock_.At(Clock::now()), Clock::now());
    playing_ = false;
}

void AudioOutput::ResetClock() {
    std::lock_guard lock(mutex_);
    playing_ = false;
    next_ = 0;
    clock_.Reset(total_, latency_);
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
            const Clock::time_point now = Clock::now();
            std::uint64_t from = clock_.At(now);
            if (from >= total_) from = 0;
            next_ = from;
            playing_ = true;
            // Silent, the clock runs freely; with sound it waits for the
            // device to take the first buffer.
            if (device_ != 0)
                clock_.Hold(from, now);
            else
                clock_.Run(from, now);
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
        const Clock::time_point now = Clock::now();
        next_ = clock_.At(now);
        clock_.Hold(next_, now);
        playing_ = false;
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
    next_ = std::min(WholeFrames(bytes), total_);
    if (playing_ && device_ == 0)
        clock_.Run(next_, Clock::now());
    else
        clock_.Hold(next_, Clock::now());
}

std::uint64_t AudioOutput::PositionBytesAt(Clock::time_point when) const {
    std::lock_guard lock(mutex_);
    return clock_.At(when);
}

double AudioOutput::Seconds() const {
    return static_cast<double>(PositionBytes()) / kAudioBytesPerSecond;
}

void AudioOutput::Callback(void* self, std::uint8_t* stream, int length) {
    static_cast<AudioOutput*>(self)->Fill(stream, static_cast<std::size_t>(length));
}

// Runs on SDL's audio thread with the device locked, so Seek, Play and Pause
// wait for it; the clock's readers only wait for the counters.
void AudioOutput::Fill(std::uint8_t* stream, std::size_t length) {
    // The device asked for this buffer now, however long the reading takes.
    const Clock::time_point asked = Clock::now();
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
    next_ = from + length;
    clock_.HandOver(from, length, asked);
}

void AudioOutput::LockDevice() const {
    if (device_ != 0) SDL_LockAudioDevice(device_);
}

void AudioOutput::UnlockDevice() const {
    if (device_ != 0) SDL_UnlockAudioDevice(device_);
}

}  // namespace orvane
