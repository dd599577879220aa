// cdrdao's table of contents for a raw image: one audio track whose sectors
// carry their R-W subcode, so the drive writes the CD+G packets as they are.
#pragma once

#include <cstdint>
#include <string>

namespace orvane {

// "MM:SS:FF" for a count of sectors (75 a second).
std::string MsfText(std::uint64_t sectors);

// The name a toc at `tocPath` gives its DATAFILE `imagePath`: the path from
// the toc's folder to the image (its file name alone when they sit
// together), absolute only where no such path can be made. cdrdao looks a
// relative name up in the current folder, then beside the toc; chdman only
// beside the toc, and it reads an absolute name as relative too. Folders are
// resolved as the system resolves them (symbolic links followed, so a ".."
// goes where the kernel goes); the image's own name is kept, so a link stays
// a link.
std::string TocDataFilePath(const std::string& imagePath, const std::string& tocPath);

// `text` as a toc string, quoted: a quote escaped; a backslash and control
// bytes as octal escapes (cdrdao 1.2.4 reads "\\" as two backslashes, but
// "\134" as one). Other bytes, UTF-8 included, pass as they are.
std::string TocQuoted(const std::string& text);

// "DATAFILE "PATH" #0 MM:SS:FF": the image's whole sectors from its start.
// The "#0" is what cdrdao assumes anyway; chdman needs it to read the
// length of every track after the first (without it they come out empty).
// `swap` puts chdman's SWAP before the offset (cdrdao refuses it).
std::string TocDataFileLine(const std::string& imagePath, const std::string& tocPath,
                            std::uint64_t sectors, bool swap = false);

// A name as a shell word for a command line shown to the user (quoted
// where needed), on one line whatever the name holds.
std::string TocShellWord(const std::string& text);

// The comment lines that say how to burn the toc, and why --swap.
std::string TocBurnComment(const std::string& tocPath);

// A text on one line: control bytes as '?', so a name in a comment cannot
// end the comment and be read as the toc's own words.
std::string TocOneLine(std::string text);

// The toc's text for one image. `tocPath` gives the DATAFILE's path and the
// NAME in the comment's command line.
std::string TocText(const std::string& imagePath, const std::string& tocPath,
                    std::uint64_t sectors);

}  // namespace orvane
