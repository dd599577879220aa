// The worker behind the recording import's progress box.
#include "app/import_task.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace orvane::test {
namespace {

using namespace std::chrono_literals;

bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 2000 && !done(); ++i) std::this_thread::sleep_for(1ms);
    return done();
}

// Reports progress, then works until stopped and says what `ending` says.
ImportTask::Work UntilStopped(ImportOutcome ending) {
    return [ending](ProgressSink& sink) {
        sink.SetMessage("Converting");
        sink.SetProgress(0, 0);  // no total yet: ignored
        sink.SetProgress(30, 120);
        while (!sink.IsCancelled()) std::this_thread::sleep_for(1ms);
        return ending;
    };
}

TEST(ImportTask, ShowsProgressAndStopsOnRequestAsStoppedUnlessItFinished) {
    const struct {
        ImportOutcome ending;
        ImportOutcome::Status expected;
    } cases[] = {
        // The decoder's "exit requested" is a stop, not a failure to show.
        {ImportOutcome::Failed("Immediate exit requested"), ImportOutcome::Status::Stopped},
        {{ImportOutcome::Status::Stopped, {}}, ImportOutcome::Status::Stopped},
        // Finished just as Stop came: the file is complete and is taken.
        {ImportOutcome::Done(), ImportOutcome::Status::Done},
    };
    for (const auto& c : cases) {
        ImportTask task;
        EXPECT_EQ(task.Percent(), -1);
        ASSERT_TRUE(task.Start(UntilStopped(c.ending)));
        ASSERT_TRUE(WaitFor([&] { return task.Percent() == 25; }));
        EXPECT_EQ(task.Message(), "Converting");
        EXPECT_FALSE(task.Finished());
        task.Stop();
        ASSERT_TRUE(WaitFor([&] { return task.Finished(); }));
        const ImportOutcome outcome = task.Wait();
        EXPECT_EQ(outcome.status, c.expected);
        EXPECT_TRUE(outcome.reason.empty());
    }
    // Not stopped: the work's own failure and reason; destroyed while running: stops.
    ImportTask failing;
    failing.Start([](ProgressSink&) { return ImportOutcome::Failed("Invalid data"); });
    EXPECT_EQ(failing.Wait().reason, "Invalid data");
    ImportTask running;
    running.Start(UntilStopped(ImportOutcome::Done()));
}

}  // namespace
}  // namespace orvane::test
