#include "disc/disc_toc.h"

#include <filesystem>

#include "disc/cd_text.h"
#include "disc/disc_length.h"
#include "export/toc_file.h"

namespace orvane {
namespace {

std::string Header(const DiscLayout& disc, const std::string& tocPath, TocReader reader) {
    const std::string count = std::to_string(disc.tracks.size());
    const std::string what = reader == TocReader::Chdman ? "// chdman's" : "// cdrdao's";
    std::string text = what + " table of contents for a CD+G disc of " + count +
                       (disc.tracks.size() == 1 ? " track" : " tracks") + ", made by Orvane.\n//\n";
    if (reader == TocReader::Chdman) {
        return text +
               "// For chdman alone: make the disc image with\n"
               "//   chdman createcd -i " +
               TocShellWord(std::filesystem::path(tocPath).filename().string()) + " -o " +
               TocShellWord(std::filesystem::path(tocPath).stem().string() + ".chd") +
               "\n"
               "// Each DATAFILE says SWAP, so that chdman stores the audio, which the\n"
               "// images keep in the byte order of a WAVE file, as a disc image must hold\n"
               "// it. cdrdao refuses SWAP there: burn the toc written without --chdman.\n";
    }
    return text + TocBurnComment(tocPath) +
           "//\n"
           "// Tracks are 2 s apart, as players expect. The CD-TEXT holds the album's\n"
           "// and each track's title and performer. For a disc image (CHD) that\n"
           "// emulators and media players read, write the toc again with\n"
           "// orvane-cli disc --chdman and give that one to chdman createcd.\n";
}

std::string CdTextBlock(const TrackNames& names, const std::string& indent) {
    return indent + "  LANGUAGE 0 {\n" + indent + "    TITLE " + CdTextQuoted(names.title) + "\n" +
           indent + "    PERFORMER " + CdTextQuoted(names.performer) + "\n" + indent + "  }\n";
}

std::string TrackText(const DiscTrack& track, std::size_t number, const std::string& tocPath,
                      TocReader reader) {
    std::string text = "\n// Track " + std::to_string(number) + ": " +
                       TocOneLine(std::filesystem::path(track.image).filename().string()) +
                       "\nTRACK AUDIO RW\nCD_TEXT {\n" + CdTextBlock(track.names, "") + "}\n";
    if (number > 1) text += "ZERO AUDIO RW " + MsfText(kTrackGapSectors) + "\n";
    text +=
        TocDataFileLine(track.image, tocPath, track.sectors, reader == TocReader::Chdman) + "\n";
    if (number > 1) text += "START " + MsfText(kTrackGapSectors) + "\n";
    return text;
}

}  // namespace

std::string ChdmanCannotRead(const DiscLayout& disc, const std::string& tocPath) {
    for (const DiscTrack& track : disc.tracks) {
        const std::string path = TocDataFilePath(track.image, tocPath);
        if (path.find_first_of("\"\\") != std::string::npos) {
            return "chdman cannot read the name " + TocOneLine(path) +
                   " (it takes no quote or backslash in a toc); rename the file";
        }
        if (TocDataFileLine(track.image, tocPath, track.sectors, true).size() > 500) {
            return "chdman cannot read the name " + TocOneLine(path) +
                   " (too long for its toc lines); move the toc nearer the image";
        }
    }
    return {};
}

std::string DiscTocText(const DiscLayout& disc, const std::string& tocPath, TocReader reader) {
    std::string text = Header(disc, tocPath, reader) +
                       "\nCD_DA\n\n"
                       "CD_TEXT {\n"
                       "  LANGUAGE_MAP { 0 : EN }\n" +
                       CdTextBlock(disc.album, "") + "}\n";
    for (std::size_t i = 0; i < disc.tracks.size(); ++i) {
        text += TrackText(disc.tracks[i], i + 1, tocPath, reader);
    }
    return text;
}

}  // namespace orvane
