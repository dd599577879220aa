#include "cli/disc_command.h"

#include <filesystem>
#include <memory>

#include "cli/cli_console.h"
#include "disc/disc_plan.h"
#include "disc/disc_writer.h"
#include "export/toc_file.h"

namespace orvane {
namespace {

struct DiscOptions {
    std::string toc;
    std::vector<std::string> images;
    std::string title, performer, titles;
    bool chdman = false;
    bool force = false;
    bool quiet = false;
};

DiscRequest RequestFor(const DiscOptions& o, const CLI::App& sub) {
    DiscRequest r;
    r.toc = o.toc;
    r.images = o.images;
    if (sub.count("--title") > 0) r.title = o.title;
    if (sub.count("--performer") > 0) r.performer = o.performer;
    r.titlesFile = o.titles;
    r.replace = o.force;
    r.reader = o.chdman ? TocReader::Chdman : TocReader::Cdrdao;
    return r;
}

std::string TrackLine(std::size_t number, const TrackImage& image, const TrackNames& names) {
    std::string line = (number < 10 ? "  " : " ") + std::to_string(number) + "  " +
                       MinutesText(image.sectors) + "  ";
    if (!names.performer.empty()) line += names.performer + " - ";
    return line + names.title;
}

int Failed(const DiscOutcome& outcome, CliConsole& console) {
    if (outcome.status == DiscStatus::TargetExists) {
        console.Error(outcome.message + ", use --force to replace it");
        return kExitRefused;
    }
    console.Error(outcome.message);
    return outcome.status == DiscStatus::WriteFailed ? kExitIoError : kExitRefused;
}

int RunDisc(const DiscRequest& request, CliEnvironment& env, CliConsole& console) {
    DiscPlan plan;
    if (const DiscOutcome planned = PlanDisc(request, plan);
        planned.status != DiscStatus::Completed) {
        return Failed(planned, console);
    }
    const DiscLength length = MeasurePlan(plan);
    if (length.over80) {
        console.Error(TooLongMessage(length));
        return kExitRefused;
    }
    console.Info(DiscSummary(length));
    for (std::size_t i = 0; i < plan.images.size(); ++i) {
        console.Info(TrackLine(i + 1, plan.images[i], plan.names[i]));
        if (plan.images[i].ignoredBytes > 0) {
            console.Info(IgnoredTailLine(plan.images[i].ignoredBytes, plan.images[i].path));
        }
    }
    if (env.interrupted.load()) {
        console.Error("Stopped; nothing was written");
        return kExitStopped;
    }
    const DiscWrite write = WriteDisc(plan, request.toc, request.replace, request.reader);
    for (const std::string& note : write.notes) console.Info(note);
    if (write.outcome.status != DiscStatus::Completed) return Failed(write.outcome, console);
    console.Info("Written: " + request.toc);
    if (request.reader == TocReader::Cdrdao) {
        console.Info("Burn it with: cdrdao write --swap " + TocShellWord(request.toc));
    } else {
        console.Info("Make the disc image with: chdman createcd -i " + TocShellWord(request.toc) +
                     " -o DISC.chd");
    }
    return kExitCompleted;
}

}  // namespace

CliCommand SetUpDiscCommand(CLI::App& app, CliEnvironment& env) {
    auto o = std::make_shared<DiscOptions>();
    CLI::App* sub =
        app.add_subcommand("disc", "one cdrdao toc for a disc of several images, with CD-TEXT");
    sub->add_option("OUT.toc", o->toc, "the toc to write")->required();
    sub->add_option("IMAGE", o->images, "the images, one track each, in this order")->required();
    sub->add_option("--title", o->title, "the album's title (default: OUT's base name)")
        ->option_text("T");
    sub->add_option("--performer", o->performer,
                    "the album's performer (default: the one all tracks share)")
        ->option_text("P");
    sub->add_option("--titles", o->titles,
                    "the tracks' names, one \"Performer - Title\" line per image")
        ->option_text("FILE");
    sub->add_flag("--chdman", o->chdman,
                  "write the toc for chdman createcd (not for burning: cdrdao refuses it)");
    sub->add_flag("--force", o->force, "replace OUT.toc if it exists");
    sub->add_flag("--quiet", o->quiet, "print errors only");
    sub->footer(
        "Names come from --titles, else from what Orvane embedded in an image made with\n"
        "lyrics, else from a file name \"Performer - Title.img\", else the file name.\n"
        "Burn with: cdrdao write --swap OUT.toc");
    return {sub, [o, sub, &env] {
                CliConsole console(env.err, env.errIsTerminal, o->quiet, env.localTime);
                return RunDisc(RequestFor(*o, *sub), env, console);
            }};
}

}  // namespace orvane
