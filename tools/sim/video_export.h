// Runs turned into video files: the 640 x 480 pictures and the game's own sound, encoded
// with FFmpeg's libraries (VP9 and Opus in WebM, H.264 and AAC in MP4) at 62.5 frames a
// second, a frame being 16 ms of picture and of sound.
#pragma once

#include <cstdint>
#include <string>

struct VideoExport;

constexpr int kVideoSourceWidth = 640;
constexpr int kVideoSourceHeight = 480;
constexpr int kVideoSoundRate = 44100;  // the stereo float frames AddVideoFrame takes

// The container a file name asks for: "webm", "mp4", or nullptr for any other ending.
const char* VideoContainerFor(const char* path);

// Starts a video at `path`, the picture scaled by `scale` (1 or 2). Until FinishVideo
// it is written under a temporary name beside `path`. nullptr with *error on failure.
VideoExport* StartVideo(const char* path, int scale, std::string* error);
// One picture (0xAARRGGBB rows of 640) shown for 16 ms, with its `soundFrames` stereo
// float frames of sound (interleaved L R).
bool AddVideoFrame(VideoExport* video, const uint32_t* pixels, const float* sound, int soundFrames,
                   std::string* error);
// Drains the encoders, writes the file's index and puts the file in place. The export
// is gone afterwards, whatever the result.
bool FinishVideo(VideoExport* video, std::string* error);
// Stops an export and removes its temporary file.
void AbandonVideo(VideoExport* video);
// The temporary file of the export under way, for a signal handler to remove ("" for none).
const char* VideoTemporaryPath(const VideoExport* video);
