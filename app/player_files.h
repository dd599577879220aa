// Which files the player window plays: its chooser, and the sound file that
// goes with a .cdg stream.
#pragma once

#include <string>

namespace orvane {

inline constexpr const char* kPlayChooserTitle = "Play image";
inline constexpr const char* kPlayChooserFilter =
    "CD+G images and streams (*.cdg)|*.cdg|All Files (*.*)|*.*";

// Where the chooser starts: the last image this window made, or its folder
// when the image has gone; "" (the toolkit's choice) when neither is there.
std::string ChooserStart(const std::string& lastImagePath);

// The sound file beside a .cdg stream: the same name with .mp3, .wav, .ogg
// or .flac, in that order of preference, the name's case as it is before any
// other; "" when there is none.
std::string CompanionAudio(const std::string& cdgPath);

}  // namespace orvane
