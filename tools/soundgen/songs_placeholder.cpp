#include "songs.h"
// Placeholders while the other tracks are written.
const Song kSound08 = [] { Song s = kSound03; s.file = "Sound08.mp3"; s.minSeconds = 85; return s; }();
const Song kSound05 = [] { Song s = kSound03; s.file = "Sound05.mp3"; s.minSeconds = 85; return s; }();
const Song kSoundWarning = [] { Song s = kSound03; s.file = "SoundWarning.mp3"; s.minSeconds = 5; return s; }();
const Song kSoundSelect01 = [] { Song s = kSound03; s.file = "SoundSelect01.mp3"; s.minSeconds = 40; return s; }();
const Song kSoundSelect02 = [] { Song s = kSound03; s.file = "SoundSelect02.mp3"; s.minSeconds = 40; return s; }();
const Song kSound11 = [] { Song s = kSound03; s.file = "Sound11.mp3"; s.minSeconds = 75; return s; }();
