// The video encoder: pictures converted and scaled by libswscale, sound resampled by
// libswresample, encoded by libavcodec and muxed by libavformat into a temporary file
// that is renamed into place only once the whole video is written.
#include "video_export.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <strings.h>

#include "runtime/files.h"

namespace {

// FFmpeg's libraries are opened when the first video is asked for, not linked: linked in,
// their hundred-odd dependencies cost every run of the simulator (a one-frame verification
// on the score board) most of its time in the dynamic loader.
#define FFMPEG_FUNCTIONS(X) \
    X(av_audio_fifo_alloc) \
    X(av_audio_fifo_free) \
    X(av_audio_fifo_read) \
    X(av_audio_fifo_size) \
    X(av_audio_fifo_write) \
    X(av_dict_free) \
    X(av_dict_set) \
    X(av_dict_set_int) \
    X(av_frame_alloc) \
    X(av_frame_free) \
    X(av_frame_get_buffer) \
    X(av_frame_make_writable) \
    X(av_freep) \
    X(av_interleaved_write_frame) \
    X(av_log_set_level) \
    X(av_malloc) \
    X(av_packet_alloc) \
    X(av_packet_free) \
    X(av_packet_rescale_ts) \
    X(av_rescale_rnd) \
    X(av_samples_alloc_array_and_samples) \
    X(av_samples_set_silence) \
    X(av_strerror) \
    X(av_write_trailer) \
    X(avcodec_alloc_context3) \
    X(avcodec_find_encoder) \
    X(avcodec_find_encoder_by_name) \
    X(avcodec_free_context) \
    X(avcodec_open2) \
    X(avcodec_parameters_from_context) \
    X(avcodec_receive_packet) \
    X(avcodec_send_frame) \
    X(avformat_alloc_output_context2) \
    X(avformat_free_context) \
    X(avformat_new_stream) \
    X(avformat_write_header) \
    X(avio_alloc_context) \
    X(avio_context_free) \
    X(avio_flush) \
    X(swr_alloc_set_opts2) \
    X(swr_convert) \
    X(swr_free) \
    X(swr_init) \
    X(sws_freeContext) \
    X(sws_getContext) \
    X(sws_scale)

struct FfmpegFunctions {
#define FFMPEG_POINTER(name) decltype(&::name) name = nullptr;
    FFMPEG_FUNCTIONS(FFMPEG_POINTER)
#undef FFMPEG_POINTER
};
FfmpegFunctions ff;

#define FFMPEG_SONAME(lib, major) "lib" lib ".so." AV_STRINGIFY(major)

// Opens the libraries once; false (with the loader's reason) when one is missing.
bool OpenFfmpeg(std::string* error) {
    static bool tried = false, opened = false;
    static std::string reason;
    if (!tried) {
        tried = true;
        const char* const libraries[] = {
            FFMPEG_SONAME("avutil", LIBAVUTIL_VERSION_MAJOR),
            FFMPEG_SONAME("swresample", LIBSWRESAMPLE_VERSION_MAJOR),
            FFMPEG_SONAME("swscale", LIBSWSCALE_VERSION_MAJOR),
            FFMPEG_SONAME("avcodec", LIBAVCODEC_VERSION_MAJOR),
            FFMPEG_SONAME("avformat", LIBAVFORMAT_VERSION_MAJOR),
        };
        opened = true;
        for (const char* library : libraries) {
            if (!dlopen(library, RTLD_NOW | RTLD_GLOBAL)) {
                reason = dlerror();
                opened = false;
                break;
            }
        }
#define FFMPEG_LOOK_UP(name)                                                          \
    if (opened) {                                                                     \
        ff.name = reinterpret_cast<decltype(&::name)>(dlsym(RTLD_DEFAULT, #name));    \
        if (!ff.name) {                                                               \
            reason = std::string("FFmpeg has no ") + #name;                           \
            opened = false;                                                           \
        }                                                                             \
    }
        FFMPEG_FUNCTIONS(FFMPEG_LOOK_UP)
#undef FFMPEG_LOOK_UP
    }
    if (!opened) *error = "cannot open FFmpeg's libraries: " + reason;
    return opened;
}

// A frame lasts 16 ms: 62.5 frames a second.
constexpr AVRational kFrameTime = {2, 125};
constexpr int kKeyFrameInterval = 250;  // a key frame every four seconds, for seeking
constexpr int kIoBufferBytes = 1 << 16;
constexpr int kMaxSoundFramesPerPicture = 4096;

// Pixel art is sharp edges and flat colour over black, which a codec's real-time modes
// smear: both encoders work at constant quality, near what the picture itself allows,
// and a ceiling on the bit rate holds the size where the screen fills with explosions
// (a bomb's blasts are dithered over the whole screen). Measured on a boss fight
// against the frames the run saved: see the README's video section.
constexpr int64_t kVideoBitRateCap = 1300000;  // at 1x; 2x has twice as many
// VP9 at its "good" speed 5 (its realtime modes blur the edges for twice the bits), in
// full colour: 4:2:0 halves the colour of one-pixel detail at 1x. At 2x every pixel is a
// 2x2 block, whose colour 4:2:0 keeps whole, so 2x stays in the common profile.
constexpr const char* kVp9Speed = "5";
constexpr int kVp9Quality = 30;  // constant quality, 0 (best) to 63
// H.264 for the players that take nothing else: 4:2:0 (High profile), which they all
// decode, tuned for flat animation.
constexpr const char* kX264Preset = "medium";
constexpr int kX264Quality = 18;
constexpr int64_t kOpusBitRate = 128000;
constexpr int64_t kAacBitRate = 160000;

// The file under way: written through its descriptor, seekable (MP4 and WebM go back
// to fill in sizes and the index).
struct OutputFile {
    int fd = -1;
    int error = 0;  // errno of the first failed write or seek
    std::string path, target, temporary;  // target: the file the path's links end at
};

struct Stream {
    AVCodecContext* codec = nullptr;
    AVStream* stream = nullptr;
    AVFrame* frame = nullptr;
    int64_t nextPts = 0;
};

}  // namespace

struct VideoExport {
    OutputFile file;
    AVFormatContext* format = nullptr;
    AVIOContext* io = nullptr;
    Stream video, audio;
    SwsContext* scaler = nullptr;
    SwrContext* resampler = nullptr;
    AVAudioFifo* fifo = nullptr;
    uint8_t** resampled = nullptr;  // resampler output, large enough for one picture's sound
    int resampledCapacity = 0;
    AVPacket* packet = nullptr;
};

namespace {

std::string AvError(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    ff.av_strerror(code, text, sizeof text);
    return text;
}

int WriteToFile(void* opaque, uint8_t* data, int size) {
    auto* f = static_cast<OutputFile*>(opaque);
    for (int done = 0; done < size;) {
        const ssize_t n = write(f->fd, data + done, size_t(size - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (!f->error) f->error = n == 0 ? ENOSPC : errno;
            return AVERROR(f->error);
        }
        done += int(n);
    }
    return size;
}

int64_t SeekInFile(void* opaque, int64_t offset, int whence) {
    auto* f = static_cast<OutputFile*>(opaque);
    if (whence == AVSEEK_SIZE) {
        struct stat st;
        return fstat(f->fd, &st) == 0 ? int64_t(st.st_size) : AVERROR(errno);
    }
    const off_t at = lseek(f->fd, off_t(offset), whence & ~AVSEEK_FORCE);
    if (at < 0) {
        if (!f->error) f->error = errno;
        return AVERROR(errno);
    }
    return at;
}

bool Fail(std::string* error, const std::string& what) {
    *error = what;
    return false;
}

// A new file beside the target, made exclusively (never an existing file or a planted
// link), under the rules of every file the tools write: through the player's own links,
// keeping the old file's mode.
bool OpenTemporaryFile(const char* path, OutputFile* f, std::string* error) {
    FileReplacement replacement;
    const char* why = nullptr;
    f->path = path;
    if (!BeginReplacement(path, ".part", &replacement, &why))
        return Fail(error, std::string("cannot write ") + path + ": " + why);
    f->fd = replacement.fd;
    f->target = replacement.target;
    f->temporary = replacement.temporary;
    return true;
}

bool SetUpVideoCodec(VideoExport* v, bool webm, int scale, std::string* error) {
    const AVCodec* codec = ff.avcodec_find_encoder_by_name(webm ? "libvpx-vp9" : "libx264");
    if (!codec) return Fail(error, webm ? "FFmpeg has no VP9 encoder" : "FFmpeg has no H.264 encoder");
    AVCodecContext* c = v->video.codec = ff.avcodec_alloc_context3(codec);
    c->width = kVideoSourceWidth * scale;
    c->height = kVideoSourceHeight * scale;
    c->time_base = kFrameTime;
    c->framerate = av_inv_q(kFrameTime);
    c->pix_fmt = webm && scale == 1 ? AV_PIX_FMT_YUV444P : AV_PIX_FMT_YUV420P;
    c->gop_size = kKeyFrameInterval;
    c->thread_count = 2;
    // what libswscale's conversion does: BT.601 in limited range
    c->color_range = AVCOL_RANGE_MPEG;
    c->colorspace = AVCOL_SPC_SMPTE170M;
    c->color_primaries = AVCOL_PRI_BT709;
    c->color_trc = AVCOL_TRC_IEC61966_2_1;
    if (v->format->oformat->flags & AVFMT_GLOBALHEADER) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AVDictionary* options = nullptr;
    const int64_t cap = kVideoBitRateCap * scale;
    if (webm) {
        c->bit_rate = cap;  // with crf: constant quality under this ceiling
        ff.av_dict_set(&options, "deadline", "good", 0);
        ff.av_dict_set(&options, "cpu-used", kVp9Speed, 0);
        ff.av_dict_set(&options, "row-mt", "1", 0);
        ff.av_dict_set(&options, "tile-columns", scale > 1 ? "2" : "1", 0);
        ff.av_dict_set_int(&options, "crf", kVp9Quality, 0);
    } else {
        c->rc_max_rate = cap;
        c->rc_buffer_size = int(cap * 2);  // two seconds' worth
        ff.av_dict_set(&options, "preset", kX264Preset, 0);
        ff.av_dict_set(&options, "tune", "animation", 0);
        ff.av_dict_set_int(&options, "crf", kX264Quality, 0);
    }
    const int result = ff.avcodec_open2(c, codec, &options);
    ff.av_dict_free(&options);
    if (result < 0) return Fail(error, std::string("cannot start the video encoder: ") + AvError(result));
    v->video.frame = ff.av_frame_alloc();
    v->video.frame->format = c->pix_fmt;
    v->video.frame->width = c->width;
    v->video.frame->height = c->height;
    if (ff.av_frame_get_buffer(v->video.frame, 0) < 0) return Fail(error, "out of memory");
    // nearest neighbour keeps the pixels square and sharp at 2x
    v->scaler = ff.sws_getContext(kVideoSourceWidth, kVideoSourceHeight, AV_PIX_FMT_BGRA, c->width, c->height,
                               c->pix_fmt, (scale > 1 ? SWS_POINT : SWS_BILINEAR) | SWS_ACCURATE_RND,
                               nullptr, nullptr, nullptr);
    if (!v->scaler) return Fail(error, "cannot set up the picture conversion");
    return true;
}

// The encoder's preferred float format: interleaved where it takes it, else planar.
AVSampleFormat FloatFormatFor(const AVCodec* codec) {
    AVSampleFormat best = AV_SAMPLE_FMT_NONE;
    for (const AVSampleFormat* f = codec->sample_fmts; f && *f != AV_SAMPLE_FMT_NONE; f++) {
        if (*f == AV_SAMPLE_FMT_FLT) return *f;
        if (*f == AV_SAMPLE_FMT_FLTP) best = *f;
    }
    return best;
}

bool SetUpAudioCodec(VideoExport* v, bool webm, std::string* error) {
    // Opus works at 48 kHz only; AAC takes the game's rate as it is
    const AVCodec* codec = webm ? ff.avcodec_find_encoder_by_name("libopus") : ff.avcodec_find_encoder(AV_CODEC_ID_AAC);
    if (!codec) return Fail(error, webm ? "FFmpeg has no Opus encoder" : "FFmpeg has no AAC encoder");
    AVCodecContext* c = v->audio.codec = ff.avcodec_alloc_context3(codec);
    c->sample_fmt = FloatFormatFor(codec);
    if (c->sample_fmt == AV_SAMPLE_FMT_NONE) return Fail(error, "the audio encoder takes no float samples");
    c->sample_rate = webm ? 48000 : kVideoSoundRate;
    c->ch_layout = AV_CHANNEL_LAYOUT_STEREO;
    c->bit_rate = webm ? kOpusBitRate : kAacBitRate;
    c->time_base = {1, c->sample_rate};
    if (v->format->oformat->flags & AVFMT_GLOBALHEADER) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    const int result = ff.avcodec_open2(c, codec, nullptr);
    if (result < 0) return Fail(error, std::string("cannot start the audio encoder: ") + AvError(result));
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    if (ff.swr_alloc_set_opts2(&v->resampler, &stereo, c->sample_fmt, c->sample_rate, &stereo, AV_SAMPLE_FMT_FLT,
                            kVideoSoundRate, 0, nullptr) < 0 ||
        ff.swr_init(v->resampler) < 0)
        return Fail(error, "cannot set up the sound conversion");
    v->resampledCapacity = int(ff.av_rescale_rnd(kMaxSoundFramesPerPicture, c->sample_rate, kVideoSoundRate,
                                              AV_ROUND_UP)) + 64;
    if (ff.av_samples_alloc_array_and_samples(&v->resampled, nullptr, 2, v->resampledCapacity, c->sample_fmt, 0) < 0)
        return Fail(error, "out of memory");
    v->fifo = ff.av_audio_fifo_alloc(c->sample_fmt, 2, c->frame_size * 4);
    v->audio.frame = ff.av_frame_alloc();
    v->audio.frame->format = c->sample_fmt;
    v->audio.frame->ch_layout = c->ch_layout;
    v->audio.frame->sample_rate = c->sample_rate;
    v->audio.frame->nb_samples = c->frame_size;
    if (!v->fifo || ff.av_frame_get_buffer(v->audio.frame, 0) < 0) return Fail(error, "out of memory");
    return true;
}

bool AddStream(VideoExport* v, Stream* s, std::string* error) {
    s->stream = ff.avformat_new_stream(v->format, nullptr);
    if (!s->stream || ff.avcodec_parameters_from_context(s->stream->codecpar, s->codec) < 0)
        return Fail(error, "out of memory");
    s->stream->time_base = s->codec->time_base;
    if (s == &v->video) s->stream->avg_frame_rate = av_inv_q(kFrameTime);
    return true;
}

bool WriteFailed(VideoExport* v, int code, std::string* error) {
    const int err = v->file.error;
    return Fail(error, "cannot write " + v->file.path + ": " + (err ? std::strerror(err) : AvError(code)));
}

// Sends a frame (nullptr: the end) and writes every packet the encoder gives back.
bool Encode(VideoExport* v, Stream* s, AVFrame* frame, std::string* error) {
    int result = ff.avcodec_send_frame(s->codec, frame);
    if (result < 0) return Fail(error, "the encoder failed: " + AvError(result));
    for (;;) {
        result = ff.avcodec_receive_packet(s->codec, v->packet);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return true;
        if (result < 0) return Fail(error, "the encoder failed: " + AvError(result));
        if (s == &v->video && v->packet->duration == 0) v->packet->duration = 1;
        ff.av_packet_rescale_ts(v->packet, s->codec->time_base, s->stream->time_base);
        v->packet->stream_index = s->stream->index;
        result = ff.av_interleaved_write_frame(v->format, v->packet);
        if (result < 0) return WriteFailed(v, result, error);
    }
}

// Whole encoder frames of sound from the queue; with `last`, the rest too.
bool EncodeQueuedSound(VideoExport* v, bool last, std::string* error) {
    AVCodecContext* c = v->audio.codec;
    const bool smallLast = (c->codec->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME) != 0;
    while (ff.av_audio_fifo_size(v->fifo) >= c->frame_size || (last && ff.av_audio_fifo_size(v->fifo) > 0)) {
        AVFrame* f = v->audio.frame;
        if (ff.av_frame_make_writable(f) < 0) return Fail(error, "out of memory");
        const int count = std::min(ff.av_audio_fifo_size(v->fifo), c->frame_size);
        ff.av_audio_fifo_read(v->fifo, reinterpret_cast<void**>(f->data), count);
        f->nb_samples = count;
        if (count < c->frame_size && !smallLast) {
            // padded with silence where the encoder wants whole frames
            ff.av_samples_set_silence(f->data, count, c->frame_size - count, 2, c->sample_fmt);
            f->nb_samples = c->frame_size;
        }
        f->pts = v->audio.nextPts;
        v->audio.nextPts += f->nb_samples;
        if (!Encode(v, &v->audio, f, error)) return false;
        f->nb_samples = c->frame_size;
    }
    return true;
}

bool QueueSound(VideoExport* v, const float* sound, int count, std::string* error) {
    const uint8_t* in[1] = {reinterpret_cast<const uint8_t*>(sound)};
    const int made = ff.swr_convert(v->resampler, v->resampled, v->resampledCapacity, sound ? in : nullptr, count);
    if (made < 0) return Fail(error, "the sound conversion failed");
    if (made > 0 && ff.av_audio_fifo_write(v->fifo, reinterpret_cast<void**>(v->resampled), made) < made)
        return Fail(error, "out of memory");
    return true;
}

void Release(VideoExport* v) {
    ff.avcodec_free_context(&v->video.codec);
    ff.avcodec_free_context(&v->audio.codec);
    ff.av_frame_free(&v->video.frame);
    ff.av_frame_free(&v->audio.frame);
    ff.av_packet_free(&v->packet);
    ff.sws_freeContext(v->scaler);
    ff.swr_free(&v->resampler);
    if (v->fifo) ff.av_audio_fifo_free(v->fifo);
    if (v->resampled) ff.av_freep(&v->resampled[0]);
    ff.av_freep(&v->resampled);
    if (v->io) ff.av_freep(&v->io->buffer);
    ff.avio_context_free(&v->io);
    ff.avformat_free_context(v->format);
    if (v->file.fd >= 0) close(v->file.fd);
    delete v;
}

}  // namespace

const char* VideoContainerFor(const char* path) {
    const char* dot = path ? std::strrchr(path, '.') : nullptr;
    if (!dot || std::strchr(dot, '/')) return nullptr;
    if (!strcasecmp(dot, ".webm")) return "webm";
    if (!strcasecmp(dot, ".mp4")) return "mp4";
    return nullptr;
}

VideoExport* StartVideo(const char* path, int scale, std::string* error) {
    const char* container = VideoContainerFor(path);
    if (!container) {
        *error = std::string(path) + ": the video's name must end in .webm or .mp4";
        return nullptr;
    }
    if (!OpenFfmpeg(error)) return nullptr;
    ff.av_log_set_level(AV_LOG_ERROR);
    auto* v = new VideoExport;
    const bool webm = std::strcmp(container, "webm") == 0;
    bool ok = OpenTemporaryFile(path, &v->file, error);
    if (ok && ff.avformat_alloc_output_context2(&v->format, nullptr, container, nullptr) < 0)
        ok = Fail(error, std::string("FFmpeg cannot write ") + container);
    ok = ok && SetUpVideoCodec(v, webm, scale, error) && SetUpAudioCodec(v, webm, error) &&
         AddStream(v, &v->video, error) && AddStream(v, &v->audio, error);
    if (ok) {
        auto* buffer = static_cast<unsigned char*>(ff.av_malloc(kIoBufferBytes));
        v->io = ff.avio_alloc_context(buffer, kIoBufferBytes, 1, &v->file, nullptr, WriteToFile, SeekInFile);
        v->packet = ff.av_packet_alloc();
        if (!buffer || !v->io || !v->packet) ok = Fail(error, "out of memory");
    }
    if (ok) {
        v->format->pb = v->io;
        const int result = ff.avformat_write_header(v->format, nullptr);
        if (result < 0) ok = WriteFailed(v, result, error);
    }
    if (!ok) {
        AbandonVideo(v);
        return nullptr;
    }
    return v;
}

bool AddVideoFrame(VideoExport* v, const uint32_t* pixels, const float* sound, int soundFrames,
                   std::string* error) {
    if (soundFrames < 0 || soundFrames > kMaxSoundFramesPerPicture) return Fail(error, "too much sound for a frame");
    AVFrame* f = v->video.frame;
    if (ff.av_frame_make_writable(f) < 0) return Fail(error, "out of memory");
    const uint8_t* source[1] = {reinterpret_cast<const uint8_t*>(pixels)};
    const int stride[1] = {kVideoSourceWidth * 4};
    ff.sws_scale(v->scaler, source, stride, 0, kVideoSourceHeight, f->data, f->linesize);
    f->pts = v->video.nextPts++;
    if (!Encode(v, &v->video, f, error)) return false;
    if (soundFrames > 0 && !QueueSound(v, sound, soundFrames, error)) return false;
    return EncodeQueuedSound(v, false, error);
}

bool FinishVideo(VideoExport* v, std::string* error) {
    bool ok = QueueSound(v, nullptr, 0, error) && EncodeQueuedSound(v, true, error) &&
              Encode(v, &v->audio, nullptr, error) && Encode(v, &v->video, nullptr, error);
    if (ok) {
        const int result = ff.av_write_trailer(v->format);
        ff.avio_flush(v->io);
        if (result < 0 || v->file.error) ok = WriteFailed(v, result, error);
    }
    if (ok && fsync(v->file.fd) != 0) ok = Fail(error, "cannot write " + v->file.path + ": " + std::strerror(errno));
    const int closed = close(v->file.fd);
    v->file.fd = -1;
    if (ok && closed != 0) ok = Fail(error, "cannot write " + v->file.path + ": " + std::strerror(errno));
    if (ok && rename(v->file.temporary.c_str(), v->file.target.c_str()) != 0)
        ok = Fail(error, "cannot write " + v->file.path + ": " + std::strerror(errno));
    if (ok) v->file.temporary.clear();
    AbandonVideo(v);
    return ok;
}

void AbandonVideo(VideoExport* v) {
    if (!v) return;
    if (!v->file.temporary.empty()) unlink(v->file.temporary.c_str());
    Release(v);
}

const char* VideoTemporaryPath(const VideoExport* v) { return v ? v->file.temporary.c_str() : ""; }
