#include "disc/disc_writer.h"

#include <cerrno>
#include <cstring>

#include "disc/cd_text.h"
#include "encoder/output_file.h"

namespace orvane {
namespace {

std::string Fields(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " name" : " names");
}

}  // namespace

DiscLayout LayoutFor(const DiscPlan& plan, std::vector<std::string>& notes) {
    const CdTextFit fit = FitCdText(plan.album, plan.names);
    if (fit.replaced > 0) {
        notes.push_back("CD-TEXT: " + Fields(fit.replaced) +
                        " with letters outside Latin-1, shown as ?");
    }
    if (fit.shortened > 0) {
        notes.push_back("CD-TEXT: " + Fields(fit.shortened) +
                        " shortened to fit the disc's CD-TEXT (160 letters each, about "
                        "3,000 in all)");
    }
    DiscLayout layout;
    layout.album = fit.fields.front();
    for (std::size_t i = 0; i < plan.images.size(); ++i) {
        layout.tracks.push_back({plan.images[i].path, plan.images[i].sectors, fit.fields[i + 1]});
    }
    return layout;
}

DiscWrite WriteDisc(const DiscPlan& plan, const std::string& toc, bool replace, TocReader reader) {
    DiscWrite write;
    const DiscLength length = MeasurePlan(plan);
    if (length.tracks == 0 || length.tracks > kMaxDiscTracks) {
        write.outcome = {DiscStatus::Refused, "A disc holds 1 to 99 tracks"};
        return write;
    }
    if (length.over80) {
        write.outcome = {DiscStatus::Refused, TooLongMessage(length)};
        return write;
    }
    if (length.over74) write.notes.push_back(Over74Warning(length));
    const DiscLayout layout = LayoutFor(plan, write.notes);
    if (reader == TocReader::Chdman) {
        if (std::string why = ChdmanCannotRead(layout, toc); !why.empty()) {
            write.outcome = {DiscStatus::Refused, std::move(why)};
            return write;
        }
    }
    const std::string text = DiscTocText(layout, toc, reader);

    OutputFile file;
    OutputError error = file.Create(toc);
    if (!error) error = file.Write(text.data(), text.size());
    if (!error) error = file.Commit(replace);
    if (error) {
        const bool exists = !replace && error.message == std::strerror(EEXIST);
        write.outcome = {
            exists ? DiscStatus::TargetExists : DiscStatus::WriteFailed,
            exists ? toc + " exists already" : "Cannot write " + toc + ": " + error.message};
    }
    return write;
}

}  // namespace orvane
