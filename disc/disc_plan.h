// A disc as the command line asks for it: the toc to write, the images in
// order, and where the names come from; checked and measured before
// anything is written.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "disc/disc_length.h"
#include "disc/disc_toc.h"
#include "disc/track_image.h"
#include "disc/track_names.h"

namespace orvane {

enum class DiscStatus {
    Completed,
    TargetExists,  // the toc exists and replacing was not asked for
    Refused,       // an image, the names, the length or the toc's name
    WriteFailed,
};

struct DiscOutcome {
    DiscStatus status = DiscStatus::Completed;
    std::string message;  // a whole sentence when not completed
};

// Everything a disc is made of, as a front end shows and edits it: names
// in UTF-8, as the user wrote or the images carry them.
struct DiscPlan {
    std::vector<TrackImage> images;
    std::vector<TrackNames> names;  // one per image
    TrackNames album;
};

struct DiscRequest {
    std::string toc;
    std::vector<std::string> images;
    std::optional<std::string> title;      // the album's; default: the toc's base name
    std::optional<std::string> performer;  // default: the one all tracks share
    std::string titlesFile;                // empty: names from tags and file names
    bool replace = false;
    TocReader reader = TocReader::Cdrdao;
};

// Whether `toc` may be written, by the output rule: not one of `inputs`
// (the images, the titles list), not a folder, device or pipe, and new
// unless `replace`. Only asks the file system about names.
DiscOutcome CheckDiscTarget(const std::string& toc, const std::vector<std::string>& inputs,
                            bool replace);

// The album's default title: the toc's base name.
std::string DefaultAlbumTitle(const std::string& toc);

// Checks the toc's name, every image (a file named twice is read once) and
// the titles list, and chooses the names. `plan` is filled when completed.
DiscOutcome PlanDisc(const DiscRequest& request, DiscPlan& plan);

// The measure of a plan's tracks.
DiscLength MeasurePlan(const DiscPlan& plan);

}  // namespace orvane
