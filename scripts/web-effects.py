#!/usr/bin/python3
"""The browser build's sound effects in Ogg Vorbis: every WAV of a data folder encoded by
Debian's oggenc beside it, then the WAV removed.

usage: scripts/web-effects.py DATA_DIR

A WAV does not compress (0.9 MB, about 0.75 MB under brotli, loaded before the page's first
frame); Vorbis is a sixth of that and the browser decodes it itself. Chromium's decoder may
leave off up to a block (128 samples) at a sound's end, so each sound is encoded with some
silence after it: decoded, every sample of the WAV is there. The WAV's own count of samples
goes in the file's comments as ZORBEX_SAMPLES, where the runtime's browser half reads the
sound's length, so the buffer rules time every effect as the desktop does; this checks that
the encoder kept the rate and every sample given.
"""

import glob
import os
import struct
import subprocess
import sys
import wave

QUALITY = '5'      # oggenc's scale: well above what a short effect needs to sound the same
SILENCE = 512      # samples after the sound, more than the decoder may leave off


def granule_and_rate(path):
    data = open(path, 'rb').read()
    last, ident = data.rfind(b'OggS'), data.find(b'\x01vorbis')
    if last < 0 or ident < 0:
        sys.exit('%s: no Ogg Vorbis' % path)
    return struct.unpack_from('<q', data, last + 6)[0], struct.unpack_from('<I', data, ident + 12)[0]


def main():
    folder = sys.argv[1]
    for source in sorted(glob.glob(os.path.join(folder, '*.wav'))):
        with wave.open(source) as w:
            params, samples = w.getparams(), w.readframes(w.getnframes())
        padded = source[:-4] + '.padded.wav'
        with wave.open(padded, 'wb') as w:
            w.setparams(params)
            w.writeframes(samples + bytes(SILENCE * params.nchannels * params.sampwidth))
        target = source[:-4] + '.ogg'
        subprocess.run(['oggenc', '-Q', '-q', QUALITY, '-c', 'ZORBEX_SAMPLES=%d' % params.nframes,
                        '-o', target, padded], check=True)
        os.remove(padded)
        encoded, rate = granule_and_rate(target)
        if (encoded, rate) != (params.nframes + SILENCE, params.framerate):
            sys.exit('%s: %d samples at %d Hz, not %d at %d' % (target, encoded, rate,
                                                               params.nframes + SILENCE, params.framerate))
        os.remove(source)


if __name__ == '__main__':
    main()
