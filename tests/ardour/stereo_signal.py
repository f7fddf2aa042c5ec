#!/usr/bin/env python3
"""The known stereo test signal, and the bit-for-bit check of an exported WAV against it.

  stereo_signal.py write SIGNAL FRAMES   raw interleaved little-endian float32, two channels
  stereo_signal.py compare WAV SIGNAL    exits 1 unless WAV holds exactly SIGNAL as 32-bit float
"""
import random
import struct
import sys

CHANNELS = 2
SAMPLE_RATE = 48000
WAVE_FORMAT_IEEE_FLOAT = 3
WAVE_FORMAT_EXTENSIBLE = 0xFFFE


def float32(bits):
    return struct.unpack("<f", struct.pack("<I", bits))[0]


# Values a careless copy would change: zero, full scale and beyond, the smallest
# normal value and values that need all 24 mantissa bits. Denormals and -0.0 are
# left out: Ardour's own mixing flushes the first and turns the second into +0.0,
# with or without the plug-in.
EDGE_FRAMES = [(0.0, 1.0), (1.0, -1.0), (-1.0, 0.0), (2.0 ** -126, -(2.0 ** -126)),
               (float32(0x3F7FFFFF), float32(0xBF7FFFFF)), (1.0 + 2.0 ** -23, -3.0e38), (-0.75, 0.75)]


def random_sample(rng):
    """A float32 with a random mantissa, sign and magnitude between 2^-20 and 1."""
    exponent = rng.randint(127 - 20, 126)
    return float32((rng.getrandbits(1) << 31) | (exponent << 23) | rng.getrandbits(23))


def signal_bytes(frames):
    # Each channel gets its own values, so a swap or a mix of the channels shows.
    rng = random.Random(6248)
    samples = []
    for frame in range(frames):
        samples += EDGE_FRAMES[frame] if frame < len(EDGE_FRAMES) else [random_sample(rng), random_sample(rng)]
    return struct.pack("<%df" % len(samples), *samples)


def wav_chunks(data):
    if data[0:4] != b"RIFF" or data[8:12] != b"WAVE":
        raise ValueError("not a RIFF WAVE file")
    chunks = {}
    position = 12
    while position + 8 <= len(data):
        name, size = struct.unpack("<4sI", data[position:position + 8])
        chunks.setdefault(name, data[position + 8:position + 8 + size])
        position += 8 + size + (size & 1)
    return chunks


def float_wav_frames(path):
    """The interleaved sample bytes of a stereo 32-bit float WAV at the session rate."""
    with open(path, "rb") as wav:
        chunks = wav_chunks(wav.read())
    fmt = chunks.get(b"fmt ")
    if fmt is None or b"data" not in chunks:
        raise ValueError("no fmt or data chunk")
    tag, channels, rate, _, _, bits = struct.unpack("<HHIIHH", fmt[:16])
    if tag == WAVE_FORMAT_EXTENSIBLE and len(fmt) >= 26:
        tag = struct.unpack("<H", fmt[24:26])[0]
    if (tag, channels, rate, bits) != (WAVE_FORMAT_IEEE_FLOAT, CHANNELS, SAMPLE_RATE, 32):
        raise ValueError("format (tag %d, %d channels, %d Hz, %d bits), expected float32 stereo at %d Hz"
                         % (tag, channels, rate, bits, SAMPLE_RATE))
    return chunks[b"data"]


def describe_difference(actual, expected):
    frame_bytes = 4 * CHANNELS
    if len(actual) != len(expected):
        return "%d frames exported, %d expected" % (len(actual) // frame_bytes, len(expected) // frame_bytes)
    differing = [i for i in range(0, len(expected), 4) if actual[i:i + 4] != expected[i:i + 4]]
    first = differing[0]
    (got,), (want,) = struct.unpack("<f", actual[first:first + 4]), struct.unpack("<f", expected[first:first + 4])
    return "%d of %d samples differ; the first at frame %d, channel %d: %r instead of %r" % (
        len(differing), len(expected) // 4, first // frame_bytes, first % frame_bytes // 4, got, want)


def main(argv):
    if len(argv) == 4 and argv[1] == "write":
        with open(argv[2], "wb") as out:
            out.write(signal_bytes(int(argv[3])))
        return 0
    if len(argv) == 4 and argv[1] == "compare":
        with open(argv[3], "rb") as signal:
            expected = signal.read()
        try:
            actual = float_wav_frames(argv[2])
        except (OSError, ValueError) as error:
            print("%s: %s" % (argv[2], error), file=sys.stderr)
            return 1
        if actual != expected:
            print("%s: %s" % (argv[2], describe_difference(actual, expected)), file=sys.stderr)
            return 1
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
