# `cpack -G DEB` in the build folder: orvane_VERSION_ARCH.deb, its
# dependencies worked out from the libraries the programs link.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Orvane developers")
set(CPACK_PACKAGE_CONTACT "The Orvane developers <orvane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "CD+G disc image maker for karaoke tracks")
set(CPACK_PACKAGE_DESCRIPTION
"Orvane makes the disc image of a one-picture CD+G audio track from a
288 x 192, 16-colour BMP picture and a 44.1 kHz, 16-bit stereo WAVE
recording. The image holds each audio sector unchanged, followed by the R-W
subcode that carries the CD+G graphics packets, so a karaoke player shows
the picture while the track plays. cdrdao burns it to a disc.

The package holds the desktop program (orvane) and a command-line program
(orvane-cli) that runs the same checks and the same encoder from a terminal
or a script.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://orvane.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
