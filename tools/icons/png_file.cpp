#include "png_file.h"

#include <cstdio>
#include <cstring>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/error.h>
#include <libavutil/frame.h>
}

namespace orvane::icons {
namespace {

struct ContextFree {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameFree {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketFree {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct FileClose {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

std::string AvErrorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

}  // namespace

std::string WritePng(const std::string& path, const std::vector<std::uint8_t>& rgba, int width,
                     int height) {
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_PNG);
    if (!codec) return "no PNG encoder in this FFmpeg";
    std::unique_ptr<AVCodecContext, ContextFree> context(avcodec_alloc_context3(codec));
    std::unique_ptr<AVFrame, FrameFree> frame(av_frame_alloc());
    std::unique_ptr<AVPacket, PacketFree> packet(av_packet_alloc());
    if (!context || !frame || !packet) return "out of memory";
    context->width = width;
    context->height = height;
    context->pix_fmt = AV_PIX_FMT_RGBA;
    context->time_base = {1, 1};
    if (int rc = avcodec_open2(context.get(), codec, nullptr); rc < 0) return AvErrorText(rc);

    frame->format = AV_PIX_FMT_RGBA;
    frame->width = width;
    frame->height = height;
    if (int rc = av_frame_get_buffer(frame.get(), 0); rc < 0) return AvErrorText(rc);
    const std::size_t row = static_cast<std::size_t>(width) * 4;
    if (rgba.size() != row * height) return "pixel buffer of the wrong size";
    for (int y = 0; y < height; ++y) {
        std::memcpy(frame->data[0] + static_cast<std::ptrdiff_t>(y) * frame->linesize[0],
                    rgba.data() + y * row, row);
    }
    if (int rc = avcodec_send_frame(context.get(), frame.get()); rc < 0) return AvErrorText(rc);
    if (int rc = avcodec_send_frame(context.get(), nullptr); rc < 0) return AvErrorText(rc);
    if (int rc = avcodec_receive_packet(context.get(), packet.get()); rc < 0) {
        return AvErrorText(rc);
    }

    std::unique_ptr<std::FILE, FileClose> file(std::fopen(path.c_str(), "wb"));
    if (!file) return path + ": " + std::strerror(errno);
    const auto size = static_cast<std::size_t>(packet->size);
    if (std::fwrite(packet->data, 1, size, file.get()) != size) return path + ": write failed";
    if (std::fclose(file.release()) != 0) return path + ": write failed";
    return {};
}

}  // namespace orvane::icons
