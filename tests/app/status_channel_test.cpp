// The blocking send between the job's thread and the window's thread.
#include "app/status_channel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <future>
#include <thread>

namespace orvane {
namespace {

using namespace std::chrono_literals;

// Stands in for the window's event queue; the test thread plays the window.
class CallQueue {
  public:
    void Post(std::function<void()> call) {
        std::lock_guard lock(mutex_);
        calls_.push_back(std::move(call));
    }
    // Runs queued calls until `count` have run or two seconds pass.
    int Run(int count) {
        int ran = 0;
        const auto end = std::chrono::steady_clock::now() + 2s;
        while (ran < count && std::chrono::steady_clock::now() < end) {
            std::function<void()> call;
            {
                std::lock_guard lock(mutex_);
                if (!calls_.empty()) {
                    call = std::move(calls_.front());
                    calls_.pop_front();
                }
            }
            if (call) {
                call();
                ++ran;
            } else {
                std::this_thread::sleep_for(1ms);
            }
        }
        return ran;
    }
    std::size_t Size() {
        std::lock_guard lock(mutex_);
        return calls_.size();
    }
    // Waits up to two seconds for `count` calls to be queued: a sender's
    // thread may be slow to start on a loaded machine.
    bool WaitForCalls(std::size_t count) {
        const auto end = std::chrono::steady_clock::now() + 2s;
        while (Size() < count) {
            if (std::chrono::steady_clock::now() > end) return false;
            std::this_thread::sleep_for(1ms);
        }
        return true;
    }

  private:
    std::mutex mutex_;
    std::deque<std::function<void()>> calls_;
};

struct Handled {
    std::vector<std::pair<JobStatus, int>> statuses;
};

TEST(StatusChannel, SendReturnsOnlyAfterTheWindowHandledTheStatus) {
    CallQueue queue;
    Handled handled;
    StatusChannel channel([&](auto call) { queue.Post(std::move(call)); },
                          [&](JobStatus code, int value) {
                              handled.statuses.push_back({code, value});
                          });
    std::atomic<int> sent{0};
    std::thread job([&] {
        for (int i = 0; i < 3; ++i) {
            channel.Send(JOB_PROGRESS, i);
            ++sent;
        }
    });
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(sent, 0);  // nothing handled yet: the job waits
    EXPECT_EQ(queue.Run(3), 3);
    job.join();
    EXPECT_EQ(sent, 3);
    ASSERT_EQ(handled.statuses.size(), 3u);
    EXPECT_EQ(handled.statuses[2], std::make_pair(JOB_PROGRESS, 2));
}

// The window closes while the job waits: the job is released, later sends
// return at once, and the released send's queued call, run after the channel
// is gone, reaches no handler.
TEST(StatusChannel, ClosingReleasesAWaitingSenderAndLaterSendsReturnAtOnce) {
    CallQueue queue;
    int handled = 0;
    {
        StatusChannel channel([&](auto call) { queue.Post(std::move(call)); },
                              [&](JobStatus, int) { ++handled; });
        auto waiting = std::async(std::launch::async, [&] { channel.Send(JOB_PROGRESS, 1); });
        EXPECT_TRUE(queue.WaitForCalls(1));
        EXPECT_EQ(waiting.wait_for(20ms), std::future_status::timeout);
        channel.Close();
        EXPECT_EQ(waiting.wait_for(2s), std::future_status::ready);
        channel.Send(JOB_CANCELLED, 0);  // returns without waiting or queuing
        EXPECT_EQ(queue.Size(), 1u);
        EXPECT_TRUE(channel.IsClosed());
    }
    EXPECT_EQ(queue.Run(1), 1);
    EXPECT_EQ(handled, 0);
}

// A handler that opens a box runs other queued calls in the box's loop; the
// channel must not be locked meanwhile.
TEST(StatusChannel, HandlerMayRunOtherQueuedCallsInside) {
    CallQueue queue;
    std::vector<int> order;
    StatusChannel channel([&](auto call) { queue.Post(std::move(call)); },
                          [&](JobStatus, int value) {
                              order.push_back(value);
                              queue.Run(1);  // the box's nested loop
                          });
    std::thread job([&] {
        channel.Send(JOB_IO_ERROR, 1);
        order.push_back(2);
    });
    ASSERT_TRUE(queue.WaitForCalls(1));
    queue.Post([&] { order.push_back(99); });
    EXPECT_EQ(queue.Run(1), 1);
    job.join();
    EXPECT_EQ(order, (std::vector<int>{1, 99, 2}));
}

}  // namespace
}  // namespace orvane
