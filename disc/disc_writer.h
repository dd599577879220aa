// Writing a planned disc's toc: the last checks (length, tracks), the
// CD-TEXT fitted, the file written whole or not at all.
#pragma once

#include <string>
#include <vector>

#include "disc/disc_plan.h"

namespace orvane {

struct DiscWrite {
    DiscOutcome outcome;
    std::vector<std::string> notes;  // what was changed to fit CD-TEXT, the 74-minute warning
};

// Refuses a plan with no track, over 99 tracks or over 80 minutes (nothing
// written); writes the toc through a temporary file renamed over `toc`
// (an existing one only with `replace`).
DiscWrite WriteDisc(const DiscPlan& plan, const std::string& toc, bool replace,
                    TocReader reader = TocReader::Cdrdao);

// The layout a plan's toc shows, with its names fitted to CD-TEXT; the
// notes say what fitting changed.
DiscLayout LayoutFor(const DiscPlan& plan, std::vector<std::string>& notes);

}  // namespace orvane
