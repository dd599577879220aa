// cdrdao's table of contents for a raw image: one audio track whose sectors
// carry their R-W subcode, so the drive writes the CD+G packets as they are.
#pragma once

#include <cstdint>
#include <string>

namespace orvane {

// "MM:SS:FF" for a count of sectors (75 a second).
std::string MsfText(std::uint64_t sectors);

// The toc's text. The image is named by its file name alone when it sits in
// the toc's folder (cdrdao looks in the current folder, then beside the
// toc), by its absolute path otherwise. `tocPath` gives the NAME in the
// comment's command line.
std::string TocText(const std::string& imagePath, const std::string& tocPath,
                    std::uint64_t sectors);

}  // namespace orvane
