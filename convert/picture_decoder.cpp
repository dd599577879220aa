#include "convert/picture_decoder.h"

extern "C" {
#include <libavutil/pixdesc.h>
}

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "convert/av_support.h"
#include "convert/png_chunks.h"

namespace orvane {
namespace {

// A reduced JPEG decode must still give this many source pixels per screen
// pixel in each direction, so the Lanczos filter has detail to work with.
constexpr int kMinOversampling = 3;

bool IsSystemError(int code) {
    return code < 0 && code > -4096 && code != AVERROR_EXIT;
}

ConvertOutcome Refusal(ConvertStatus status, std::string message) {
    return {status, std::move(message)};
}

bool TooManyPixels(std::int64_t width, std::int64_t height) {
    return width * height > kMaxSourcePixels;
}

ConvertOutcome TooLarge(std::int64_t width, std::int64_t height) {
    std::string size = width > 0
                           ? std::to_string(width) + " x " + std::to_string(height) + " pixels, "
                           : std::string();
    return Refusal(ConvertStatus::TooLarge,
                   "The picture is too large (" + size + "at most 100 megapixels are converted)");
}

// libavutil names the size it refuses: "Picture size 20000x20000 is
// invalid", "Picture size 12000x9000 exceeds specified max pixel count".
bool RefusedSize(const std::vector<std::string>& lines, std::int64_t& width, std::int64_t& height) {
    for (const std::string& line : lines) {
        const std::size_t at = line.find("Picture size ");
        unsigned w = 0, h = 0;
        if (at != std::string::npos &&
            std::sscanf(line.c_str() + at, "Picture size %ux%u", &w, &h) == 2) {
            width = w;
            height = h;
            return true;
        }
    }
    return false;
}

// The size the decoder asked pixel memory for, when it was over the limit.
struct SizeGuard {
    std::atomic<int> width{0};
    std::atomic<int> height{0};
};

// Refuses a picture over the limit the moment the decoder knows its size,
// before the memory for its pixels is taken.
int GetBufferWithinLimit(AVCodecContext* codec, AVFrame* frame, int flags) {
    if (TooManyPixels(frame->width, frame->height)) {
        auto* guard = static_cast<SizeGuard*>(codec->opaque);
        guard->width = frame->width;
        guard->height = frame->height;
        return AVERROR(ENOMEM);
    }
    return avcodec_default_get_buffer2(codec, frame, flags);
}

ConvertOutcome FromAvError(int code, ConvertStatus otherwise, const char* what,
                           const std::string& reason = {}, const SizeGuard* guard = nullptr) {
    if (code == AVERROR_EXIT) return Refusal(ConvertStatus::Stopped, "Stopped");
    const std::vector<std::string> lines = av::TakeLogLines();
    if (guard && guard->width > 0) return TooLarge(guard->width, guard->height);
    std::int64_t width = 0, height = 0;
    if (RefusedSize(lines, width, height)) return TooLarge(width, height);
    const std::string text = reason.empty() ? av::Reason(code, lines) : reason;
    if (IsSystemError(code) && otherwise == ConvertStatus::NotSupported)
        return Refusal(ConvertStatus::Unreadable, "Cannot read the picture: " + text);
    return Refusal(otherwise, what + text);
}

// Reads the next packet of `stream` into `packet`; other streams are skipped.
int NextPacket(AVFormatContext* format, int stream, AVPacket* packet) {
    for (;;) {
        av_packet_unref(packet);
        const int rc = av_read_frame(format, packet);
        if (rc < 0 || packet->stream_index == stream) return rc;
    }
}

// The size a JPEG states, from its headers alone (the decoder skips the
// pixels when told to discard every frame).
void JpegHeaderSize(const AVStream* stream, const AVPacket* first, int& width, int& height) {
    av::CodecPtr codec;
    AVDictionary* options = nullptr;
    av_dict_set(&options, "skip_frame", "all", 0);
    const int rc = av::OpenDecoder(stream, &options, codec);
    av_dict_free(&options);
    if (rc < 0) return;
    if (avcodec_send_packet(codec.get(), first) >= 0) {
        av::FramePtr frame(av_frame_alloc());
        if (frame) avcodec_receive_frame(codec.get(), frame.get());
    }
    width = codec->width;
    height = codec->height;
    av::TakeLogLines();
}

int ReducedDecodeLevel(const AVCodec* codec, int width, int height) {
    int level = 0;
    while (level < codec->max_lowres && (width >> (level + 1)) >= kMinOversampling * 288 &&
           (height >> (level + 1)) >= kMinOversampling * 192)
        ++level;
    return level;
}

// Feeds packets from `packet` on until the first picture comes out.
int DecodeFirstFrame(AVFormatContext* format, int stream, AVCodecContext* codec, AVPacket* packet,
                     AVFrame* frame) {
    bool draining = false;
    int rc = avcodec_send_packet(codec, packet);
    for (;;) {
        if (rc < 0 && rc != AVERROR(EAGAIN)) return rc;
        rc = avcodec_receive_frame(codec, frame);
        if (rc == 0) return 0;
        if (rc == AVERROR_EOF) return AVERROR_INVALIDDATA;
        if (rc != AVERROR(EAGAIN) || draining) return rc;
        rc = NextPacket(format, stream, packet);
        if (rc == AVERROR_EOF) {
            draining = true;
            rc = avcodec_send_packet(codec, nullptr);
        } else if (rc >= 0) {
            rc = avcodec_send_packet(codec, packet);
        }
    }
}

int Orientation(const AVFrame* frame) {
    const AVDictionaryEntry* tag = av_dict_get(frame->metadata, "Orientation", nullptr, 0);
    const int value = tag ? std::atoi(tag->value) : 1;
    return value >= 1 && value <= 8 ? value : 1;
}

int SourceRange(const AVFrame* frame) {
    const auto f = static_cast<AVPixelFormat>(frame->format);
    const bool jpegFormat = f == AV_PIX_FMT_YUVJ420P || f == AV_PIX_FMT_YUVJ422P ||
                            f == AV_PIX_FMT_YUVJ444P || f == AV_PIX_FMT_YUVJ440P ||
                            f == AV_PIX_FMT_YUVJ411P;
    return jpegFormat || frame->color_range == AVCOL_RANGE_JPEG ? 1 : 0;
}

// Any decoder output into the four planes; then colour premultiplied by alpha.
bool ToPlanes(const AVFrame* frame, SourcePicture::Pixels& out) {
    out.width = frame->width;
    out.height = frame->height;
    out.stride = FFALIGN(frame->width, 64);
    const std::size_t bytes = static_cast<std::size_t>(out.stride) * out.height;
    std::uint8_t* dst[4];
    int dstStride[4];
    for (int k = 0; k < 4; ++k) {
        out.planes[k].reset(static_cast<std::uint8_t*>(av_malloc(bytes)));
        if (!out.planes[k]) return false;
        dst[k] = out.Plane(k);
        dstStride[k] = out.stride;
    }
    av::SwsPtr sws(
        sws_getContext(frame->width, frame->height, static_cast<AVPixelFormat>(frame->format),
                       frame->width, frame->height, AV_PIX_FMT_GBRAP,
                       SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT | SWS_FULL_CHR_H_INP,
                       nullptr, nullptr, nullptr));
    if (!sws) return false;
    const int space =
        frame->colorspace == AVCOL_SPC_UNSPECIFIED ? SWS_CS_DEFAULT : frame->colorspace;
    sws_setColorspaceDetails(sws.get(), sws_getCoefficients(space), SourceRange(frame),
                             sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, 1 << 16, 1 << 16);
    if (sws_scale(sws.get(), frame->data, frame->linesize, 0, frame->height, dst, dstStride) !=
        frame->height)
        return false;
    for (int y = 0; y < out.height; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * out.stride;
        const std::uint8_t* a = out.Plane(3) + row;
        for (int x = 0; x < out.width; ++x) {
            if (a[x] == 255) continue;
            out.hasAlpha = true;
            for (int k = 0; k < 3; ++k) {
                std::uint8_t& c = out.Plane(k)[row + x];
                c = static_cast<std::uint8_t>((c * a[x] + 127) / 255);
            }
        }
    }
    return true;
}

}  // namespace

ConvertOutcome DecodePicture(const std::string& path, ProgressSink& progress,
                             SourcePicture::Pixels& out) {
    progress.SetMessage("Reading the picture");
    av::InputFile input([&progress] { return progress.IsCancelled(); });
    int rc = input.Open(path);
    if (rc < 0)
        return FromAvError(rc, ConvertStatus::NotSupported,
                           "Not a picture Orvane can read: ", input.Reason(rc));
    AVFormatContext* format = input.format();
    const int stream = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (stream < 0) {
        av::TakeLogLines();
        return Refusal(ConvertStatus::NotSupported,
                       "Not a picture Orvane can read: no picture found in the file");
    }
    const AVStream* st = format->streams[stream];
    int width = st->codecpar->width, height = st->codecpar->height;
    if (TooManyPixels(width, height)) return TooLarge(width, height);

    av::PacketPtr packet(av_packet_alloc());
    av::FramePtr frame(av_frame_alloc());
    if (!packet || !frame) return Refusal(ConvertStatus::Damaged, "Out of memory");
    rc = NextPacket(format, stream, packet.get());
    if (rc >= 0 && st->codecpar->codec_id == AV_CODEC_ID_PNG) rc = DropPngMetadata(packet.get());
    if (rc < 0) return FromAvError(rc, ConvertStatus::Damaged, "The picture is damaged: ");

    AVDictionary* options = nullptr;
    // The decoder checks its buffer's width rounded up for alignment against
    // the limit too; the headroom lets a picture of exactly 100 megapixels
    // through, and its own size is checked exactly once decoded.
    av_dict_set_int(&options, "max_pixels", kMaxSourcePixels + kMaxSourcePixels / 64, 0);
    if (st->codecpar->codec_id == AV_CODEC_ID_MJPEG) {
        // The JPEG decoder patches up a cut-off or broken scan without a
        // word (the rest comes out one flat colour) unless asked to fail;
        // the other decoders fail on their own.
        av_dict_set(&options, "err_detect", "explode", 0);
        JpegHeaderSize(st, packet.get(), width, height);
        if (TooManyPixels(width, height)) {
            av_dict_free(&options);
            return TooLarge(width, height);
        }
        const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_MJPEG);
        av_dict_set_int(&options, "lowres", ReducedDecodeLevel(codec, width, height), 0);
    }
    av::CodecPtr codec;
    SizeGuard guard;
    rc = av::OpenDecoder(st, &options, codec, [&guard](AVCodecContext* c) {
        c->opaque = &guard;
        c->get_buffer2 = GetBufferWithinLimit;
    });
    av_dict_free(&options);
    if (rc < 0)
        return FromAvError(rc, ConvertStatus::NotSupported, "Not a picture Orvane can read: ");
    progress.SetProgress(10, 100);
    rc = DecodeFirstFrame(format, stream, codec.get(), packet.get(), frame.get());
    if (rc < 0)
        return FromAvError(rc, ConvertStatus::Damaged, "The picture is damaged: ", {}, &guard);
    if (progress.IsCancelled()) return Refusal(ConvertStatus::Stopped, "Stopped");
    if (frame->decode_error_flags != 0 || (frame->flags & AV_FRAME_FLAG_CORRUPT) != 0)
        return FromAvError(AVERROR_INVALIDDATA, ConvertStatus::Damaged, "The picture is damaged: ");
    av::TakeLogLines();
    progress.SetProgress(30, 100);

    out.orientation = Orientation(frame.get());
    if (width <= 0 || height <= 0) {
        width = frame->width;
        height = frame->height;
    }
    if (TooManyPixels(width, height)) return TooLarge(width, height);
    out.fileWidth = out.orientation >= 5 ? height : width;
    out.fileHeight = out.orientation >= 5 ? width : height;
    out.format = avcodec_get_name(st->codecpar->codec_id);
    if (!ToPlanes(frame.get(), out))
        return Refusal(ConvertStatus::Damaged,
                       "The picture is damaged: its pixels cannot be converted");
    progress.SetProgress(40, 100);
    return {};
}

}  // namespace orvane
