#include "player/png_writer.h"

#include <cstring>

#include "convert/av_handles.h"
#include "encoder/output_file.h"

namespace orvane {
namespace {

PngError Failure(std::string message) {
    return {true, std::move(message)};
}

// The encoded file in one packet; an empty packet on failure with `error` set.
av::PacketPtr Encode(const std::uint8_t* pixels, int width, int height, PngPixels format,
                     std::string& error) {
    const AVPixelFormat pixFmt = format == PngPixels::Rgb ? AV_PIX_FMT_RGB24 : AV_PIX_FMT_RGBA;
    const std::size_t row = static_cast<std::size_t>(width) * (format == PngPixels::Rgb ? 3 : 4);
    av::PacketPtr packet(av_packet_alloc());
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_PNG);
    av::CodecPtr context(codec ? avcodec_alloc_context3(codec) : nullptr);
    av::FramePtr frame(av_frame_alloc());
    if (!codec || !context || !frame || !packet) {
        error = "FFmpeg's PNG encoder is not available";
        return nullptr;
    }
    context->width = width;
    context->height = height;
    context->pix_fmt = pixFmt;
    context->time_base = {1, 1};
    int rc = avcodec_open2(context.get(), codec, nullptr);
    frame->format = pixFmt;
    frame->width = width;
    frame->height = height;
    if (rc >= 0) rc = av_frame_get_buffer(frame.get(), 0);
    for (int y = 0; rc >= 0 && y < height; ++y) {
        std::memcpy(frame->data[0] + static_cast<std::ptrdiff_t>(y) * frame->linesize[0],
                    pixels + static_cast<std::size_t>(y) * row, row);
    }
    if (rc >= 0) rc = avcodec_send_frame(context.get(), frame.get());
    if (rc >= 0) rc = avcodec_send_frame(context.get(), nullptr);
    if (rc >= 0) rc = avcodec_receive_packet(context.get(), packet.get());
    if (rc < 0) {
        error = "Cannot encode the PNG: " + av::ErrorText(rc);
        return nullptr;
    }
    return packet;
}

}  // namespace

PngError WritePng(const std::string& path, const std::uint8_t* pixels, int width, int height,
                  PngPixels format) {
    std::string error;
    const auto packet = Encode(pixels, width, height, format, error);
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
