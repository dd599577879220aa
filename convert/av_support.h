// What every reader of everyday files shares: an input opened by its
// contents alone, and its decoder.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "convert/av_handles.h"

namespace orvane::av {

// A file opened for demuxing through our own reads, so that only its bytes
// choose the format (a PNG named .jpg is still a PNG), so that a stop request
// ends any read or probe at once (AVERROR_EXIT), and so that a leading ID3v2
// tag, however large, costs nothing: it is never read.
class InputFile {
  public:
    using CancelCheck = std::function<bool()>;
    explicit InputFile(CancelCheck cancelled = {});
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // 0 or an AVERROR; a system error (ENOENT, EACCES, EISDIR) as
    // AVERROR(errno). Only a regular file is opened: anything else fails
    // with AVERROR(EIO), and Reason() says what it is.
    int Open(const std::string& path);
    // The text for a failed call: what the file is when Open refused it,
    // else the library's reason (av::Reason).
    std::string Reason(int code) const;
    AVFormatContext* format() const { return format_.get(); }
    bool Cancelled() const { return cancelled_ && cancelled_(); }
    std::int64_t size() const { return size_; }

  private:
    static int ReadPacket(void* opaque, std::uint8_t* buf, int size);
    static std::int64_t Seek(void* opaque, std::int64_t offset, int whence);
    static int Interrupt(void* opaque);

    CancelCheck cancelled_;
    int fd_ = -1;
    std::int64_t size_ = 0;
    std::int64_t start_ = 0;     // where reading starts: after any ID3v2 tag
    std::int64_t position_ = 0;  // from start_
    std::string openError_;
    AVIOContext* io_ = nullptr;
    std::unique_ptr<AVFormatContext, FormatCloser> format_;
};

// Opens a decoder for `stream` with `options` (may be null), after
// `prepare` (may be empty) has set what options cannot; 0 or an AVERROR.
int OpenDecoder(const AVStream* stream, AVDictionary** options, CodecPtr& out,
                const std::function<void(AVCodecContext*)>& prepare = {});

}  // namespace orvane::av
