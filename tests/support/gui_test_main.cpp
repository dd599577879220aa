// main() for the tests that need the toolkit: starts wx without running any
// program window, turns wx asserts into test failures, then runs the tests.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/utils.h>

#include <cstdlib>
#include <thread>

#include "support/gui_test_support.h"

namespace {

class TestApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg) {
    ADD_FAILURE_AT(file.utf8_str().data(), line)
        << "wx assert in " << func.utf8_str().data() << ": " << cond.utf8_str().data() << " "
        << msg.utf8_str().data();
}

}  // namespace

namespace orvane::test {

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        wxTheApp->ProcessPendingEvents();
        wxEventLoopBase* loop = wxEventLoopBase::GetActive();
        if (loop) {
            while (loop->Pending()) loop->Dispatch();
        }
        wxYield();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

void PumpFor(std::chrono::milliseconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    PumpUntil([&] { return std::chrono::steady_clock::now() > end; }, duration * 2);
}

}  // namespace orvane::test

int main(int argc, char** argv) {
    setenv("GTK_OVERLAY_SCROLLING", "0", 1);
    setenv("NO_AT_BRIDGE", "1", 1);
    testing::InitGoogleTest(&argc, argv);
    wxApp::SetInstance(new TestApp);
    if (!wxEntryStart(argc, argv)) return 2;
    wxSetAssertHandler(FailOnAssert);
    if (!wxTheApp->CallOnInit()) return 3;
    // Tests need an active event loop for CallAfter and modal boxes.
    wxEventLoop loop;
    wxEventLoopActivator activate(&loop);
    const int rc = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return rc;
}
