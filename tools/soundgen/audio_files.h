// Writers of the two sound formats the game reads: 16-bit PCM WAV and MP3.
#pragma once

#include <string>
#include <vector>

#include "mixer.h"

namespace soundgen {

// Mono 16-bit PCM at kRate. Returns false when the file cannot be written.
bool WriteWav(const std::string& path, const std::vector<float>& samples);

// Stereo MP3 at kRate, variable bit rate of about 190 kbit/s. Returns false when encoding or writing fails.
bool WriteMp3(const std::string& path, const Stereo& audio);

// Writes `bytes` to `path` through a temporary file, so no reader ever sees half a file.
bool WriteFileAtomically(const std::string& path, const std::vector<unsigned char>& bytes);

}  // namespace soundgen
