// The job's blocking send to the window: the job's thread hands each status
// to the user-interface thread and waits until it has been handled there,
// message boxes included.
#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

#include "encoder/job_state.h"

namespace orvane {

class StatusChannel : public StatusSink {
  public:
    // Queues a call to run on the user-interface thread (thread-safe).
    using Post = std::function<void(std::function<void()>)>;
    // Handles one status on the user-interface thread.
    using Handler = std::function<void(JobStatus, int)>;

    StatusChannel(Post post, Handler handler);
    ~StatusChannel() override;  // closes the channel
    StatusChannel(const StatusChannel&) = delete;
    StatusChannel& operator=(const StatusChannel&) = delete;

    // Blocks until the handler has run for this status, or the channel closes.
    void Send(JobStatus code, int value) override;

    // Releases every waiting sender and makes later sends return at once;
    // queued calls that run afterwards no longer reach the handler. Call it
    // when the window ends, before joining the job's thread.
    void Close();
    bool IsClosed() const;

  private:
    // Shared with the queued calls, which may outlive the channel.
    struct Core {
        std::mutex mutex;
        std::condition_variable handled;
        bool closed = false;
        Handler handler;
    };

    Post post_;
    std::shared_ptr<Core> core_;
};

}  // namespace orvane
