# The player's sound output: SDL2 audio and the clock the screen follows.
add_library(orvane_audio_output STATIC audio_output.cpp audio_clock.cpp)
target_link_libraries(orvane_audio_output PUBLIC orvane_core PRIVATE PkgConfig::SDL2 orvane_warnings)
