// The title and artist an exported MP3 carries. Karaoke players list songs
// by them, and a web player refuses an MP3 whose tag has no title.
#pragma once

#include <string>

namespace orvane {

struct Mp3Tags {
    std::string title;   // never empty
    std::string artist;  // empty: none known
};

// Each of `title` and `artist` as given; where one is empty, from the MP3's
// base name when it reads "Artist - Title"; else the base name is the title.
// `mp3` is the MP3's path, or its name inside a bundle.
Mp3Tags TagsFor(const std::string& title, const std::string& artist, const std::string& mp3);

}  // namespace orvane
