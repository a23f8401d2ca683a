#include "video_encoder.h"

#include <algorithm>
#include <stdexcept>

#include "gif_palette.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace frost::frostcard {
namespace {

void Check(int result, const std::string& what) {
  if (result >= 0)
    return;
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_make_error_string(text, sizeof text, result);
  throw std::runtime_error(what + ": " + text);
}

template <class T>
T* Allocated(T* pointer) {
  if (pointer == nullptr)
    throw std::bad_alloc();
  return pointer;
}

struct FreeCodec {
  void operator()(AVCodecContext* codec) const { avcodec_free_context(&codec); }
};
struct FreeFrame {
  void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct FreePacket {
  void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct FreeScaler {
  void operator()(SwsContext* scaler) const { sws_freeContext(scaler); }
};
struct FreeResampler {
  void operator()(SwrContext* resampler) const { swr_free(&resampler); }
};
struct FreeFifo {
  void operator()(AVAudioFifo* fifo) const { av_audio_fifo_free(fifo); }
};
struct CloseOutput {
  void operator()(AVFormatContext* output) const {
    if (output->pb != nullptr)
      avio_closep(&output->pb);
    avformat_free_context(output);
  }
};

using FramePtr = std::unique_ptr<AVFrame, FreeFrame>;

struct Choice {
  const char* format;
  const char* video;
  const char* audio;  // nullptr: no sound
  int audioRate;
  std::int64_t audioBitRate;
};

Choice ChoiceFor(VideoKind kind) {
  switch (kind) {
    case VideoKind::kMp4:
      return {"mp4", "libx264", "aac", 44100, 128000};
    case VideoKind::kWebm:
      return {"webm", "libvpx-vp9", "libopus", 48000, 96000};  // Opus knows no 44.1 kHz
    case VideoKind::kGif:
      break;
  }
  return {"gif", "gif", nullptr, 0, 0};
}

// One encoder and the stream of the file it fills.
struct Track {
  std::unique_ptr<AVCodecContext, FreeCodec> codec;
  AVStream* stream = nullptr;
  std::int64_t nextPts = 0;
};

std::unique_ptr<AVCodecContext, FreeCodec> NewCodec(const char* name) {
  const AVCodec* codec = avcodec_find_encoder_by_name(name);
  if (codec == nullptr)
    throw std::runtime_error(std::string("this FFmpeg has no ") + name + " encoder");
  return std::unique_ptr<AVCodecContext, FreeCodec>(Allocated(avcodec_alloc_context3(codec)));
}

void OpenTrack(AVFormatContext* output, Track& track, AVDictionary* options) {
  if ((output->oformat->flags & AVFMT_GLOBALHEADER) != 0)
    track.codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  const int opened = avcodec_open2(track.codec.get(), nullptr, &options);
  av_dict_free(&options);
  Check(opened, std::string("cannot open the ") + track.codec->codec->name + " encoder");
  track.stream = Allocated(avformat_new_stream(output, nullptr));
  Check(avcodec_parameters_from_context(track.stream->codecpar, track.codec.get()),
        "cannot describe the stream");
  track.stream->time_base = track.codec->time_base;
}

AVDictionary* VideoOptions(VideoKind kind) {
  AVDictionary* options = nullptr;
  if (kind == VideoKind::kMp4) {
    // Fast enough to export faster than the show plays on two cores; the snow and the gold
    // stay crisp at this quality.
    av_dict_set(&options, "preset", "veryfast", 0);
    av_dict_set(&options, "crf", "18", 0);
  } else if (kind == VideoKind::kWebm) {
    av_dict_set(&options, "deadline", "realtime", 0);
    av_dict_set(&options, "cpu-used", "8", 0);
    av_dict_set(&options, "crf", "32", 0);
    av_dict_set(&options, "row-mt", "1", 0);
  }
  return options;
}

void ConfigureVideo(AVCodecContext* codec, const VideoFormat& format) {
  codec->width = format.width;
  codec->height = format.height;
  codec->time_base = {1, format.fps};
  codec->framerate = {format.fps, 1};
  codec->thread_count = 2;
  if (format.kind == VideoKind::kGif) {
    codec->pix_fmt = AV_PIX_FMT_PAL8;
    return;
  }
  codec->pix_fmt = AV_PIX_FMT_YUV420P;
  codec->bit_rate = 0;  // quality, not bit rate, decides
  codec->color_range = AVCOL_RANGE_MPEG;
  codec->colorspace = AVCOL_SPC_BT709;
  codec->color_primaries = AVCOL_PRI_BT709;
  codec->color_trc = AVCOL_TRC_BT709;
}

void ConfigureAudio(AVCodecContext* codec, const Choice& choice) {
  codec->sample_fmt = codec->codec->sample_fmts[0];
  codec->sample_rate = choice.audioRate;
  codec->bit_rate = choice.audioBitRate;
  codec->time_base = {1, choice.audioRate};
  const AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
  Check(av_channel_layout_copy(&codec->ch_layout, &stereo), "no stereo layout");
}

FramePtr SoundFrame(AVSampleFormat format, int samples) {
  FramePtr frame(Allocated(av_frame_alloc()));
  frame->format = format;
  frame->nb_samples = samples;
  const AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
  Check(av_channel_layout_copy(&frame->ch_layout, &stereo), "no stereo layout");
  Check(av_frame_get_buffer(frame.get(), 0), "cannot make a sound frame");
  return frame;
}

FramePtr NewFrame(AVPixelFormat format, int width, int height) {
  FramePtr frame(Allocated(av_frame_alloc()));
  frame->format = format;
  frame->width = width;
  frame->height = height;
  Check(av_frame_get_buffer(frame.get(), 0), "cannot make a frame");
  return frame;
}

}  // namespace

struct VideoEncoder::State {
  VideoFormat format;
  const GifPalette* palette = nullptr;
  std::unique_ptr<AVFormatContext, CloseOutput> output;
  Track video;
  Track audio;  // no codec: no sound
  FramePtr picture;
  std::unique_ptr<SwsContext, FreeScaler> scaler;
  std::unique_ptr<SwrContext, FreeResampler> resampler;
  std::unique_ptr<AVAudioFifo, FreeFifo> fifo;
  std::unique_ptr<AVPacket, FreePacket> packet{Allocated(av_packet_alloc())};

  void Encode(Track& track, AVFrame* frame);
  void OpenVideo();
  void OpenAudio(const Choice& choice);
  void ConvertToYuv(std::span<const std::uint32_t> pixels);
  void ConvertToPalette(std::span<const std::uint32_t> pixels);
  // Converts planar float samples at kSampleRate into the encoder's own and queues them;
  // no samples: what the converter still holds.
  void Resample(const std::uint8_t** planes, int count);
  // Encodes the queued sound in the encoder's frame size; `all` includes a shorter last frame.
  void EncodeSound(bool all);
};

void VideoEncoder::State::Encode(Track& track, AVFrame* frame) {
  Check(avcodec_send_frame(track.codec.get(), frame), "cannot encode");
  for (;;) {
    const int received = avcodec_receive_packet(track.codec.get(), packet.get());
    if (received == AVERROR(EAGAIN) || received == AVERROR_EOF)
      return;
    Check(received, "cannot encode");
    av_packet_rescale_ts(packet.get(), track.codec->time_base, track.stream->time_base);
    packet->stream_index = track.stream->index;
    Check(av_interleaved_write_frame(output.get(), packet.get()), "cannot write the video");
  }
}

void VideoEncoder::State::OpenVideo() {
  video.codec = NewCodec(ChoiceFor(format.kind).video);
  ConfigureVideo(video.codec.get(), format);
  OpenTrack(output.get(), video, VideoOptions(format.kind));
  picture = NewFrame(video.codec->pix_fmt, format.width, format.height);
  if (format.kind == VideoKind::kGif)
    return;
  scaler.reset(Allocated(sws_getContext(
      format.width, format.height, AV_PIX_FMT_RGB0, format.width, format.height, AV_PIX_FMT_YUV420P,
      SWS_BICUBIC | SWS_ACCURATE_RND, nullptr, nullptr, nullptr)));
  // Full-range RGB in, limited-range BT.709 out, as the stream is tagged.
  sws_setColorspaceDetails(scaler.get(), sws_getCoefficients(SWS_CS_ITU709), 1,
                           sws_getCoefficients(SWS_CS_ITU709), 0, 0, 1 << 16, 1 << 16);
}

void VideoEncoder::State::OpenAudio(const Choice& choice) {
  audio.codec = NewCodec(choice.audio);
  ConfigureAudio(audio.codec.get(), choice);
  OpenTrack(output.get(), audio, nullptr);
  AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
  SwrContext* made = nullptr;
  Check(swr_alloc_set_opts2(&made, &stereo, audio.codec->sample_fmt, audio.codec->sample_rate,
                            &stereo, AV_SAMPLE_FMT_FLTP, kSampleRate, 0, nullptr),
        "cannot convert the sound");
  resampler.reset(made);
  Check(swr_init(resampler.get()), "cannot convert the sound");
  fifo.reset(Allocated(av_audio_fifo_alloc(audio.codec->sample_fmt, 2, kSampleRate)));
}

void VideoEncoder::State::Resample(const std::uint8_t** planes, int count) {
  const int room = swr_get_out_samples(resampler.get(), count);
  if (room <= 0)
    return;
  FramePtr converted = SoundFrame(audio.codec->sample_fmt, room);
  const int made = swr_convert(resampler.get(), converted->data, room, planes, count);
  Check(made, "cannot convert the sound");
  Check(av_audio_fifo_write(fifo.get(), reinterpret_cast<void**>(converted->data), made),
        "cannot queue the sound");
}

void VideoEncoder::State::EncodeSound(bool all) {
  const int frameSize = audio.codec->frame_size > 0 ? audio.codec->frame_size : 1024;
  while (av_audio_fifo_size(fifo.get()) >= (all ? 1 : frameSize)) {
    const int count = std::min(frameSize, av_audio_fifo_size(fifo.get()));
    FramePtr frame = SoundFrame(audio.codec->sample_fmt, count);
    Check(av_audio_fifo_read(fifo.get(), reinterpret_cast<void**>(frame->data), count),
          "cannot take the queued sound");
    frame->pts = audio.nextPts;
    audio.nextPts += count;
    Encode(audio, frame.get());
  }
}

VideoEncoder::VideoEncoder(const std::string& path, const VideoFormat& format,
                           const GifPalette* palette)
    : state_(std::make_unique<State>()) {
  // The libraries' progress chatter would drown our one line on errors.
  av_log_set_level(AV_LOG_ERROR);
  State& s = *state_;
  s.format = format;
  s.palette = palette;
  const Choice choice = ChoiceFor(format.kind);
  AVFormatContext* output = nullptr;
  Check(avformat_alloc_output_context2(&output, nullptr, choice.format, path.c_str()),
        "cannot make a " + std::string(choice.format) + " file");
  s.output.reset(output);
  s.OpenVideo();
  if (choice.audio != nullptr)
    s.OpenAudio(choice);
  Check(avio_open(&output->pb, path.c_str(), AVIO_FLAG_WRITE), "cannot write " + path);
  AVDictionary* muxing = nullptr;
  if (format.kind == VideoKind::kMp4)
    av_dict_set(&muxing, "movflags", "+faststart", 0);
  const int written = avformat_write_header(output, &muxing);
  av_dict_free(&muxing);
  Check(written, "cannot write " + path);
}

VideoEncoder::~VideoEncoder() = default;

void VideoEncoder::State::ConvertToYuv(std::span<const std::uint32_t> pixels) {
  const auto* rows = reinterpret_cast<const std::uint8_t*>(pixels.data());
  const int stride = format.width * 4;
  sws_scale(scaler.get(), &rows, &stride, 0, format.height, picture->data, picture->linesize);
}

void VideoEncoder::State::ConvertToPalette(std::span<const std::uint32_t> pixels) {
  for (int y = 0; y < format.height; ++y) {
    palette->Map(pixels.subspan(static_cast<std::size_t>(y) * format.width, format.width),
                 {picture->data[0] + static_cast<std::ptrdiff_t>(y) * picture->linesize[0],
                  static_cast<std::size_t>(format.width)});
  }
  const auto& entries = palette->Entries();
  std::copy(entries.begin(), entries.end(), reinterpret_cast<std::uint32_t*>(picture->data[1]));
}

void VideoEncoder::AddFrame(std::span<const std::uint32_t> pixels) {
  State& s = *state_;
  if (pixels.size() != static_cast<std::size_t>(s.format.width) * s.format.height)
    throw std::logic_error("a frame of the wrong size");
  Check(av_frame_make_writable(s.picture.get()), "cannot make a frame");
  if (s.format.kind == VideoKind::kGif) {
    s.ConvertToPalette(pixels);
  } else {
    s.ConvertToYuv(pixels);
  }
  s.picture->pts = s.video.nextPts++;
  s.Encode(s.video, s.picture.get());
}

void VideoEncoder::AddSound(std::span<const float> left, std::span<const float> right) {
  State& s = *state_;
  if (!s.audio.codec || left.empty())
    return;
  const std::uint8_t* planes[] = {reinterpret_cast<const std::uint8_t*>(left.data()),
                                  reinterpret_cast<const std::uint8_t*>(right.data())};
  s.Resample(planes, static_cast<int>(std::min(left.size(), right.size())));
  s.EncodeSound(false);
}

void VideoEncoder::Finish() {
  State& s = *state_;
  if (s.audio.codec) {
    s.Resample(nullptr, 0);  // what the resampler still holds
    s.EncodeSound(true);
    s.Encode(s.audio, nullptr);
  }
  s.Encode(s.video, nullptr);
  Check(av_write_trailer(s.output.get()), "cannot complete the video");
  Check(avio_closep(&s.output->pb), "cannot complete the video");
}

}  // namespace frost::frostcard

// What frostcard looks up after loading this library: exceptions pass through as from any call.
extern "C" frost::frostcard::VideoSink* FrostcardOpenVideo(
    const std::string& path, const frost::frostcard::VideoFormat& format,
    const frost::frostcard::GifPalette* palette) {
  return new frost::frostcard::VideoEncoder(path, format, palette);
}
