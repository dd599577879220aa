// The job's blocking send to the window, against a bare two-thread
// condition-variable ping-pong measured in the same run; and a whole
// three-minute run through the desktop window against the job alone.
// Needs a display: run under xvfb-run.
#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/listbox.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>
#include <vector>

#include "app/main_dlg.h"
#include "app/message_box.h"
#include "app/status_channel.h"
#include "encoder/creation_job.h"
#include "res/resource_ids.h"

namespace {

using namespace orvane;

constexpr int kBatch = 1000;

class BenchApp : public wxApp {
  public:
    bool OnInit() override { return true; }
};

// Runs the event loop until `done` is true.
template <typename Done>
void RunLoopUntil(Done done) {
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    while (!done()) {
        loop->Dispatch();
        wxTheApp->ProcessPendingEvents();
    }
}

// Worker sends statuses through the real channel; the main thread plays the
// window, running its wx event loop and handling each one.
void BM_BlockingSendRoundTrip(benchmark::State& state) {
    wxEvtHandler window;
    long handled = 0;
    long target = 0;
    StatusChannel channel([&](std::function<void()> call) { window.CallAfter(std::move(call)); },
                          [&](JobStatus, int) {
                              if (++handled == target) wxEventLoopBase::GetActive()->ScheduleExit();
                          });
    std::atomic<bool> stop{false};
    std::thread job([&] {
        while (!stop.load()) channel.Send(JOB_PROGRESS, 1);
    });
    for (auto _ : state) {
        // The window's own loop, as the modal dialog runs it.
        wxGUIEventLoop loop;
        target = handled + kBatch;
        loop.Run();
    }
    stop = true;
    channel.Close();
    job.join();
    state.SetItemsProcessed(state.iterations() * kBatch);
}

// The same round trip with nothing but a mutex and a condition variable.
void BM_BarePingPong(benchmark::State& state) {
    std::mutex mutex;
    std::condition_variable changed;
    bool request = false;
    bool stop = false;
    std::thread job([&] {
        std::unique_lock lock(mutex);
        while (!stop) {
            request = true;
            changed.notify_all();
            changed.wait(lock, [&] { return !request || stop; });
        }
    });
    long handled = 0;
    for (auto _ : state) {
        std::unique_lock lock(mutex);
        for (int i = 0; i < kBatch; ++i) {
            changed.wait(lock, [&] { return request; });
            request = false;
            ++handled;
            changed.notify_all();
        }
    }
    {
        std::lock_guard lock(mutex);
        stop = true;
        changed.notify_all();
    }
    job.join();
    benchmark::DoNotOptimize(handled);
    state.SetItemsProcessed(state.iterations() * kBatch);
}

// Three minutes of audio and a picture, written once.
struct ThreeMinuteFiles {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "orvane-bench";
    std::string bitmap = (dir / "picture.bmp").string();
    std::string wave = (dir / "song.wav").string();
    std::string output = (dir / "disc.cdg").string();
    static constexpr std::int64_t kAudioBytes = 31752000;
    static constexpr std::int64_t kHeaderBytes = 44;

    ThreeMinuteFiles() {
        std::filesystem::create_directories(dir);
        std::vector<char> header(kHeaderBytes, 0);
        std::memcpy(header.data(), "RIFF", 4);
        std::memcpy(header.data() + 8, "WAVEfmt ", 8);
        header[22] = 2;           // channels
        header[24] = char(0x44);  // 44,100 = 0xAC44
        header[25] = char(0xAC);
        header[34] = 16;  // bits
        std::memcpy(header.data() + 36, "data", 4);
        std::ofstream out(wave, std::ios::binary);
        out.write(header.data(), kHeaderBytes);
        std::vector<char> audio(1 << 20);
        for (std::size_t i = 0; i < audio.size(); ++i) audio[i] = char(i * 7);
        for (std::int64_t left = kAudioBytes; left > 0; left -= std::int64_t(audio.size()))
            out.write(audio.data(), std::min<std::int64_t>(left, std::int64_t(audio.size())));
    }
    ~ThreeMinuteFiles() {
        std::error_code error;
        std::filesystem::remove_all(dir, error);
    }
    void Choose(CMainDlg& dlg, JobState& state) const {
        DialogModel& model = dlg.Model();
        model.bitmapPath = bitmap;
        model.wavePath = wave;
        model.outputPath = output;
        state.bitmapValid = state.waveValid = state.outputChosen = true;
        state.audioDataOffset = kHeaderBytes;
        state.waveFileLength = kHeaderBytes + kAudioBytes;
    }
};

// A whole run in the desktop window: Start pressed to the success box.
void BM_DesktopThreeMinuteRun(benchmark::State& state) {
    ThreeMinuteFiles files;
    JobState jobState;
    Picture picture;
    auto* dlg = new CMainDlg(jobState, picture);
    files.Choose(*dlg, jobState);
    bool completed = false;
    SetBoxShower([&](const BoxRequest&) { completed = true; });
    dlg->Show();
    for (auto _ : state) {
        RunLoopUntil([&] { return dlg->StartButton()->IsEnabled(); });
        completed = false;
        const auto start = std::chrono::steady_clock::now();
        wxCommandEvent click(wxEVT_BUTTON, IDC_START);
        click.SetEventObject(dlg->StartButton());
        dlg->StartButton()->GetEventHandler()->ProcessEvent(click);
        RunLoopUntil([&] { return completed; });
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    dlg->EndJob();
    delete dlg;
    SetBoxShower({});
}

// The same run without a window: the job alone, as the command line runs it.
void BM_JobAloneThreeMinuteRun(benchmark::State& state) {
    ThreeMinuteFiles files;
    struct NullSink : StatusSink {
        void Send(JobStatus, int) override {}
    } sink;
    JobState jobState;
    jobState.stopRequested = false;
    JobInputs inputs;
    InitPicture(inputs.picture);
    inputs.wavePath = files.wave;
    inputs.outputPath = files.output;
    inputs.audioDataOffset = ThreeMinuteFiles::kHeaderBytes;
    inputs.audioByteCount = ThreeMinuteFiles::kAudioBytes;
    for (auto _ : state) CreationJob(inputs, jobState, sink);
}

BENCHMARK(BM_BlockingSendRoundTrip)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BarePingPong)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DesktopThreeMinuteRun)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_JobAloneThreeMinuteRun)->Unit(benchmark::kMillisecond)->MinTime(2);

}  // namespace

int main(int argc, char** argv) {
    setenv("GTK_OVERLAY_SCROLLING", "0", 1);
    setenv("NO_AT_BRIDGE", "1", 1);
    benchmark::Initialize(&argc, argv);
    wxApp::SetInstance(new BenchApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "no display: run under xvfb-run\n");
        return 2;
    }
    wxTheApp->CallOnInit();
    {
        wxEventLoop loop;
        wxEventLoopActivator activate(&loop);
        benchmark::RunSpecifiedBenchmarks();
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
