#!/usr/bin/env python3
"""lv2apply_pass_through_test.py BUNDLE_FOLDER

lv2apply (lilv's command-line host: no features, one frame per run) plays a
32-bit float stereo WAV through the meter; the output's samples must be the
input's bit for bit. Only the data chunks are compared: libsndfile adds chunks
of its own to the file it writes. LV2_PATH must lead to the bundle.
"""
import math
import os
import random
import struct
import subprocess
import sys
import tempfile

RATE = 48000
FRAMES = 5000


def plugin_uri(bundle):
    """The plug-in the bundle's manifest names, read as a host reads it."""
    triples = subprocess.run(
        ["serdi", "-i", "turtle", "-o", "ntriples",
         os.path.join(bundle, "manifest.ttl")],
        check=True, capture_output=True, text=True).stdout
    plugin_type = ("<http://www.w3.org/1999/02/22-rdf-syntax-ns#type> "
                   "<http://lv2plug.in/ns/lv2core#Plugin>")
    uris = [line.split()[0].strip("<>") for line in triples.splitlines()
            if plugin_type in line]
    if len(uris) != 1:
        sys.exit(f"expected one plug-in in the manifest, found {uris}")
    return uris[0]


def samples():
    """Varied stereo samples: a sine, noise beyond full scale, steps, and the
    values a copy through another format would change (-0.0, denormals, 1e30)."""
    rng = random.Random(7)
    specials = [-0.0, 1e-40, -1e-45, 1e30, -1e30, 1.5, -1.5, 0.0, 1.0, -1.0]
    data = bytearray()
    for i in range(FRAMES):
        left = 0.5 * math.sin(2 * math.pi * 1000 * i / RATE)
        right = rng.uniform(-1.5, 1.5)
        if i % 7 == 0:
            right = specials[(i // 7) % len(specials)]
        if i % 500 < 3:
            left = specials[(i // 500 + i) % len(specials)]
        data += struct.pack("<ff", left, right)
    return bytes(data)


def write_wav(path, data):
    fmt = struct.pack("<HHIIHH", 3, 2, RATE, RATE * 8, 8, 32)
    body = (b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt +
            b"data" + struct.pack("<I", len(data)) + data)
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", len(body)) + body)


def chunks(path):
    """The file's chunks by id, walked as RIFF lays them out."""
    with open(path, "rb") as f:
        content = f.read()
    if content[:4] != b"RIFF" or content[8:12] != b"WAVE":
        sys.exit(f"{path} is not a RIFF WAVE file")
    found, pos = {}, 12
    while pos + 8 <= len(content):
        cid, size = content[pos:pos + 4], struct.unpack("<I", content[pos + 4:pos + 8])[0]
        found.setdefault(cid, content[pos + 8:pos + 8 + size])
        pos += 8 + size + (size & 1)
    return found


def main():
    bundle = sys.argv[1]
    uri = plugin_uri(bundle)
    data = samples()
    with tempfile.TemporaryDirectory() as folder:
        source, result = os.path.join(folder, "in.wav"), os.path.join(folder, "out.wav")
        write_wav(source, data)
        run = subprocess.run(["lv2apply", "-i", source, "-o", result, uri],
                             capture_output=True, text=True)
        if run.returncode != 0:
            sys.exit(f"lv2apply failed ({run.returncode}): {run.stderr}")
        out = chunks(result)
    format_tag, channels, rate = struct.unpack("<HHI", out[b"fmt "][:8])
    bits = struct.unpack("<H", out[b"fmt "][14:16])[0]
    if (format_tag, channels, rate, bits) != (3, 2, RATE, 32):
        sys.exit(f"output format {format_tag}, {channels} channels, {rate} Hz, {bits} bits")
    if out[b"data"] != data:
        differ = next(i for i in range(min(len(data), len(out[b"data"])))
                      if data[i] != out[b"data"][i]) if len(data) == len(out[b"data"]) else None
        sys.exit(f"output samples differ from the input (first byte {differ}, "
                 f"{len(out[b'data'])} bytes against {len(data)})")
    print(f"{FRAMES} frames through {uri}: identical")


if __name__ == "__main__":
    main()
