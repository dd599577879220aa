#include "player/png_writer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/error.h>
#include <libavutil/frame.h>
}

#include <cstring>
#include <memory>

#include "encoder/output_file.h"

namespace orvane {
namespace {

struct CodecFree {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameFree {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketFree {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};

std::string AvErrorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

PngError Failure(std::string message) {
    return {true, std::move(message)};
}

// The encoded file in one packet; an empty packet on failure with `error` set.
std::unique_ptr<AVPacket, PacketFree> Encode(const std::uint8_t* rgb, int width, int height,
                                             std::string& error) {
    std::unique_ptr<AVPacket, PacketFree> packet(av_packet_alloc());
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_PNG);
    std::unique_ptr<AVCodecContext, CodecFree> context(codec ? avcodec_alloc_context3(codec)
                                                             : nullptr);
    std::unique_ptr<AVFrame, FrameFree> frame(av_frame_alloc());
    if (!codec || !context || !frame || !packet) {
        error = "FFmpeg's PNG encoder is not available";
        return nullptr;
    }
    context->width = width;
    context->height = height;
    context->pix_fmt = AV_PIX_FMT_RGB24;
    context->time_base = {1, 1};
    int rc = avcodec_open2(context.get(), codec, nullptr);
    frame->format = AV_PIX_FMT_RGB24;
    frame->width = width;
    frame->height = height;
    if (rc >= 0) rc = av_frame_get_buffer(frame.get(), 0);
    for (int y = 0; rc >= 0 && y < height; ++y) {
        std::memcpy(frame->data[0] + static_cast<std::ptrdiff_t>(y) * frame->linesize[0],
                    rgb + static_cast<std::size_t>(y) * width * 3,
                    static_cast<std::size_t>(width) * 3);
    }
    if (rc >= 0) rc = avcodec_send_frame(context.get(), frame.get());
    if (rc >= 0) rc = avcodec_send_frame(context.get(), nullptr);
    if (rc >= 0) rc = avcodec_receive_packet(context.get(), packet.get());
    if (rc < 0) {
        error = "Cannot encode the PNG: " + AvErrorText(rc);
        return nullptr;
    }
    return packet;
}

}  // namespace

PngError WriteRgbPng(const std::string& path, const std::uint8_t* rgb, int width, int height) {
    std::string error;
    const auto packet = Encode(rgb, width, height, error);
    if (!packet) return Failure(error);
    OutputFile out;
    if (OutputError e = out.Create(path)) return Failure(e.message);
    if (OutputError e = out.Write(packet->data, static_cast<std::size_t>(packet->size))) {
        return Failure(e.message);
    }
    if (OutputError e = out.Commit(true)) return Failure(e.message);
    return {};
}

}  // namespace orvane
