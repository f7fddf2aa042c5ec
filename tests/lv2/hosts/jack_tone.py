#!/usr/bin/env python3
"""A sine on each channel through a JACK client, and the meter readings it must give.

  jack_tone.py play CLIENT SECONDS   connects its outputs to CLIENT:in_left/in_right and CLIENT's
                                     out_left/out_right back to its inputs, then says "heard" once
                                     SECONDS of the tone came back unchanged; runs until SIGTERM
  jack_tone.py check READINGS        exits 1 unless the lines "SYMBOL = VALUE" in READINGS (jalv's
                                     "monitors") show each channel's step

The server is JACK_DEFAULT_SERVER's; libjack from jackd2 is loaded directly (ctypes).
"""
import ctypes
import math
import re
import signal
import sys
import time

RATE = 48000
# Each channel's period divides the JACK period, so every buffer holds the same
# samples: a late cycle that repeats or zeroes a buffer adds no larger step. The
# half-sample phase puts a pair of samples around each zero crossing, where the
# step is largest, and keeps the joins with silence at half the step.
TONES = {"left": (0.5, 32), "right": (0.8, 64)}  # amplitude, period in samples
PERIOD_MULTIPLE = 64
TOLERANCE = 1e-4  # jalv prints six decimals; a wrong reading is off by far more


def period_samples(amplitude, period):
    return [amplitude * math.sin(2 * math.pi * (k + 0.5) / period) for k in range(period)]


def expected_step(amplitude, period):
    """2·A·sin(π f / rate) for f = rate / period: the largest step between consecutive samples."""
    return 2 * amplitude * math.sin(math.pi / period)


def check(text):
    # jalv's prompt "> " comes before the first line.
    readings = dict(re.findall(r"^(?:> )?(\w+) = (\S+)$", text, re.M))
    problems = []
    for channel, tone in TONES.items():
        want = expected_step(*tone)
        for symbol in ("recent_step_" + channel, "largest_step_" + channel):
            got = readings.get(symbol)
            if got is None:
                problems.append("no reading of %s" % symbol)
            elif not abs(float(got) - want) <= TOLERANCE:
                problems.append("%s is %s, the tone's step is %.6f" % (symbol, got, want))
    return problems


def libjack():
    jack = ctypes.CDLL("libjack.so.0")
    pointer, text, size = ctypes.c_void_p, ctypes.c_char_p, ctypes.c_ulong
    signatures = {
        "jack_client_open": (pointer, [text, ctypes.c_int, pointer]),
        "jack_port_register": (pointer, [pointer, text, text, size, size]),
        "jack_port_get_buffer": (pointer, [pointer, ctypes.c_uint32]),
        "jack_port_by_name": (pointer, [pointer, text]),
        "jack_connect": (ctypes.c_int, [pointer, text, text]),
        "jack_set_process_callback": (ctypes.c_int, [pointer, pointer, pointer]),
    }
    for name, (result, arguments) in signatures.items():
        getattr(jack, name).restype, getattr(jack, name).argtypes = result, arguments
    for name in ("jack_activate", "jack_get_buffer_size", "jack_get_sample_rate", "jack_client_close"):
        getattr(jack, name).argtypes = [pointer]
    return jack


def play(client_name, seconds):
    jack = libjack()
    no_start_server = 1
    client = jack.jack_client_open(b"tone", no_start_server, None)
    if not client:
        sys.exit("jack_tone.py: no JACK server")
    stopping = []
    signal.signal(signal.SIGTERM, lambda *_: stopping.append(True))
    try:
        frames = jack.jack_get_buffer_size(client)
        if jack.jack_get_sample_rate(client) != RATE or frames % PERIOD_MULTIPLE:
            sys.exit("jack_tone.py: JACK runs %d frames at %d Hz" % (frames, jack.jack_get_sample_rate(client)))
        audio, output, input_ = b"32 bit float mono audio", 2, 1
        channels = [{
            "name": channel,
            "buffer": (ctypes.c_float * frames)(*period_samples(*tone) * (frames // tone[1])),
            "out": jack.jack_port_register(client, b"out_" + channel.encode(), audio, output, 0),
            "in": jack.jack_port_register(client, b"in_" + channel.encode(), audio, input_, 0),
        } for channel, tone in TONES.items()]
        heard = [0]

        # Counts the cycles in which both channels came back bit for bit.
        @ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_uint32, ctypes.c_void_p)
        def process(nframes, _):
            unchanged = nframes == frames
            for c in channels:
                ctypes.memmove(jack.jack_port_get_buffer(c["out"], nframes), c["buffer"], 4 * nframes)
                back = ctypes.string_at(jack.jack_port_get_buffer(c["in"], nframes), 4 * nframes)
                unchanged = unchanged and back == bytes(c["buffer"])
            heard[0] += unchanged
            return 0

        jack.jack_set_process_callback(client, ctypes.cast(process, ctypes.c_void_p), None)
        if jack.jack_activate(client) != 0:
            sys.exit("jack_tone.py: cannot activate")
        # The host registers its ports a moment after it starts.
        for c in channels:
            ours, theirs = "tone:%s_" + c["name"], client_name + ":%s_" + c["name"]
            for source, destination in ((ours % "out", theirs % "in"), (theirs % "out", ours % "in")):
                while not (jack.jack_port_by_name(client, source.encode())
                           and jack.jack_port_by_name(client, destination.encode())):
                    if stopping:
                        return
                    time.sleep(0.05)
                if jack.jack_connect(client, source.encode(), destination.encode()) != 0:
                    sys.exit("jack_tone.py: cannot connect %s to %s" % (source, destination))
        print("connected", flush=True)
        told = False
        while not stopping:
            if not told and heard[0] * frames >= seconds * RATE:
                print("heard", flush=True)
                told = True
            time.sleep(0.05)
    finally:
        # Closed before Python ends, so that JACK's thread never calls into a dying interpreter.
        jack.jack_client_close(client)


def main(argv):
    if len(argv) == 4 and argv[1] == "play":
        play(argv[2], float(argv[3]))
        return 0
    if len(argv) == 3 and argv[1] == "check":
        with open(argv[2]) as readings:
            problems = check(readings.read())
        for problem in problems:
            print("jalv's readings: " + problem, file=sys.stderr)
        return 1 if problems else 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
