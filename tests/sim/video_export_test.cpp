// zorbex-sim --video: a short replay rendered to WebM and MP4, read back with FFmpeg's
// libraries, holds the pictures the headless run saves as PNG and the game's sound.
#include <gtest/gtest.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "shell/assets.h"
#include "support/headless_game.h"

namespace {

constexpr int kFrames = 180;       // under three seconds of video
constexpr int kChosenFrame = 150;  // compared with the run's PNG of that frame
constexpr double kFrameSeconds = 0.016;

const std::string kWork = ZORBEX_BINARY_DIR "/test-work/video-export";
const std::string kSim = ZORBEX_BINARY_DIR "/zorbex-sim";

int RunSim(const std::string& arguments) {
    const std::string command = kSim + " " + arguments + " --quiet >/dev/null 2>>" + kWork + "/stderr.txt";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// What a file holds as a player's decoder sees it.
struct Decoded {
    int frames = 0;
    int width = 0, height = 0;
    double seconds = 0;
    std::vector<uint8_t> chosen;  // RGB of frame `pick` (counted from 0)
    std::vector<float> sound;     // first channel, as decoded
    int soundRate = 0;
};

// Decodes every frame of the first video stream (a PNG is a one-frame video) and the
// first audio stream.
bool Decode(const std::string& path, int pick, Decoded* d) {
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) return false;
    bool ok = avformat_find_stream_info(format, nullptr) >= 0;
    const int videoIndex = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    const int audioIndex = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    AVCodecContext* codecs[2] = {nullptr, nullptr};
    const int indexes[2] = {videoIndex, audioIndex};
    for (int i = 0; i < 2 && ok; i++) {
        if (indexes[i] < 0) continue;
        const AVCodecParameters* p = format->streams[indexes[i]]->codecpar;
        codecs[i] = avcodec_alloc_context3(avcodec_find_decoder(p->codec_id));
        ok = avcodec_parameters_to_context(codecs[i], p) >= 0 && avcodec_open2(codecs[i], nullptr, nullptr) >= 0;
    }
    ok = ok && videoIndex >= 0;
    if (format->duration != AV_NOPTS_VALUE) d->seconds = double(format->duration) / AV_TIME_BASE;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    auto drain = [&](int which) {
        while (avcodec_receive_frame(codecs[which], frame) >= 0) {
            if (which == 1) {
                d->soundRate = frame->sample_rate;
                const float* left = reinterpret_cast<const float*>(frame->data[0]);
                if (frame->format == AV_SAMPLE_FMT_FLTP)
                    d->sound.insert(d->sound.end(), left, left + frame->nb_samples);
                continue;
            }
            if (d->frames++ != pick) continue;
            d->width = frame->width;
            d->height = frame->height;
            d->chosen.assign(size_t(frame->width) * frame->height * 3, 0);
            SwsContext* toRgb = sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format),
                                               frame->width, frame->height, AV_PIX_FMT_RGB24, SWS_POINT,
                                               nullptr, nullptr, nullptr);
            uint8_t* planes[1] = {d->chosen.data()};
            const int stride[1] = {frame->width * 3};
            sws_scale(toRgb, frame->data, frame->linesize, 0, frame->height, planes, stride);
            sws_freeContext(toRgb);
        }
    };
    while (ok && av_read_frame(format, packet) >= 0) {
        const int which = packet->stream_index == videoIndex ? 0 : packet->stream_index == audioIndex ? 1 : -1;
        if (which >= 0 && avcodec_send_packet(codecs[which], packet) >= 0) drain(which);
        av_packet_unref(packet);
    }
    for (int i = 0; i < 2 && ok; i++) {
        if (!codecs[i]) continue;
        avcodec_send_packet(codecs[i], nullptr);
        drain(i);
    }
    av_frame_free(&frame);
    av_packet_free(&packet);
    for (AVCodecContext*& c : codecs) avcodec_free_context(&c);
    avformat_close_input(&format);
    return ok;
}

// Peak signal to noise of a video picture against the 640 x 480 original it was scaled
// up from, in dB over all three colours.
double Psnr(const Decoded& video, const Decoded& png) {
    const int scale = video.width / png.width;
    double squares = 0;
    for (int y = 0; y < video.height; y++)
        for (int x = 0; x < video.width; x++)
            for (int c = 0; c < 3; c++) {
                const double a = video.chosen[(size_t(y) * video.width + x) * 3 + c];
                const double b = png.chosen[(size_t(y / scale) * png.width + x / scale) * 3 + c];
                squares += (a - b) * (a - b);
            }
    const double mean = squares / (double(video.width) * video.height * 3);
    return mean > 0 ? 10 * std::log10(255.0 * 255.0 / mean) : 99;
}

double Rms(const std::vector<float>& s, size_t from, size_t to) {
    double sum = 0;
    for (size_t i = from; i < to && i < s.size(); i++) sum += double(s[i]) * s[i];
    return to > from ? std::sqrt(sum / double(to - from)) : 0;
}

// How well `part` matches `whole` shifted by `lag` samples, over `length` samples from
// `from` of `part` on: the normalised cross-correlation, 1 for the same signal.
double Correlation(const std::vector<float>& whole, const std::vector<float>& part, size_t from, size_t length,
                   long lag) {
    double sum = 0, wholeSquares = 0, partSquares = 0;
    for (size_t i = from; i < from + length; i++) {
        const long j = long(i) + lag;
        const double a = part[i];
        const double b = j >= 0 && size_t(j) < whole.size() ? whole[size_t(j)] : 0.0;
        sum += a * b;
        wholeSquares += b * b;
        partSquares += a * a;
    }
    return wholeSquares > 0 && partSquares > 0 ? sum / std::sqrt(wholeSquares * partSquares) : 0;
}

class VideoExport : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        av_log_set_level(AV_LOG_ERROR);  // the Opus decoder warns of its start padding
        std::filesystem::remove_all(kWork);
        std::filesystem::create_directories(kWork);
        // the pilot plays the first seconds of stage 1, whose music starts with the stage
        ASSERT_EQ(RunSim("--stage 1 --autopilot --frames " + std::to_string(kFrames) + " --record " + kWork +
                      "/run.replay --no-draw"),
                  0);
        ASSERT_EQ(RunSim("--verify " + kWork + "/run.replay --shots " + kWork + "/shots --every " +
                      std::to_string(kChosenFrame)),
                  0);
        char name[64];
        std::snprintf(name, sizeof name, "/shots/frame%06d.png", kChosenFrame);
        ASSERT_TRUE(Decode(kWork + name, 0, &png));
        ASSERT_EQ(png.width, 640);
    }

    // Renders the replay and reads the video back.
    static void Render(const std::string& file, int scale, Decoded* d) {
        const std::string path = kWork + "/" + file;
        ASSERT_EQ(RunSim("--verify " + kWork + "/run.replay --video " + path + " --scale " + std::to_string(scale)), 0);
        // the picture after frame N is the video's frame N - 1, shown from (N - 1) * 16 ms
        ASSERT_TRUE(Decode(path, kChosenFrame - 1, d)) << path;
    }

    static void ExpectWholeRun(const Decoded& d, int scale) {
        EXPECT_EQ(d.frames, kFrames);
        EXPECT_EQ(d.width, 640 * scale);
        EXPECT_EQ(d.height, 480 * scale);
        EXPECT_NEAR(d.seconds, kFrames * kFrameSeconds, 0.03);
        // within the codec's loss of the picture the run saved: a frame late or early,
        // or colours mixed up, fall far below
        EXPECT_GT(Psnr(d, png), 33.0);
        // the stage music sounds from the first second on, for as long as the video lasts
        ASSERT_GT(d.soundRate, 0);
        const double seconds = double(d.sound.size()) / d.soundRate;
        EXPECT_NEAR(seconds, kFrames * kFrameSeconds, 0.05);
        EXPECT_GT(Rms(d.sound, size_t(d.soundRate), d.sound.size()), 0.01);
    }

    static Decoded png;
};

Decoded VideoExport::png;

TEST_F(VideoExport, WebmHoldsTheRunsPicturesAndSound) {
    Decoded d;
    ASSERT_NO_FATAL_FAILURE(Render("run.webm", 1, &d));
    ExpectWholeRun(d, 1);
}

TEST_F(VideoExport, Mp4AtTwiceTheSizeHoldsTheRunsPicturesAndSound) {
    Decoded d;
    ASSERT_NO_FATAL_FAILURE(Render("run.mp4", 2, &d));
    ExpectWholeRun(d, 2);
}

// A cut of the run holds the pictures of its frames, and the sound those frames had in
// the whole run's video: not the sound from the start, nor shifted by a frame.
TEST_F(VideoExport, CutHoldsItsFramesWithTheirSoundInStep) {
    constexpr int kCutFrom = 61, kCutTo = kChosenFrame;
    const std::string run = "--verify " + kWork + "/run.replay --video ";
    ASSERT_EQ(RunSim(run + kWork + "/whole.webm"), 0);
    ASSERT_EQ(RunSim(run + kWork + "/cut.webm --video-from " + std::to_string(kCutFrom) + " --video-to " +
                     std::to_string(kCutTo)),
              0);
    Decoded whole, cut;
    ASSERT_TRUE(Decode(kWork + "/whole.webm", 0, &whole));
    ASSERT_TRUE(Decode(kWork + "/cut.webm", kChosenFrame - kCutFrom, &cut));
    EXPECT_EQ(cut.frames, kCutTo - kCutFrom + 1);
    EXPECT_NEAR(cut.seconds, cut.frames * kFrameSeconds, 0.03);
    EXPECT_GT(Psnr(cut, png), 33.0);  // the cut's last picture is the run's frame 150
    ASSERT_EQ(cut.soundRate, whole.soundRate);
    ASSERT_GT(cut.soundRate, 0);
    EXPECT_NEAR(double(cut.sound.size()) / cut.soundRate, cut.frames * kFrameSeconds, 0.05);
    // a second of the cut, from a tenth of a second in, against the whole run's sound
    // around the same moment of the run: the best match is where the cut began
    const size_t from = size_t(cut.soundRate / 10), length = size_t(cut.soundRate);
    ASSERT_GT(cut.sound.size(), from + length);
    ASSERT_GT(Rms(cut.sound, from, from + length), 0.01);
    const long start = long((kCutFrom - 1) * kFrameSeconds * cut.soundRate);
    const long frame = long(kFrameSeconds * cut.soundRate);
    long bestLag = 0;
    double best = -1;
    for (long lag = start - 2 * frame; lag <= start + 2 * frame; lag++) {
        const double c = Correlation(whole.sound, cut.sound, from, length, lag);
        if (c > best) {
            best = c;
            bestLag = lag;
        }
    }
    EXPECT_GT(best, 0.9);
    EXPECT_NEAR(double(bestLag - start) / cut.soundRate, 0.0, 0.001) << "samples off: " << bestLag - start;
    EXPECT_LT(Correlation(whole.sound, cut.sound, from, length, 0), 0.5);  // not the run's start
}

// The title's start sound is played to its end before the stage starts, the picture
// standing still: the video holds that picture as long, with the sound under it.
TEST_F(VideoExport, TitleStartSoundHoldsThePictureWhileItSounds) {
    ASSERT_NO_FATAL_FAILURE(StartSharedHeadlessGame(1));
    const int heldMillis = SoundLengthMillis(WavStart);
    ASSERT_GT(heldMillis, 320);
    StopRuntime();
    const std::string buttons = kWork + "/start.txt";
    std::FILE* f = std::fopen(buttons.c_str(), "w");
    ASSERT_TRUE(f);
    std::fputs("1 fire\n59 -\n", f);
    std::fclose(f);
    ASSERT_EQ(RunSim("--input " + buttons + " --video " + kWork + "/start.webm"), 0);
    Decoded d;
    ASSERT_TRUE(Decode(kWork + "/start.webm", 0, &d));
    EXPECT_NEAR(d.frames, 60 + heldMillis / 16, 2);
    EXPECT_NEAR(d.seconds, d.frames * kFrameSeconds, 0.03);
    ASSERT_GT(d.soundRate, 0);
    EXPECT_GT(Rms(d.sound, 0, size_t(heldMillis) * d.soundRate / 1000), 0.01);
}

}  // namespace
