#include "export/mp3_writer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/mem.h>
}

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "convert/av_handles.h"

namespace orvane {
namespace {

constexpr int kSampleRate = 44100;
constexpr int kIoBufferBytes = 64 * 1024;

struct FifoFree {
    void operator()(AVAudioFifo* f) const { av_audio_fifo_free(f); }
};
struct FormatFree {
    void operator()(AVFormatContext* f) const { avformat_free_context(f); }
};
struct IoFree {
    void operator()(AVIOContext* io) const {
        av_freep(&io->buffer);
        avio_context_free(&io);
    }
};

}  // namespace

// The muxer writes through our OutputFile, so the temporary name and the
// rename stay ours; the seek lets it go back and fill in the info tag.
struct Mp3Writer::Av {
    OutputFile* file = nullptr;
    std::string writeError;  // the system's text of the first failed write
    std::unique_ptr<AVIOContext, IoFree> io;
    std::unique_ptr<AVFormatContext, FormatFree> format;
    av::CodecPtr codec;
    av::FramePtr frame;
    av::PacketPtr packet;
    std::unique_ptr<AVAudioFifo, FifoFree> fifo;
    AVStream* stream = nullptr;
    std::int64_t nextPts = 0;
    std::vector<std::int16_t> left, right;

    static int WritePacket(void* opaque, std::uint8_t* data, int size) {
        auto* self = static_cast<Av*>(opaque);
        const OutputError error = self->file->Write(data, static_cast<std::size_t>(size));
        if (!error) return size;
        if (self->writeError.empty()) self->writeError = error.message;
        return AVERROR(EIO);
    }

    static std::int64_t Seek(void* opaque, std::int64_t offset, int whence) {
        auto* self = static_cast<Av*>(opaque);
        const int fd = self->file->fd();
        if (whence == AVSEEK_SIZE) {
            struct stat st {};
            return fstat(fd, &st) == 0 ? st.st_size : AVERROR(errno);
        }
        const off_t at = lseek(fd, offset, whence & ~AVSEEK_FORCE);
        return at < 0 ? AVERROR(errno) : at;
    }
};

// The encoder's warnings (LAME's flush notes) would reach the user's terminal;
// they are kept with the library's other messages instead.
Mp3Writer::Mp3Writer() : av_(std::make_unique<Av>()) {
    av::CaptureLibraryLog();
}

Mp3Writer::~Mp3Writer() = default;

OutputError Mp3Writer::Failure(const char* what, int code) const {
    if (!av_->writeError.empty()) return {true, av_->writeError};
    return {true, std::string(what) + ": " + av::ErrorText(code)};
}

OutputError Mp3Writer::Open(OutputFile& file, int bitrateKbps, const Mp3Tags& tags) {
    Av& av = *av_;
    av.file = &file;
    const AVCodec* lame = avcodec_find_encoder_by_name("libmp3lame");
    if (lame == nullptr) return {true, "FFmpeg has no LAME encoder (libmp3lame)"};
    AVFormatContext* format = nullptr;
    int rc = avformat_alloc_output_context2(&format, nullptr, "mp3", nullptr);
    if (rc < 0) return Failure("MP3 muxer", rc);
    av.format.reset(format);
    auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBufferBytes));
    if (buffer == nullptr) return Failure("Memory", AVERROR(ENOMEM));
    av.io.reset(
        avio_alloc_context(buffer, kIoBufferBytes, 1, &av, nullptr, &Av::WritePacket, &Av::Seek));
    if (!av.io) {
        av_free(buffer);
        return Failure("Memory", AVERROR(ENOMEM));
    }
    format->pb = av.io.get();
    format->flags |= AVFMT_FLAG_CUSTOM_IO;

    av.codec.reset(avcodec_alloc_context3(lame));
    if (!av.codec) return Failure("Memory", AVERROR(ENOMEM));
    AVCodecContext* c = av.codec.get();
    c->sample_fmt = AV_SAMPLE_FMT_S16P;  // LAME's own input: no conversion
    c->sample_rate = kSampleRate;
    av_channel_layout_default(&c->ch_layout, 2);
    c->bit_rate = static_cast<std::int64_t>(bitrateKbps) * 1000;
    c->time_base = {1, kSampleRate};
    if ((rc = avcodec_open2(c, lame, nullptr)) < 0) return Failure("LAME encoder", rc);

    av.stream = avformat_new_stream(format, nullptr);
    if (av.stream == nullptr) return Failure("Memory", AVERROR(ENOMEM));
    // initial_padding travels with the parameters: the muxer puts it in the tag.
    if ((rc = avcodec_parameters_from_context(av.stream->codecpar, c)) < 0)
        return Failure("MP3 stream", rc);
    av.stream->time_base = c->time_base;
    av_dict_set(&format->metadata, "title", tags.title.c_str(), 0);
    if (!tags.artist.empty()) av_dict_set(&format->metadata, "artist", tags.artist.c_str(), 0);
    if ((rc = avformat_write_header(format, nullptr)) < 0) return Failure("MP3 header", rc);

    av.frame.reset(av_frame_alloc());
    av.packet.reset(av_packet_alloc());
    av.fifo.reset(av_audio_fifo_alloc(c->sample_fmt, 2, c->frame_size));
    if (!av.frame || !av.packet || !av.fifo) return Failure("Memory", AVERROR(ENOMEM));
    return {};
}

OutputError Mp3Writer::Write(const std::uint8_t* audio, std::size_t pieces, std::size_t frames,
                             std::size_t stride) {
    Av& av = *av_;
    av.left.resize(pieces * frames);
    av.right.resize(pieces * frames);
    std::size_t out = 0;
    for (std::size_t p = 0; p < pieces; ++p) {
        const std::uint8_t* s = audio + p * stride;
        for (std::size_t i = 0; i < frames; ++i, s += 4, ++out) {
            av.left[out] = static_cast<std::int16_t>(s[0] | s[1] << 8);
            av.right[out] = static_cast<std::int16_t>(s[2] | s[3] << 8);
        }
    }
    void* planes[2] = {av.left.data(), av.right.data()};
    const int rc = av_audio_fifo_write(av.fifo.get(), planes, static_cast<int>(out));
    if (rc < 0) return Failure("MP3 samples", rc);
    return EncodeFrames(false);
}

// LAME takes whole frames of frame_size samples; only the last may be short.
OutputError Mp3Writer::EncodeFrames(bool all) {
    Av& av = *av_;
    const int frameSize = av.codec->frame_size;
    while (av_audio_fifo_size(av.fifo.get()) >= frameSize ||
           (all && av_audio_fifo_size(av.fifo.get()) > 0)) {
        const int n = std::min(frameSize, av_audio_fifo_size(av.fifo.get()));
        AVFrame* f = av.frame.get();
        av_frame_unref(f);
        f->nb_samples = n;
        f->format = av.codec->sample_fmt;
        f->sample_rate = kSampleRate;
        int rc = av_channel_layout_copy(&f->ch_layout, &av.codec->ch_layout);
        if (rc >= 0) rc = av_frame_get_buffer(f, 0);
        if (rc >= 0) rc = av_audio_fifo_read(av.fifo.get(), reinterpret_cast<void**>(f->data), n);
        if (rc < 0) return Failure("MP3 samples", rc);
        f->pts = av.nextPts;
        av.nextPts += n;
        if ((rc = avcodec_send_frame(av.codec.get(), f)) < 0) return Failure("LAME encoder", rc);
        if (const OutputError e = Drain()) return e;
    }
    return {};
}

OutputError Mp3Writer::Drain() {
    Av& av = *av_;
    for (;;) {
        int rc = avcodec_receive_packet(av.codec.get(), av.packet.get());
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) return {};
        if (rc < 0) return Failure("LAME encoder", rc);
        av_packet_rescale_ts(av.packet.get(), av.codec->time_base, av.stream->time_base);
        av.packet->stream_index = av.stream->index;
        rc = av_write_frame(av.format.get(), av.packet.get());
        av_packet_unref(av.packet.get());
        if (rc < 0) return Failure("MP3 frame", rc);
    }
}

OutputError Mp3Writer::Finish() {
    Av& av = *av_;
    if (const OutputError e = EncodeFrames(true)) return e;
    int rc = avcodec_send_frame(av.codec.get(), nullptr);
    if (rc < 0) return Failure("LAME encoder", rc);
    if (const OutputError e = Drain()) return e;
    if ((rc = av_write_trailer(av.format.get())) < 0) return Failure("MP3 info tag", rc);
    avio_flush(av.io.get());
    if (av.io->error < 0) return Failure("MP3 file", av.io->error);
    return {};
}

}  // namespace orvane
