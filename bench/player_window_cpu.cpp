// What the player window costs while it plays a busy stream: CPU time of the
// whole process (every thread: drawing, sound, decoding) over the wall time,
// as a share of one core. Run it under a virtual display, with the stream,
// the seconds measured (20) and the screen's factor (2):
//   xvfb-run -a -s "-screen 0 1280x1024x24" orvane_player_window_cpu tiles 20 2
// "tiles": every packet draws a tile somewhere (normal or XOR), a colour
// table change every second: a screen being drawn at the full packet rate.
// "scrolls": a scroll every sector as well, so the whole screen moves every
// frame (the worst case; nothing is left unchanged between frames).
// The sound goes through SDL's disk driver into /dev/null at real-time pace.
#include <sys/resource.h>
#include <unistd.h>
#include <wx/app.h>
#include <wx/timer.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/player_dlg.h"
#include "app/player_session.h"

namespace {

using namespace orvane;
using SteadyClock = std::chrono::steady_clock;

constexpr std::uint64_t kSectors = 120 * 75;
constexpr int kWarmUpMs = 2000;

void WriteBusyImage(const std::string& path, bool scrolls) {
    std::ofstream out(path, std::ios::binary);
    std::mt19937 rng(4);
    std::vector<std::uint8_t> sector(kRawSectorBytes);
    for (std::uint64_t s = 0; s < kSectors; ++s) {
        for (std::size_t p = 0; p < 4; ++p) {
            std::uint8_t* packet = &sector[kSectorAudioBytes + p * 24];
            std::fill(packet, packet + 24, 0);
            packet[0] = 9;
            packet[1] = rng() % 2 ? 6 : 38;
            if (s % 75 == 0 && p == 0) packet[1] = 30;
            if (scrolls && p == 3) packet[1] = 24;
            for (std::size_t k = 4; k < 20; ++k)
                packet[k] = static_cast<std::uint8_t>(rng() & 0x3F);
            packet[6] = static_cast<std::uint8_t>(1 + rng() % 16);  // row
            packet[7] = static_cast<std::uint8_t>(1 + rng() % 48);  // column
        }
        out.write(reinterpret_cast<const char*>(sector.data()),
                  static_cast<std::streamsize>(sector.size()));
    }
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

class BenchApp : public wxApp {
  public:
    bool OnInit() override {
        const bool scrolls = argc > 1 && std::string(argv[1].utf8_str()) == "scrolls";
        seconds_ = argc > 2 ? std::atoi(argv[2].utf8_str()) : 20;
        char pattern[] = "/tmp/orvane-window-bench-XXXXXX";
        dir_ = ::mkdtemp(pattern) ? pattern : "/tmp";
        path_ = dir_ + "/busy.cdg";
        WriteBusyImage(path_, scrolls);
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
        auto session = std::make_unique<PlayerSession>();
        if (session->Open(path_)) {
            std::fprintf(stderr, "cannot open %s\n", path_.c_str());
            return false;
        }
        player_ = new CPlayerDlg(nullptr, std::move(session), path_);
        player_->Show();
        // Larger screens as the user zooms with Plus.
        for (int factor = argc > 3 ? std::atoi(argv[3].utf8_str()) : 2; factor > 2; --factor) {
            wxKeyEvent plus(wxEVT_CHAR_HOOK);
            plus.m_keyCode = '+';
            player_->GetEventHandler()->ProcessEvent(plus);
        }
        std::printf("stream: %s, screen factor %d\n", scrolls ? "scrolls" : "tiles",
                    player_->ScreenFactor());
        timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Step(); });
        timer_.StartOnce(kWarmUpMs);
        return true;
    }

    int OnExit() override {
        std::remove(path_.c_str());
        ::rmdir(dir_.c_str());
        return 0;
    }

  private:
    void Step() {
        if (!measuring_) {
            measuring_ = true;
            cpuStart_ = CpuSeconds();
            wallStart_ = SteadyClock::now();
            timer_.StartOnce(seconds_ * 1000);
            return;
        }
        const double cpu = CpuSeconds() - cpuStart_;
        const double wall = std::chrono::duration<double>(SteadyClock::now() - wallStart_).count();
        double load[3] = {};
        getloadavg(load, 3);
        std::printf("%.1f %% of a core (%.2f s CPU over %.1f s), load average %.2f %.2f %.2f\n",
                    100.0 * cpu / wall, cpu, wall, load[0], load[1], load[2]);
        player_->Destroy();
        ExitMainLoop();
    }

    int seconds_ = 20;
    std::string dir_, path_;
    CPlayerDlg* player_ = nullptr;
    wxTimer timer_;
    bool measuring_ = false;
    double cpuStart_ = 0;
    SteadyClock::time_point wallStart_;
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(BenchApp);

int main(int argc, char** argv) {
    setenv("NO_AT_BRIDGE", "1", 1);
    return wxEntry(argc, argv);
}
