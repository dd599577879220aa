// Fixed numbers shared by the code and the layouts.
#pragma once

namespace orvane {

inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDS_ABOUTBOX = 101;
inline constexpr int IDD_MAIN = 102;
inline constexpr int IDM_ABOUTBOX = 16;
inline constexpr int IDR_MAINFRAME = 128;
inline constexpr int IDB_BROWSE = 129;
inline constexpr int IDC_LINK_CURSOR = 130;

inline constexpr int IDC_BROWSE_BITMAP = 1002;
inline constexpr int IDC_BROWSE_WAVE = 1003;
inline constexpr int IDC_BROWSE_OUTPUT = 1004;
inline constexpr int IDC_BITMAP_PATH = 1006;
inline constexpr int IDC_WAVE_PATH = 1007;
inline constexpr int IDC_GRAPHICS_FRAME = 1008;
inline constexpr int IDC_START = 1009;
inline constexpr int IDC_PROGRESS = 1010;
inline constexpr int IDC_PROGRESS_FRAME = 1011;
inline constexpr int IDC_OUTPUT_PATH = 1012;
inline constexpr int IDC_LOG = 1013;
inline constexpr int IDC_WEBSITE_LINK = 1014;
inline constexpr int IDC_EMAIL_LINK = 1015;
inline constexpr int IDC_VERSION_LABEL = 1016;

// The two stock command ids the layouts use.
inline constexpr int IDOK_ID = 1;
inline constexpr int IDCANCEL_ID = 2;

inline constexpr const char* kProgramName = "Orvane";
inline constexpr const char* kVersionLine = "Orvane Version 0.1 Beta";

}  // namespace orvane
