#include "encoder/creation_job.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <new>
#include <system_error>

#include "encoder/image_size.h"
#include "encoder/output_claim.h"
#include "encoder/subcode.h"
#include "encoder/tile_encoder.h"

namespace orvane {

namespace {

// Sectors 1 .. 1,536 carry the tiles, two sectors per tile.
constexpr std::int64_t kLastTileSector = 2 * kTileCount;

enum class IoFailure { None, Read, Write };

// One read or write of exactly `count` bytes. A shorter count is a failure,
// never continued: the image must not silently skip or repeat bytes. Only an
// interrupted call that moved nothing is tried again.
bool ReadExactly(int fd, void* buffer, std::size_t count) {
    ssize_t n;
    do {
        n = ::read(fd, buffer, count);
    } while (n < 0 && errno == EINTR);
    return n == static_cast<ssize_t>(count);
}

bool WriteExactly(int fd, const void* buffer, std::size_t count) {
    ssize_t n;
    do {
        n = ::write(fd, buffer, count);
    } while (n < 0 && errno == EINTR);
    return n == static_cast<ssize_t>(count);
}

int OpenFile(const std::string& path, int flags) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

void CloseFile(int fd) {
    if (fd >= 0) ::close(fd);
}

// A pipe or a terminal has nothing to flush and refuses fsync with EINVAL;
// only a file that could hold the image on a disk must reach it.
bool FlushToDisk(int fd) {
    if (::fsync(fd) == 0) return true;
    struct stat st {};
    return errno == EINVAL && ::fstat(fd, &st) == 0 && !S_ISREG(st.st_mode);
}

// Linux releases the descriptor even when close() is interrupted, and the
// data has been flushed before it; any other error (a write-back failure on
// a network file system, a quota) loses the image.
bool CloseChecked(int fd) {
    return ::close(fd) == 0 || errno == EINTR;
}

// Creating the output truncates it: when it is the recording itself (a link,
// a second name) that would destroy the audio before a byte of it was read.
bool IsSameFile(int fd, const std::string& path) {
    struct stat opened {};
    struct stat named {};
    if (::fstat(fd, &opened) != 0 || ::stat(path.c_str(), &named) != 0) return false;
    return opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// Everything one run owns; built once, reused for every sector.
class Run {
  public:
    Run(const JobInputs& inputs, JobState& state, StatusSink& sink, int wave, int output)
        : inputs_(inputs), state_(state), sink_(sink), wave_(wave), output_(output) {}

    // The header's result is ignored: a file too short for it fails at the
    // first sector read instead. Read in sector-sized pieces so an offset
    // larger than a sector can never run past the buffer.
    void SkipHeader() {
        std::int64_t left = inputs_.audioDataOffset;
        while (left > 0) {
            const auto chunk = static_cast<std::size_t>(
                left < static_cast<std::int64_t>(audio_.size()) ? left : audio_.size());
            if (!ReadExactly(wave_, audio_.data(), chunk)) return;
            left -= static_cast<std::int64_t>(chunk);
        }
    }

    void Loop() {
        const std::int64_t sectorCount = SectorCount(inputs_.audioByteCount);
        for (std::int64_t s = 0; s < sectorCount; ++s) {
            if (state_.stopRequested.load(std::memory_order_acquire)) return;
            sink_.Send(JOB_PROGRESS, static_cast<int>((s + 1) * 100 / sectorCount));
            const IoFailure failure = Iteration(s, sectorCount);
            if (failure != IoFailure::None) {
                Fail(failure);
                return;
            }
        }
    }

    // The flag is written before the blocking send: the handler reads it.
    void Fail(IoFailure failure) {
        if (failure == IoFailure::Read) {
            state_.readFailed.store(true, std::memory_order_release);
        } else {
            state_.writeFailed.store(true, std::memory_order_release);
        }
        sink_.Send(JOB_IO_ERROR, 0);
        state_.stopRequested.store(true, std::memory_order_release);
    }

  private:
    // Handles sector s, and s + 1 as well when both halves of a tile fit.
    IoFailure Iteration(std::int64_t& s, std::int64_t sectorCount) {
        if (!ReadExactly(wave_, audio_.data(), audio_.size())) return IoFailure::Read;
        if (!WriteExactly(output_, audio_.data(), audio_.size())) return IoFailure::Write;
        if (s == 0) {
            EncodeColorTable(inputs_.picture.palette, block_);
            return WriteSubcode(&block_);
        }
        if (s > kLastTileSector) return WriteSubcode(&kEmptyBlock);

        EncodeTile(inputs_.picture, static_cast<int>((s - 1) / 2), tile_);
        if (IoFailure f = WriteSubcode(&tile_[0]); f != IoFailure::None) return f;
        // A recording that ends here leaves the tile's second half unwritten.
        if (s + 1 >= sectorCount) return IoFailure::None;
        ++s;
        if (!ReadExactly(wave_, audio_.data(), audio_.size())) return IoFailure::Read;
        if (!WriteExactly(output_, audio_.data(), audio_.size())) return IoFailure::Write;
        return WriteSubcode(&tile_[4]);
    }

    IoFailure WriteSubcode(const void* block) {
        return WriteExactly(output_, block, kSubcodeBlockBytes) ? IoFailure::None
                                                                : IoFailure::Write;
    }

    static constexpr SubcodeBlock kEmptyBlock{};

    const JobInputs& inputs_;
    JobState& state_;
    StatusSink& sink_;
    const int wave_;
    const int output_;
    std::array<std::uint8_t, kAudioSectorBytes> audio_{};
    SubcodeBlock block_{};
    TilePackets tile_{};
};

}  // namespace

JobInputs SnapshotInputs(const JobState& state, const Picture& picture) {
    JobInputs inputs;
    inputs.picture = picture;
    inputs.wavePath = state.jobWavePath;
    inputs.outputPath = state.jobOutputPath;
    inputs.audioDataOffset = state.audioDataOffset;
    inputs.audioByteCount = state.audioByteCount;
    return inputs;
}

void CreationJob(const JobInputs& inputs, JobState& state, StatusSink& sink) {
    state.readFailed.store(false, std::memory_order_release);
    state.writeFailed.store(false, std::memory_order_release);
    state.outputRefused.store(OutputRefusal::None, std::memory_order_release);

    // Opened for writing too, as the recording always has been: a file that
    // another program holds read-only is refused before anything is created.
    const int wave = OpenFile(inputs.wavePath, O_RDWR | O_NONBLOCK);
    if (wave < 0) {
        state.readFailed.store(true, std::memory_order_release);
        sink.Send(JOB_IO_ERROR, 0);
        return;
    }
    const OutputClaim claim = IsSameFile(wave, inputs.outputPath)
                                  ? OutputClaim{}
                                  : ClaimOutput(inputs.outputPath, inputs.replaceOutput);
    const int output = claim.fd;
    if (output < 0) {
        if (claim.refusal == OutputRefusal::None) {
            state.writeFailed.store(true, std::memory_order_release);
        } else {
            state.outputRefused.store(claim.refusal, std::memory_order_release);
        }
        sink.Send(JOB_IO_ERROR, 0);
        CloseFile(wave);
        return;
    }

    Run run(inputs, state, sink, wave, output);
    run.SkipHeader();
    run.Loop();

    // Flushed and closed before the final status, so the image is on the
    // disk when a front end reports success. A stopped or failed run is not
    // flushed: its partial image is not worth the wait.
    CloseFile(wave);
    const bool whole = !state.stopRequested.load(std::memory_order_acquire);
    const bool flushed = !whole || FlushToDisk(output);
    if (!CloseChecked(output) || !flushed) {
        if (!state.readFailed.load() && !state.writeFailed.load()) run.Fail(IoFailure::Write);
    }
    sink.Send(state.stopRequested.load(std::memory_order_acquire) ? JOB_CANCELLED : JOB_COMPLETED,
              0);
}

JobRunner::~JobRunner() {
    Wait();
}

JobRunner::StartResult JobRunner::Start(JobInputs inputs, JobState& state, StatusSink& sink) {
    if (running_.load(std::memory_order_acquire)) return StartResult::StillRunning;
    Wait();  // an ended thread still has to be joined before the next
    running_.store(true, std::memory_order_release);
    try {
        thread_ = std::thread([this, in = std::move(inputs), &state, &sink] {
            // Named, so that a stuck job is easy to find in a debugger or /proc.
            pthread_setname_np(pthread_self(), "orvane-job");
            CreationJob(in, state, sink);
            {
                std::lock_guard lock(mutex_);
                running_.store(false, std::memory_order_release);
            }
            ended_.notify_all();
        });
    } catch (const std::system_error&) {
        running_.store(false, std::memory_order_release);
        return StartResult::ThreadFailed;
    } catch (const std::bad_alloc&) {
        running_.store(false, std::memory_order_release);
        return StartResult::ThreadFailed;
    }
    return StartResult::Started;
}

void JobRunner::Wait() {
    if (thread_.joinable()) thread_.join();
}

bool JobRunner::WaitFor(std::chrono::milliseconds limit) {
    {
        std::unique_lock lock(mutex_);
        if (!ended_.wait_for(lock, limit, [this] { return !running_.load(); })) return false;
    }
    Wait();
    return true;
}

}  // namespace orvane
