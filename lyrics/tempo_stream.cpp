#include "lyrics/tempo_stream.h"

extern "C" {
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/channel_layout.h>
#include <libavutil/frame.h>
}

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace orvane {

namespace {

constexpr std::uint32_t kFrameBytes = 4;
// The song is fed to the filter in pieces of this many frames (about 46 ms).
constexpr int kFeedFrames = 2048;
// atempo's output runs ahead of its input by half its window (1/24 s):
// measured over clicks, the slowed song gives each sound 20.8 ms of song
// time early. The filter is fed from that much before the place asked for,
// so heard byte h is the song at h x speed, as the mapping says.
constexpr std::uint64_t kFilterLeadBytes = 919 * kFrameBytes;

std::uint64_t WholeFrames(std::uint64_t bytes) {
    return bytes - bytes % kFrameBytes;
}

bool KnownSpeed(int percent) {
    return std::find(std::begin(kTimingSpeeds), std::end(kTimingSpeeds), percent) !=
           std::end(kTimingSpeeds);
}

struct GraphFree {
    void operator()(AVFilterGraph* graph) const { avfilter_graph_free(&graph); }
};
struct InOutFree {
    void operator()(AVFilterInOut* io) const { avfilter_inout_free(&io); }
};
struct FrameFree {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};

}  // namespace

std::int64_t HeardBytesToSongMs(std::uint64_t heardBytes, int percent) {
    const std::uint64_t frames = heardBytes / kFrameBytes;
    // ms = frames / 44,100 x 1000 x percent / 100, rounded.
    return static_cast<std::int64_t>((frames * 10 * percent + 44100 / 2) / 44100);
}

std::uint64_t SongMsToHeardBytes(std::int64_t songMs, int percent) {
    if (songMs <= 0 || percent <= 0) return 0;
    const auto ms = static_cast<std::uint64_t>(songMs);
    const std::uint64_t frames = (ms * 44100 + 5 * percent) / (10 * percent);
    return frames * kFrameBytes;
}

std::uint64_t HeardLength(std::uint64_t songBytes, int percent) {
    if (percent <= 0) return 0;
    return WholeFrames(songBytes / kFrameBytes * 100 / percent * kFrameBytes);
}

// One run of atempo from a place in the song: the graph, where the next
// piece of the song and the next heard byte are, and what the filter gave
// that was not read yet.
struct TempoStream::Filter {
    std::unique_ptr<AVFilterGraph, GraphFree> graph;
    AVFilterContext* source = nullptr;
    AVFilterContext* sink = nullptr;
    std::uint64_t songNext = 0;
    std::uint64_t silenceLeft = 0;  // fed before the song's start
    std::uint64_t heardNext = 0;
    std::vector<std::uint8_t> pending;
    std::size_t pendingRead = 0;
    std::int64_t pts = 0;
    bool ended = false;    // the song's end was sent
    bool drained = false;  // and the filter has given everything
};

namespace {

// abuffer -> atempo -> aformat (s16 stereo) -> abuffersink.
bool BuildGraph(AVFilterGraph* graph, int percent, AVFilterContext*& source,
                AVFilterContext*& sink) {
    const std::string args =
        "time_base=1/44100:sample_rate=44100:sample_fmt=s16:channel_layout=stereo";
    if (avfilter_graph_create_filter(&source, avfilter_get_by_name("abuffer"), "in", args.c_str(),
                                     nullptr, graph) < 0)
        return false;
    if (avfilter_graph_create_filter(&sink, avfilter_get_by_name("abuffersink"), "out", nullptr,
                                     nullptr, graph) < 0)
        return false;
    std::unique_ptr<AVFilterInOut, InOutFree> outputs(avfilter_inout_alloc());
    std::unique_ptr<AVFilterInOut, InOutFree> inputs(avfilter_inout_alloc());
    if (!outputs || !inputs) return false;
    outputs->name = av_strdup("in");
    outputs->filter_ctx = source;
    inputs->name = av_strdup("out");
    inputs->filter_ctx = sink;
    const std::string chain = "atempo=tempo=" + std::to_string(percent / 100.0) +
                              ",aformat=sample_fmts=s16:sample_rates=44100:channel_layouts=stereo";
    AVFilterInOut* in = inputs.release();
    AVFilterInOut* out = outputs.release();
    const int parsed = avfilter_graph_parse_ptr(graph, chain.c_str(), &in, &out, nullptr);
    avfilter_inout_free(&in);
    avfilter_inout_free(&out);
    return parsed >= 0 && avfilter_graph_config(graph, nullptr) >= 0;
}

}  // namespace

TempoStream::TempoStream(SongPull song, std::uint64_t songBytes)
    : song_(std::move(song)), songBytes_(WholeFrames(songBytes)) {}

TempoStream::~TempoStream() = default;

bool TempoStream::SetSpeed(int percent) {
    if (!KnownSpeed(percent)) return false;
    std::lock_guard lock(mutex_);
    percent_ = percent;
    filter_.reset();
    return true;
}

int TempoStream::Speed() const {
    std::lock_guard lock(mutex_);
    return percent_;
}

std::uint64_t TempoStream::Length() const {
    std::lock_guard lock(mutex_);
    return HeardLength(songBytes_, percent_);
}

std::size_t TempoStream::Read(std::uint64_t offset, std::uint8_t* out, std::size_t bytes) {
    std::lock_guard lock(mutex_);
    if (percent_ == 100) return song_(offset, out, bytes);
    return ReadSlowed(offset, out, bytes);
}

// The next piece for the filter into `out` (room for kFeedFrames): the
// silence before the song's start, then the song. Its size in bytes, 0 at
// the song's end.
std::size_t TempoStream::FeedPiece(Filter& f, std::uint8_t* out) {
    std::size_t room = kFeedFrames * kFrameBytes;
    const auto silence = static_cast<std::size_t>(std::min<std::uint64_t>(f.silenceLeft, room));
    std::memset(out, 0, silence);
    f.silenceLeft -= silence;
    room -= silence;
    const auto wanted = static_cast<std::size_t>(
        std::min<std::uint64_t>(room, songBytes_ - std::min(songBytes_, f.songNext)));
    const std::size_t got =
        wanted > 0 ? std::min(song_(f.songNext, out + silence, wanted), wanted) : 0;
    const std::size_t whole = got - got % kFrameBytes;
    f.songNext += whole;
    return silence + whole;
}

// Feeds the song to the filter piece by piece until `bytes` are pending or
// the filter has given its last.
std::size_t TempoStream::ReadSlowed(std::uint64_t offset, std::uint8_t* out, std::size_t bytes) {
    if (!filter_ || filter_->heardNext != offset) {
        filter_ = std::make_unique<Filter>();
        filter_->graph.reset(avfilter_graph_alloc());
        if (!filter_->graph ||
            !BuildGraph(filter_->graph.get(), percent_, filter_->source, filter_->sink)) {
            filter_->drained = true;
        }
        filter_->heardNext = offset;
        const std::uint64_t songAt = offset / kFrameBytes * percent_ / 100 * kFrameBytes;
        filter_->songNext = songAt - std::min(songAt, kFilterLeadBytes);
        filter_->silenceLeft = kFilterLeadBytes - std::min(songAt, kFilterLeadBytes);
    }
    Filter& f = *filter_;
    std::unique_ptr<AVFrame, FrameFree> frame(av_frame_alloc());
    if (!frame) return 0;
    while (f.pending.size() - f.pendingRead < bytes && !f.drained) {
        if (!f.ended) {
            frame->nb_samples = kFeedFrames;
            frame->format = AV_SAMPLE_FMT_S16;
            frame->sample_rate = 44100;
            av_channel_layout_default(&frame->ch_layout, 2);
            frame->pts = f.pts;
            if (av_frame_get_buffer(frame.get(), 0) < 0) return 0;
            const std::size_t whole = FeedPiece(f, frame->data[0]);
            if (whole == 0) {
                f.ended = true;
                if (av_buffersrc_add_frame(f.source, nullptr) < 0) f.drained = true;
            } else {
                frame->nb_samples = static_cast<int>(whole / kFrameBytes);
                f.pts += frame->nb_samples;
                if (av_buffersrc_add_frame(f.source, frame.get()) < 0) f.drained = true;
            }
            av_frame_unref(frame.get());
        }
        // Take what the filter has ready, after what is still unread.
        f.pending.erase(f.pending.begin(), f.pending.begin() + f.pendingRead);
        f.pendingRead = 0;
        for (;;) {
            const int got = av_buffersink_get_frame(f.sink, frame.get());
            if (got == AVERROR(EAGAIN)) break;
            if (got < 0) {
                f.drained = true;  // the end, or a failure: silence from here
                break;
            }
            const std::size_t size = static_cast<std::size_t>(frame->nb_samples) * kFrameBytes;
            f.pending.insert(f.pending.end(), frame->data[0], frame->data[0] + size);
            av_frame_unref(frame.get());
        }
    }
    const std::size_t given = std::min(bytes, f.pending.size() - f.pendingRead);
    std::memcpy(out, f.pending.data() + f.pendingRead, given);
    f.pendingRead += given;
    f.heardNext += given;
    return given;
}

}  // namespace orvane
