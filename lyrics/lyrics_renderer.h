// libass's frames of the laid-out lyrics turned into tile states over the
// picture. Frames are drawn only when something changes: at every sector
// while a word sweeps, at its start for the others, and when a line,
// title or countdown comes or goes. Only the shown elements' own pixels are
// kept, never whole screens.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "encoder/picture.h"
#include "lyrics/screen_element.h"
#include "lyrics/screen_timeline.h"

namespace orvane {

// The first sector whose screen shows the moment `ms`, and the moment a
// sector's screen shows.
inline std::int64_t SectorAt(std::int64_t ms) {
    return (ms * 3 + 39) / 40;
}
inline std::int64_t MsOfSector(std::int64_t sector) {
    return sector * 40 / 3;
}

// `picture`: the reduced picture (lyrics' colours in 12 .. 15). Appends to
// `changes` sorted by deadline then tile. False with `error` when libass
// cannot start or parse a script.
bool RenderTileStates(const Picture& picture, const std::vector<ScreenElement>& elements,
                      const std::string& fontFile, std::int64_t sectorCount,
                      std::vector<TileState>& changes, std::string& error);

}  // namespace orvane
