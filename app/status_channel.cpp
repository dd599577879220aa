#include "app/status_channel.h"

#include <atomic>
#include <chrono>
#include <utility>

namespace orvane {

namespace {
constexpr std::chrono::microseconds kSpin(50);
}  // namespace

StatusChannel::StatusChannel(Post post, Handler handler)
    : post_(std::move(post)), core_(std::make_shared<Core>()) {
    core_->handler = std::move(handler);
}

StatusChannel::~StatusChannel() {
    Close();
}

void StatusChannel::Send(JobStatus code, int value) {
    auto done = std::make_shared<std::atomic<bool>>(false);
    {
        std::lock_guard lock(core_->mutex);
        if (core_->closed) return;
    }
    post_([core = core_, done, code, value] {
        {
            std::lock_guard lock(core->mutex);
            if (core->closed) return;
        }
        // Runs unlocked: the handler may open a message box whose nested
        // event loop runs other queued calls, or close the channel itself.
        core->handler(code, value);
        std::lock_guard lock(core->mutex);
        done->store(true, std::memory_order_release);
        core->handled.notify_all();
    });
    // Most statuses are handled within microseconds: wait for them briefly
    // before going to sleep, which saves the wake-up of this thread.
    const auto spinEnd = std::chrono::steady_clock::now() + kSpin;
    while (!done->load(std::memory_order_acquire) && std::chrono::steady_clock::now() < spinEnd) {
    }
    std::unique_lock lock(core_->mutex);
    core_->handled.wait(lock, [&] { return done->load() || core_->closed; });
}

void StatusChannel::Close() {
    std::lock_guard lock(core_->mutex);
    core_->closed = true;
    core_->handled.notify_all();
}

bool StatusChannel::IsClosed() const {
    std::lock_guard lock(core_->mutex);
    return core_->closed;
}

}  // namespace orvane
