// The program's images as character maps; the toolkit images are built
// from these at run time, so nothing is read from files.
#include "res/pixel_maps.h"

#include <array>

namespace orvane {
namespace {

// A compact disc seen from the front, transparent centre hole.
constexpr std::array<std::string_view, 16> kIcon16 = {
    "................",  // 0
    ".....KKKKK......",  // 1
    "...KKLLLLLKK....",  // 2
    "..KLLLLLLLCYK...",  // 3
    ".KGLLLLLLCYYYK..",  // 4
    ".KLGLLLLLYYYNK..",  // 5
    "KLWLGLKKKYNNLLK.",  // 6
    "KWLWLK...KLLLLK.",  // 7
    "KLLLLK...KLLLLK.",  // 8
    "KLLLLK...KLWLWK.",  // 9
    "KLLNNYKKKLGLWLK.",  // 10
    ".KNYYYLLLLLGLK..",  // 11
    ".KYYYCLLLLLLGK..",  // 12
    "..KYCCLLLLLLK...",  // 13
    "...KKLLLLLKK....",  // 14
    ".....KKKKK......",  // 15
};

// The same disc in finer detail, with a small ring inside the hole.
constexpr std::array<std::string_view, 32> kIcon32 = {
    "................................",  // 0
    "...........KKKKKKKKK............",  // 1
    ".........KKKLLLLLLLKKK..........",  // 2
    ".......KKLLLLLLLLLLLLCKK........",  // 3
    "......KKLLLLLLLLLLLLLCCKK.......",  // 4
    "....KKLLLLLLLLLLLLLLLCCCCKK.....",  // 5
    "....KLGLLLLLLLLLLLLLYYCCCCK.....",  // 6
    "...KLGGGLLLLLLLLLLLLYYYYCCCK....",  // 7
    "..KKLLGGGLLLLLLLLLLLYYYYYCCKK...",  // 8
    "..KLLLLGGGLLLLLLLLLLNNYYYCCCK...",  // 9
    ".KLLLLLLGGLLLLLLLLLNNNNYYYCCCK..",  // 10
    ".KLWLLLLLLGLLKKKKKLNNNNYYYLLLK..",  // 11
    "KKWWWWWLLLLKK.....KKNNLLLLLLLKK.",  // 12
    "KLLLLWWWWLLK.......KLLLLLLLLLLK.",  // 13
    "KLLLLLLLWLK...KKK...KLLLLLLLLLK.",  // 14
    "KLLLLLLLLLK..K...K..KLLLLLLLLLK.",  // 15
    "KLLLLLLLLLK..K...K..KLLLLLLLLLK.",  // 16
    "KLLLLLLLLLK..K...K..KLLLLLLLLLK.",  // 17
    "KLLLLLLLLLK...KKK...KLWLLLLLLLK.",  // 18
    "KLLLLLLLLLLK.......KLLWWWWLLLLK.",  // 19
    "KKLLLLLLLNNKK.....KKLLLLWWWWWKK.",  // 20
    ".KLLLYYYNNNNLKKKKKLLGLLLLLLWLK..",  // 21
    ".KCCCYYYNNNNLLLLLLLLLGGLLLLLLK..",  // 22
    "..KCCCYYYNNLLLLLLLLLLGGGLLLLK...",  // 23
    "..KKCCYYYYYLLLLLLLLLLLGGGLLKK...",  // 24
    "...KCCCYYYYLLLLLLLLLLLLGGGLK....",  // 25
    "....KCCCCYYLLLLLLLLLLLLLGLK.....",  // 26
    "....KKCCCCLLLLLLLLLLLLLLLKK.....",  // 27
    "......KKCCLLLLLLLLLLLLLKK.......",  // 28
    ".......KKCLLLLLLLLLLLLKK........",  // 29
    ".........KKKLLLLLLLKKK..........",  // 30
    "...........KKKKKKKKK............",  // 31
};

// An open folder on the classic button-face grey.
constexpr std::array<std::string_view, 15> kBrowse = {
    "LLLLLLLLLLLLLLLLLL",  // 0
    "LLLLGGGGGLLLLLLLLL",  // 1
    "LLLGWWWWWGLLLLLLLL",  // 2
    "LLGWLYLYLWGGGGGGLL",  // 3
    "LLGWYLYLYLWWWWWGKL",  // 4
    "LLGWLYLYLYLYLYLGKL",  // 5
    "LGGGGGGGGGGGGGYGKL",  // 6
    "LGWWWWWWWWWWGKLGKL",  // 7
    "WGWLYLYLYLYLYKGGKL",  // 8
    "LLGWLYLYLYLYLGKGKL",  // 9
    "LLGWYLYLYLYLYLKGKL",  // 10
    "LLLGWYLYLYLYLYGKKL",  // 11
    "LLLGGGGGGGGGGGGKKL",  // 12
    "LLLLKKKKKKKKKKKKKL",  // 13
    "LLLLLLLLLLLLLLLLLL",  // 14
};

// A pointing hand; the hot spot is the top-left corner, left of the fingertip.
constexpr std::array<std::string_view, 22> kCursor = {
    ".....KK..........",  // 0
    "....KWWK.........",  // 1
    "....KWWK.........",  // 2
    "....KWWK.........",  // 3
    "....KWWK.........",  // 4
    "....KWWKKK.......",  // 5
    "....KWWKWWKKK....",  // 6
    "....KWWKWWKWWKK..",  // 7
    "....KWWKWWKWWKWK.",  // 8
    "KKK.KWWKWWKWWKWWK",  // 9
    "KWWKKWWWWWWWWKWWK",  // 10
    "KWWWKWWWWWWWWWWWK",  // 11
    ".KWWKWWWWWWWWWWWK",  // 12
    "..KWKWWWWWWWWWWWK",  // 13
    "..KWWWWWWWWWWWWWK",  // 14
    "...KWWWWWWWWWWWWK",  // 15
    "...KWWWWWWWWWWWK.",  // 16
    "....KWWWWWWWWWWK.",  // 17
    "....KWWWWWWWWWWK.",  // 18
    ".....KWWWWWWWWK..",  // 19
    ".....KWWWWWWWWK..",  // 20
    ".....KKKKKKKKKK..",  // 21
};

}  // namespace

std::span<const std::string_view> Icon16Map() {
    return kIcon16;
}
std::span<const std::string_view> Icon32Map() {
    return kIcon32;
}
std::span<const std::string_view> BrowseMap() {
    return kBrowse;
}
std::span<const std::string_view> CursorMap() {
    return kCursor;
}

bool MapColor(char c, Rgb& out) {
    // The entries of the standard 16-colour palette that the maps use.
    struct Entry {
        char code;
        Rgb rgb;
    };
    static constexpr Entry kEntries[] = {
        {'K', {0, 0, 0}},        // black
        {'G', {128, 128, 128}},  // dark grey
        {'L', {192, 192, 192}},  // light grey
        {'W', {255, 255, 255}},  // white
        {'Y', {255, 255, 0}},    // yellow
        {'N', {0, 255, 0}},      // green
        {'C', {0, 255, 255}},    // cyan
    };
    for (const Entry& e : kEntries) {
        if (e.code == c) {
            out = e.rgb;
            return true;
        }
    }
    return false;  // '.' (transparent) and anything unknown
}

}  // namespace orvane
