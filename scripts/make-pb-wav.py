#!/usr/bin/env python3
"""Writes resources/PB.wav, the sound a cut-out sound button plays when no WAV file was
chosen: a short two-note chime, 16-bit mono PCM, made here from sine waves."""
import math
import os
import struct
import wave

RATE = 22050
NOTES = [(880.0, 0.12), (1318.5, 0.22)]  # A5 then E6, seconds
VOLUME = 0.45


def samples():
    for freq, length in NOTES:
        count = int(RATE * length)
        fade = int(RATE * 0.01)
        for i in range(count):
            envelope = min(1.0, i / fade, (count - i) / fade) * math.exp(-3.0 * i / count)
            yield int(32767 * VOLUME * envelope * math.sin(2 * math.pi * freq * i / RATE))


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "PB.wav")
    with wave.open(out, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", s) for s in samples()))
    print(os.path.normpath(out))


if __name__ == "__main__":
    main()
