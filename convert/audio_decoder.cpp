#include "convert/audio_decoder.h"

extern "C" {
#include <libavutil/opt.h>
}

#include <algorithm>
#include <cstring>
#include <vector>

#include "convert/av_support.h"

namespace orvane {
namespace {

AudioStatus StatusOf(int code, bool opening) {
    if (code == AVERROR_EXIT) return AudioStatus::Stopped;
    if (code == AVERROR_INVALIDDATA || code == AVERROR_STREAM_NOT_FOUND ||
        code == AVERROR_DECODER_NOT_FOUND)
        return opening ? AudioStatus::NotAudio : AudioStatus::DecodeFailed;
    // System errors (no such file, permission, I/O) have negative errno codes.
    if (code > -4096 && opening) return AudioStatus::OpenFailed;
    return opening ? AudioStatus::NotAudio : AudioStatus::DecodeFailed;
}

// What a resampler was built for, so a change in the middle of a stream (a
// joined MP3 whose rate changes) builds a new one.
struct InputShape {
    int rate = 0;
    int format = -1;
    AVChannelLayout layout{};
    bool Matches(const AVFrame* f) const {
        return f->sample_rate == rate && f->format == format &&
               av_channel_layout_compare(&f->ch_layout, &layout) == 0;
    }
};

}  // namespace

struct AudioDecoder::State {
    explicit State(std::function<bool()> cancelled) : input(std::move(cancelled)) {}
    ~State() { av_channel_layout_uninit(&shape.layout); }

    av::InputFile input;
    int streamIndex = -1;
    av::CodecPtr codec;
    av::SwrPtr swr;
    InputShape shape;
    av::PacketPtr packet{av_packet_alloc()};
    av::FramePtr frame{av_frame_alloc()};
    int outChannels = kChannels;  // 1 for mono: copied to both sides after
    std::vector<std::int16_t> converted;
    std::vector<std::int16_t> pending;  // converted, not yet handed out
    std::size_t pendingAt = 0;          // samples of `pending` handed out
    bool draining = false;              // the decoder has been sent its end
    bool finished = false;
    bool decodedAny = false;
    AudioError error;

    bool Fail(int code) {
        error = {StatusOf(code, false), av::Reason(code)};
        return false;
    }
    bool SetUpResampler(const AVFrame* f);
    int Room(int samples, int rate) const;
    void AppendOutput(const std::int16_t* samples, int frames);
    bool Convert(const AVFrame* f);
    bool Flush();
    bool DecodeMore();
};

bool AudioDecoder::State::SetUpResampler(const AVFrame* f) {
    if (swr && !Flush()) return false;
    AVChannelLayout in{};
    if (f->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || f->ch_layout.nb_channels <= 0)
        av_channel_layout_default(&in, std::max(1, f->ch_layout.nb_channels));
    else
        av_channel_layout_copy(&in, &f->ch_layout);
    // Mono is resampled and dithered once and then copied to both sides, so
    // both carry the same samples at the same level (no -3 dB centre mix).
    outChannels = in.nb_channels == 1 ? 1 : kChannels;
    AVChannelLayout out{};
    av_channel_layout_default(&out, outChannels);
    SwrContext* raw = nullptr;
    int rc =
        swr_alloc_set_opts2(&raw, &out, AV_SAMPLE_FMT_S16, kRate, &in,
                            static_cast<AVSampleFormat>(f->format), f->sample_rate, 0, nullptr);
    av::SwrPtr next(raw);
    if (rc >= 0) {
        av_opt_set_int(raw, "resampler", SWR_ENGINE_SOXR, 0);
        av_opt_set_int(raw, "dither_method", SWR_DITHER_TRIANGULAR, 0);
    }
    if (rc >= 0) rc = swr_init(raw);
    av_channel_layout_uninit(&shape.layout);
    shape.rate = f->sample_rate;
    shape.format = f->format;
    shape.layout = in;
    if (rc < 0) return Fail(rc);
    swr = std::move(next);
    return true;
}

// Output space for `samples` more input: swr_get_out_samples alone is too
// small for the SoX engine, which then keeps ever more input queued.
int AudioDecoder::State::Room(int samples, int rate) const {
    const std::int64_t queued = swr_get_delay(swr.get(), rate);
    return static_cast<int>(av_rescale_rnd(queued + samples, kRate, rate, AV_ROUND_UP)) + 256;
}

bool AudioDecoder::State::Convert(const AVFrame* f) {
    if ((!swr || !shape.Matches(f)) && !SetUpResampler(f)) return false;
    const int room = Room(f->nb_samples, f->sample_rate);
    converted.resize(static_cast<std::size_t>(room) * outChannels);
    auto* out = reinterpret_cast<std::uint8_t*>(converted.data());
    const int got = swr_convert(swr.get(), &out, room,
                                const_cast<const std::uint8_t**>(f->extended_data), f->nb_samples);
    if (got < 0) return Fail(got);
    AppendOutput(converted.data(), got);
    return true;
}

void AudioDecoder::State::AppendOutput(const std::int16_t* samples, int frames) {
    if (pendingAt == pending.size()) {
        pending.clear();
        pendingAt = 0;
    }
    if (outChannels == kChannels) {
        pending.insert(pending.end(), samples, samples + frames * kChannels);
        return;
    }
    for (int i = 0; i < frames; ++i) pending.insert(pending.end(), 2, samples[i]);
}

// Takes what the resampler still holds (its filter's tail) into `pending`,
// after whatever `pending` still has.
bool AudioDecoder::State::Flush() {
    pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(pendingAt));
    pendingAt = 0;
    for (;;) {
        const int room = Room(0, shape.rate);
        std::vector<std::int16_t> tail(static_cast<std::size_t>(room) * outChannels);
        auto* out = reinterpret_cast<std::uint8_t*>(tail.data());
        const int got = swr_convert(swr.get(), &out, room, nullptr, 0);
        if (got < 0) return Fail(got);
        if (got == 0) return true;
        AppendOutput(tail.data(), got);
    }
}

// One step of the decode loop: a frame converted into `pending`, or a packet
// fed, or the end reached. False on failure or stop.
bool AudioDecoder::State::DecodeMore() {
    if (input.Cancelled()) return Fail(AVERROR_EXIT);
    int rc = avcodec_receive_frame(codec.get(), frame.get());
    if (rc == 0) {
        decodedAny = true;
        const bool ok = Convert(frame.get());
        av_frame_unref(frame.get());
        return ok;
    }
    if (rc == AVERROR_EOF) {
        finished = true;
        return !swr || Flush();
    }
    if (rc != AVERROR(EAGAIN)) {
        // A damaged frame is skipped, as players do; only a file that never
        // gives a single frame is refused for it.
        if (rc == AVERROR_INVALIDDATA && decodedAny) return true;
        return Fail(rc);
    }
    if (draining) return Fail(AVERROR_BUG);
    rc = av_read_frame(input.format(), packet.get());
    if (rc == AVERROR_EOF) {
        draining = true;
        rc = avcodec_send_packet(codec.get(), nullptr);
        return rc >= 0 || Fail(rc);
    }
    if (rc < 0) return Fail(rc);
    if (packet->stream_index == streamIndex) rc = avcodec_send_packet(codec.get(), packet.get());
    av_packet_unref(packet.get());
    if (rc == AVERROR_INVALIDDATA) return true;  // a damaged packet: skipped
    return rc >= 0 || Fail(rc);
}

AudioDecoder::AudioDecoder() = default;
AudioDecoder::~AudioDecoder() = default;

AudioError AudioDecoder::Open(const std::string& path, std::function<bool()> cancelled) {
    state_ = std::make_unique<State>(std::move(cancelled));
    State& s = *state_;
    auto fail = [&](int code, bool opening) {
        s.error = {StatusOf(code, opening), s.input.Reason(code)};
        s.finished = true;
        return s.error;
    };
    if (!s.packet || !s.frame) return fail(AVERROR(ENOMEM), true);
    int rc = s.input.Open(path);
    if (rc < 0) return fail(rc, true);
    AVFormatContext* format = s.input.format();
    rc = avformat_find_stream_info(format, nullptr);
    if (rc < 0) return fail(rc, true);
    rc = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (rc < 0) {
        av::TakeLogLines();
        s.error = {rc == AVERROR_EXIT ? AudioStatus::Stopped : AudioStatus::NotAudio,
                   "No sound found in the file"};
        s.finished = true;
        return s.error;
    }
    s.streamIndex = rc;
    for (unsigned i = 0; i < format->nb_streams; ++i)
        if (static_cast<int>(i) != s.streamIndex) format->streams[i]->discard = AVDISCARD_ALL;
    rc = av::OpenDecoder(format->streams[s.streamIndex], nullptr, s.codec);
    if (rc < 0) return fail(rc, true);
    s.error = {};
    return s.error;
}

AudioDecoder::ReadResult AudioDecoder::Read(std::int16_t* out, std::size_t count) {
    ReadResult result;
    if (!state_) return {0, AudioStatus::End};
    State& s = *state_;
    if (s.error.status != AudioStatus::Ok) return {0, s.error.status};
    while (result.frames < count) {
        const std::size_t available = (s.pending.size() - s.pendingAt) / kChannels;
        if (available > 0) {
            const std::size_t n = std::min(available, count - result.frames);
            std::memcpy(out + result.frames * kChannels, s.pending.data() + s.pendingAt,
                        n * kChannels * sizeof(std::int16_t));
            s.pendingAt += n * kChannels;
            result.frames += n;
            continue;
        }
        if (s.finished) break;
        if (!s.DecodeMore()) break;
    }
    if (result.frames == 0)
        result.status = s.error.status != AudioStatus::Ok ? s.error.status : AudioStatus::End;
    return result;
}

const AudioError& AudioDecoder::error() const {
    static const AudioError none;
    return state_ ? state_->error : none;
}

std::int64_t AudioDecoder::EstimatedFrames() const {
    if (!state_ || !state_->input.format() || state_->streamIndex < 0) return 0;
    const AVFormatContext* format = state_->input.format();
    if (format->duration > 0) return av_rescale(format->duration, kRate, AV_TIME_BASE);
    const AVStream* stream = format->streams[state_->streamIndex];
    if (stream->duration > 0)
        return av_rescale_q(stream->duration, stream->time_base, AVRational{1, kRate});
    return 0;
}

std::string AudioDecoder::Description() const {
    if (!state_ || !state_->codec) return {};
    const AVFormatContext* format = state_->input.format();
    return std::string(format->iformat->name) + ", " + state_->codec->codec->name;
}

}  // namespace orvane
