// Owning handles for FFmpeg's objects, its error texts and its log: what every
// user of the libraries (imports, the player's PNG, the MP3 export) needs.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/error.h>
#include <libavutil/frame.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <memory>
#include <string>
#include <vector>

namespace orvane::av {

// av_strerror's text ("Invalid data found when processing input").
inline std::string ErrorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

// The libraries' own messages are kept per thread rather than printed: an
// error line is often more telling than the error code ("Header missing"),
// and a warning on the terminal or the window's stderr tells a user nothing.
// Installed once, on the first call. TakeLogLines() returns the error lines
// since the last call (the latest few) and forgets them.
void CaptureLibraryLog();
std::vector<std::string> TakeLogLines();

// The reason to show for a failed call: the library's last error line where
// it printed one, with the error code's text. `lines` from TakeLogLines().
std::string Reason(int code, const std::vector<std::string>& lines);
std::string Reason(int code);

struct FormatCloser {
    void operator()(AVFormatContext* f) const { avformat_close_input(&f); }
};
struct CodecCloser {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameCloser {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketCloser {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct SwrCloser {
    void operator()(SwrContext* s) const { swr_free(&s); }
};
struct SwsCloser {
    void operator()(SwsContext* s) const { sws_freeContext(s); }
};
using CodecPtr = std::unique_ptr<AVCodecContext, CodecCloser>;
using FramePtr = std::unique_ptr<AVFrame, FrameCloser>;
using PacketPtr = std::unique_ptr<AVPacket, PacketCloser>;
using SwrPtr = std::unique_ptr<SwrContext, SwrCloser>;
using SwsPtr = std::unique_ptr<SwsContext, SwsCloser>;

}  // namespace orvane::av
