// MP3 encoding through libmp3lame: 44.1 kHz joint stereo, variable bit rate at quality 2
// (about 190 kbit/s), with the Xing tag filled in after encoding so players know the exact length.
#include <lame/lame.h>

#include <algorithm>

#include "audio_files.h"
#include "synth.h"

namespace soundgen {

namespace {

constexpr int kVbrQuality = 2;  // 0 best, 9 smallest
constexpr int kQuality = 5;     // the encoder's search effort: 2 is best, 9 fastest; 5 keeps the budget
constexpr int kChunk = 8192;

}  // namespace

bool WriteMp3(const std::string& path, const Stereo& audio) {
    lame_t lame = lame_init();
    if (!lame) return false;
    lame_set_in_samplerate(lame, kRate);
    lame_set_out_samplerate(lame, kRate);
    lame_set_num_channels(lame, 2);
    lame_set_mode(lame, JOINT_STEREO);
    lame_set_VBR(lame, vbr_default);
    lame_set_VBR_quality(lame, (float)kVbrQuality);
    lame_set_quality(lame, kQuality);
    lame_set_bWriteVbrTag(lame, 1);
    if (lame_init_params(lame) < 0) {
        lame_close(lame);
        return false;
    }
    std::vector<unsigned char> out;
    std::vector<unsigned char> chunk(kChunk * 5 / 4 + 7200);
    const int n = audio.Length();
    bool ok = true;
    for (int pos = 0; pos < n && ok; pos += kChunk) {
        const int count = std::min(kChunk, n - pos);
        int bytes = lame_encode_buffer_ieee_float(lame, audio.l.data() + pos, audio.r.data() + pos,
                                                  count, chunk.data(), (int)chunk.size());
        if (bytes < 0) ok = false;
        else out.insert(out.end(), chunk.begin(), chunk.begin() + bytes);
    }
    if (ok) {
        int bytes = lame_encode_flush(lame, chunk.data(), (int)chunk.size());
        if (bytes < 0) ok = false;
        else out.insert(out.end(), chunk.begin(), chunk.begin() + bytes);
    }
    if (ok) {
        // the first frame was reserved for the tag; it is only complete now
        unsigned char tag[2880];
        size_t tagBytes = lame_get_lametag_frame(lame, tag, sizeof tag);
        if (tagBytes > 0 && tagBytes <= out.size()) std::copy(tag, tag + tagBytes, out.begin());
    }
    lame_close(lame);
    return ok && WriteFileAtomically(path, out);
}

}  // namespace soundgen
