#!/usr/bin/env python3
"""Reads and rewrites the VST plug-in's state chunk that Ardour keeps, base64, in a session file.

  plugin_chunk.py check SESSION.ardour default|changed   exits 1 unless the chunk holds those values
  plugin_chunk.py change SESSION.ardour                  stores the "changed" values in the chunk

The chunk's layout and these commands serve the LV2 state too (lv2_state.py).
"""
import base64
import struct
import sys
import xml.etree.ElementTree as ElementTree

UNIQUE_ID = "6248"
MARKER = -1000.0
STORED_VALUES = 64
CHUNK_BYTES = 4 * (1 + STORED_VALUES)

EXPECTED_VALUES = {
    "default": [0.0] * STORED_VALUES,
    # Distinct, non-zero and exact in float32: each must come back unchanged, in its place.
    "changed": [(-1) ** k * k * 0.375 for k in range(1, STORED_VALUES + 1)],
}


def chunk_element(tree):
    processors = [p for p in tree.iter("Processor")
                  if p.get("type") == "lxvst" and p.get("unique-id") == UNIQUE_ID]
    if len(processors) != 1:
        raise ValueError("%d processors of the plug-in in the session" % len(processors))
    chunk = processors[0].find("lxvst/chunk")
    if chunk is None:
        raise ValueError("the plug-in's processor has no stored chunk")
    return chunk


def chunk_bytes(values):
    return struct.pack("<%df" % (1 + len(values)), MARKER, *values)


def chunk_problem(chunk, expected):
    if len(chunk) != CHUNK_BYTES:
        return "the stored chunk has %d bytes, not %d" % (len(chunk), CHUNK_BYTES)
    marker, *values = struct.unpack("<%df" % (1 + STORED_VALUES), chunk)
    if marker != MARKER:
        return "the stored chunk starts with %r, not %r" % (marker, MARKER)
    wrong = [n + 1 for n in range(STORED_VALUES) if values[n] != expected[n]]
    if wrong:
        n = wrong[0]
        return "%d stored values differ; value %d is %r instead of %r" % (
            len(wrong), n, values[n - 1], expected[n - 1])
    return None


def read_chunk(session):
    return base64.b64decode(chunk_element(ElementTree.parse(session)).text)


def write_chunk(session, chunk):
    tree = ElementTree.parse(session)
    chunk_element(tree).text = base64.b64encode(chunk).decode("ascii")
    tree.write(session, encoding="UTF-8", xml_declaration=True)


def main(argv, read=read_chunk, write=write_chunk, doc=__doc__):
    try:
        if len(argv) == 4 and argv[1] == "check" and argv[3] in EXPECTED_VALUES:
            problem = chunk_problem(read(argv[2]), EXPECTED_VALUES[argv[3]])
            if problem:
                print("%s: %s" % (argv[2], problem), file=sys.stderr)
                return 1
            return 0
        if len(argv) == 3 and argv[1] == "change":
            write(argv[2], chunk_bytes(EXPECTED_VALUES["changed"]))
            return 0
    except (OSError, ValueError, ElementTree.ParseError) as error:
        print("%s: %s" % (argv[2], error), file=sys.stderr)
        return 1
    print(doc, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
