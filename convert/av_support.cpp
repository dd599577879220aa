#include "convert/av_support.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace orvane::av {
namespace {

constexpr int kIoBufferBytes = 64 * 1024;

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
        got = pread(self->fd_, buf, static_cast<std::size_t>(size), self->position_);
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
    fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return AVERROR(errno);
    struct stat st {};
    if (fstat(fd_, &st) != 0) return AVERROR(errno);
    if (S_ISDIR(st.st_mode)) return AVERROR(EISDIR);
    size_ = S_ISREG(st.st_mode) ? static_cast<std::int64_t>(st.st_size) : -1;

    auto* buffer = static_cast<std::uint8_t*>(av_malloc(kIoBufferBytes));
    if (!buffer) return AVERROR(ENOMEM);
    io_ = avio_alloc_context(buffer, kIoBufferBytes, 0, this, ReadPacket, nullptr,
                             size_ >= 0 ? Seek : nullptr);
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

int OpenDecoder(const AVStream* stream, AVDictionary** options, CodecPtr& out) {
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec) return AVERROR_DECODER_NOT_FOUND;
    CodecPtr context(avcodec_alloc_context3(codec));
    if (!context) return AVERROR(ENOMEM);
    int rc = avcodec_parameters_to_context(context.get(), stream->codecpar);
    if (rc < 0) return rc;
    context->pkt_timebase = stream->time_base;
    rc = avcodec_open2(context.get(), codec, options);
    if (rc < 0) return rc;
    out = std::move(context);
    return 0;
}

}  // namespace orvane::av
