#include "cli/export_command.h"

#include <filesystem>
#include <memory>

#include "cli/cli_console.h"
#include "export/image_export.h"

namespace orvane {
namespace {

struct ExportOptions {
    std::string image;
    std::string cdg, wav, mp3, zip, wavZip, toc;
    std::string title, artist;
    int bitrate = 192;
    bool force = false;
    bool quiet = false;
};

// Progress on the terminal as for create; the lines as the window logs them.
class ConsoleProgress : public ProgressSink {
  public:
    ConsoleProgress(CliConsole& console, const std::atomic<bool>& interrupted)
        : console_(console), interrupted_(interrupted) {}
    void SetMessage(const std::string& message) override { console_.Info(message + "..."); }
    void SetProgress(std::uint64_t done, std::uint64_t total) override {
        if (total > 0) console_.Progress(static_cast<int>(done * 100 / total));
    }
    void Log(const std::string& line) override { console_.Info(line); }
    bool IsCancelled() const override { return interrupted_.load(); }

  private:
    CliConsole& console_;
    const std::atomic<bool>& interrupted_;
};

int ExitStatus(ExportStatus status) {
    if (status == ExportStatus::Completed) return kExitCompleted;
    if (status == ExportStatus::Stopped) return kExitStopped;
    if (IsRefusal(status)) return kExitRefused;
    return kExitIoError;
}

// A target option given without a file name: NAME.EXT beside the image.
void Target(CLI::App* sub, const char* name, std::string& value, const char* help) {
    sub->add_option(name, value, help)->expected(0, 1)->type_name("[FILE]");
}

std::string OrDefault(const CLI::App& sub, const char* option, const std::string& value,
                      const std::string& fallback) {
    if (sub.count(option) == 0) return {};
    return value.empty() ? fallback : value;
}

ExportRequest RequestFor(const ExportOptions& o, const CLI::App& sub) {
    const std::filesystem::path image(o.image);
    const std::string base = (image.parent_path() / image.stem()).string();
    ExportRequest r;
    r.image = o.image;
    r.bitrateKbps = o.bitrate;
    r.replace = o.force;
    r.title = o.title;
    r.artist = o.artist;
    r.targets.cdg = OrDefault(sub, "--cdg", o.cdg, base + ".cdg");
    r.targets.wav = OrDefault(sub, "--wav", o.wav, base + ".wav");
    r.targets.mp3 = OrDefault(sub, "--mp3", o.mp3, base + ".mp3");
    r.targets.mp3Zip = OrDefault(sub, "--zip", o.zip, base + ".zip");
    r.targets.wavZip = OrDefault(sub, "--wav-zip", o.wavZip,
                                 base + (sub.count("--zip") ? " (WAV+G).zip" : ".zip"));
    r.targets.toc = OrDefault(sub, "--toc", o.toc, base + ".toc");
    if (r.targets.All().empty()) r.targets = DefaultTargets(o.image);
    return r;
}

}  // namespace

int RunExportCommand(const ExportRequest& request, CliEnvironment& env, CliConsole& console) {
    if (env.interrupted.load()) {
        console.Error("Export stopped; nothing was written");
        return kExitStopped;
    }
    ConsoleProgress progress(console, env.interrupted);
    const ExportResult result = RunExport(request, progress);
    if (result.status == ExportStatus::Completed) {
        console.Info(result.message);
    } else if (result.status == ExportStatus::TargetExists) {
        console.Error(result.message + ", use --force to replace it");
    } else {
        console.Error(result.message);
    }
    return ExitStatus(result.status);
}

CliCommand SetUpExportCommand(CLI::App& app, CliEnvironment& env) {
    auto o = std::make_shared<ExportOptions>();
    CLI::App* sub = app.add_subcommand(
        "export", "files for karaoke players (MP3+G, WAV+G) and cdrdao's toc from an image");
    sub->add_option("IMAGE", o->image, "the raw CD+G image (2,448-byte sectors)")->required();
    Target(sub, "--cdg", o->cdg, "the graphics: the 96 subcode bytes of every sector");
    Target(sub, "--wav", o->wav, "the audio as a WAVE file");
    Target(sub, "--mp3", o->mp3, "the audio as an MP3 (LAME, constant bit rate)");
    Target(sub, "--zip", o->zip, "MP3+G: NAME.mp3 and NAME.cdg in NAME.zip");
    Target(sub, "--wav-zip", o->wavZip, "WAV+G: NAME.wav and NAME.cdg in NAME.zip");
    Target(sub, "--toc", o->toc, "cdrdao's table of contents for burning the image");
    sub->add_option("--bitrate", o->bitrate, "the MP3's kbit/s (default 192)")
        ->check(CLI::IsMember(Mp3Bitrates()));
    sub->add_option("--title", o->title, "the MP3's title tag (default: from its name)");
    sub->add_option("--artist", o->artist, "the MP3's artist tag (default: from its name)");
    sub->add_flag("--force", o->force, "replace files that exist");
    sub->add_flag("--quiet", o->quiet, "print errors only");
    sub->footer(
        "A target option without FILE writes NAME.EXT beside the image; no target at all\n"
        "writes NAME.cdg and NAME.mp3 there (NAME.mp3 and NAME.zip when NAME.cdg is the\n"
        "image). An MP3 named \"Artist - Title\" is tagged so unless --title or --artist\n"
        "say otherwise. Burn with: cdrdao write --swap NAME.toc");
    return {sub, [o, sub, &env] {
                CliConsole console(env.err, env.errIsTerminal, o->quiet, env.localTime);
                return RunExportCommand(RequestFor(*o, *sub), env, console);
            }};
}

}  // namespace orvane
