#include "convert/av_support.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "input/input_file.h"

namespace orvane::av {
namespace {

constexpr int kIoBufferBytes = 64 * 1024;
constexpr std::size_t kId3HeaderBytes = 10;

// The length of the ID3v2 tag at `at` (header, body and footer), or 0 when
// none starts there: "ID3", two version bytes, flags, then the body's size
// as four 7-bit digits.
std::int64_t Id3TagBytes(int fd, std::int64_t at) {
    std::uint8_t h[kId3HeaderBytes];
    if (pread(fd, h, sizeof h, at) != static_cast<ssize_t>(sizeof h)) return 0;
    if (h[0] != 'I' || h[1] != 'D' || h[2] != '3' || h[3] == 0xFF || h[4] == 0xFF) return 0;
    if ((h[6] | h[7] | h[8] | h[9]) & 0x80) return 0;
    const std::int64_t body = (std::int64_t{h[6]} << 21) | (h[7] << 14) | (h[8] << 7) | h[9];
    const bool footer = (h[5] & 0x10) != 0;
    return static_cast<std::int64_t>(kId3HeaderBytes) * (footer ? 2 : 1) + body;
}

}  // namespace

InputFile::InputFile(CancelCheck cancelled) : cancelled_(std::move(cancelled)) {}

InputFile::~InputFile() {
    format_.reset();
    if (io_) {
        av_freep(&io_->buffer);
        avio_context_free(&io_);
    }
    if (fd_ >= 0) close(fd_);
}

int InputFile::ReadPacket(void* opaque, std::uint8_t* buf, int size) {
    auto* self = static_cast<InputFile*>(opaque);
    if (self->Cancelled()) return AVERROR_EXIT;
    ssize_t got;
    do {
        got = pread(self->fd_, buf, static_cast<std::size_t>(size), self->start_ + self->position_);
    } while (got < 0 && errno == EINTR);
    if (got < 0) return AVERROR(errno);
    if (got == 0) return AVERROR_EOF;
    self->position_ += got;
    return static_cast<int>(got);
}

std::int64_t InputFile::Seek(void* opaque, std::int64_t offset, int whence) {
    auto* self = static_cast<InputFile*>(opaque);
    switch (whence & ~AVSEEK_FORCE) {
        case AVSEEK_SIZE:
            return self->size_;
        case SEEK_SET:
            break;
        case SEEK_CUR:
            offset += self->position_;
            break;
        case SEEK_END:
            offset += self->size_;
            break;
        default:
            return AVERROR(EINVAL);
    }
    if (offset < 0) return AVERROR(EINVAL);
    self->position_ = offset;
    return offset;
}

int InputFile::Interrupt(void* opaque) {
    return static_cast<InputFile*>(opaque)->Cancelled() ? 1 : 0;
}

int InputFile::Open(const std::string& path) {
    CaptureLibraryLog();
    const OpenedInput input = OpenInputFile(path, O_RDONLY);
    if (!input) {
        openError_ = input.error;
        return AVERROR(EIO);
    }
    fd_ = input.fd;
    // FFmpeg reads a leading ID3v2 tag whole, pictures and text, into memory
    // several times over, and has no option to leave it; nothing here shows
    // it, so reading starts after it (after each, when there are several).
    for (std::int64_t tag; (tag = Id3TagBytes(fd_, start_)) > 0 && start_ < input.size;)
        start_ = std::min(start_ + tag, input.size);
    size_ = input.size - start_;

    auto* buffer = static_cast<std::uint8_t*>(av_malloc(kIoBufferBytes));
    if (!buffer) return AVERROR(ENOMEM);
    io_ = avio_alloc_context(buffer, kIoBufferBytes, 0, this, ReadPacket, nullptr, Seek);
    if (!io_) {
        av_free(buffer);
        return AVERROR(ENOMEM);
    }
    AVFormatContext* format = avformat_alloc_context();
    if (!format) return AVERROR(ENOMEM);
    format->pb = io_;
    format->flags |= AVFMT_FLAG_CUSTOM_IO;
    format->interrupt_callback = {Interrupt, this};
    // No name: probing looks at the bytes only, never at an extension.
    const int rc = avformat_open_input(&format, "", nullptr, nullptr);
    if (rc < 0) return rc;  // avformat_open_input freed the context
    format_.reset(format);
    return 0;
}

std::string InputFile::Reason(int code) const {
    return openError_.empty() ? av::Reason(code) : openError_;
}

int OpenDecoder(const AVStream* stream, AVDictionary** options, CodecPtr& out,
                const std::function<void(AVCodecContext*)>& prepare) {
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec) return AVERROR_DECODER_NOT_FOUND;
    CodecPtr context(avcodec_alloc_context3(codec));
    if (!context) return AVERROR(ENOMEM);
    int rc = avcodec_parameters_to_context(context.get(), stream->codecpar);
    if (rc < 0) return rc;
    context->pkt_timebase = stream->time_base;
    if (prepare) prepare(context.get());
    rc = avcodec_open2(context.get(), codec, options);
    if (rc < 0) return rc;
    out = std::move(context);
    return 0;
}

}  // namespace orvane::av
