#!/usr/bin/env python3
"""The Ardour test's checks must fail when Ardour or the plug-in breaks the
pass-through or the state (VST and LV2): each is fed a correct result and broken ones."""
import base64
import os
import struct
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import lv2_state  # noqa: E402
import plugin_chunk  # noqa: E402
import stereo_signal  # noqa: E402

FRAMES = 1009


def float_wav(samples, channels=2, rate=48000, tag=stereo_signal.WAVE_FORMAT_IEEE_FLOAT):
    fmt = struct.pack("<HHIIHH", tag, channels, rate, rate * 4 * channels, 4 * channels, 32)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt
    body += b"data" + struct.pack("<I", len(samples)) + samples
    return b"RIFF" + struct.pack("<I", len(body)) + body


def session_xml(chunk_bytes, unique_id=plugin_chunk.UNIQUE_ID):
    return ('<Session><Routes><Route><Processor type="lxvst" unique-id="%s"><lxvst><chunk>%s'
            '</chunk></lxvst></Processor></Route></Routes></Session>'
            % (unique_id, base64.b64encode(chunk_bytes).decode("ascii")))


def chunk(values, marker=plugin_chunk.MARKER):
    return struct.pack("<%df" % (1 + len(values)), marker, *values)


class Checks(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.signal_path = self.path("signal.f32")
        self.signal = stereo_signal.signal_bytes(FRAMES)
        with open(self.signal_path, "wb") as out:
            out.write(self.signal)

    def tearDown(self):
        self.folder.cleanup()

    def path(self, name):
        return os.path.join(self.folder.name, name)

    def write(self, name, data):
        with open(self.path(name), "wb" if isinstance(data, bytes) else "w") as out:
            out.write(data)
        return self.path(name)

    def compare(self, wav_bytes):
        return stereo_signal.main(["", "compare", self.write("export.wav", wav_bytes), self.signal_path])

    def check(self, chunk_bytes, expected, **session):
        return plugin_chunk.main(["", "check", self.write("s.ardour", session_xml(chunk_bytes, **session)),
                                  expected])

    def test_an_exact_export_passes_and_every_corruption_fails(self):
        self.assertEqual(self.compare(float_wav(self.signal)), 0)
        one_bit = bytearray(self.signal)
        one_bit[4 * 500] ^= 1
        swapped = b"".join(self.signal[i + 4:i + 8] + self.signal[i:i + 4] for i in range(0, len(self.signal), 8))
        broken = {
            "one bit of one sample": float_wav(bytes(one_bit)),
            "the channels swapped": float_wav(swapped),
            "the last frame missing": float_wav(self.signal[:-8]),
            "a frame too many": float_wav(self.signal + self.signal[:8]),
            "a different rate": float_wav(self.signal, rate=44100),
            "integer samples": float_wav(self.signal, tag=1),
            "no WAV at all": self.signal,
        }
        for what, wav in broken.items():
            with self.subTest(what):
                self.assertEqual(self.compare(wav), 1)

    def test_the_expected_chunk_passes_and_every_wrong_one_fails(self):
        default = plugin_chunk.EXPECTED_VALUES["default"]
        changed = plugin_chunk.EXPECTED_VALUES["changed"]
        self.assertEqual(self.check(chunk(default), "default"), 0)
        self.assertEqual(self.check(chunk(changed), "changed"), 0)
        one_value = list(changed)
        one_value[63] = 0.0
        broken = {
            "the defaults where the changes belong": (chunk(default), "changed"),
            "the changes where the defaults belong": (chunk(changed), "default"),
            "one value lost": (chunk(one_value), "changed"),
            "the values shifted by one": (chunk([0.0] + changed[:-1]), "changed"),
            "a wrong marker": (chunk(default, marker=-999.0), "default"),
            "a value short": (chunk(default[:-1]), "default"),
            "a value too many": (chunk(default + [0.0]), "default"),
        }
        for what, (chunk_bytes, expected) in broken.items():
            with self.subTest(what):
                self.assertEqual(self.check(chunk_bytes, expected), 1)
        with self.subTest("another plug-in's processor"):
            self.assertEqual(self.check(chunk(default), "default", unique_id="1234"), 1)

    def test_change_stores_what_check_expects(self):
        session = self.write("s.ardour", session_xml(chunk(plugin_chunk.EXPECTED_VALUES["default"])))
        self.assertEqual(plugin_chunk.main(["", "change", session]), 0)
        self.assertEqual(plugin_chunk.main(["", "check", session, "changed"]), 0)
        self.assertEqual(plugin_chunk.main(["", "check", session, "default"]), 1)


# As Ardour writes an LV2 plug-in's state: the processor in the session file names
# the folder, lilv writes state.ttl there.
LV2_SESSION = ('<Session><Routes><Route><Processor id="%s" type="lv2" unique-id="%s">'
               '<lv2 state-dir="%s"/></Processor></Route></Routes></Session>')
LV2_STATE = """@prefix state: <http://lv2plug.in/ns/ext/state#> .
@prefix xsd: <http://www.w3.org/2001/XMLSchema#> .

<>
\tstate:state [
\t\t<%s> \"\"\"%s\"\"\"^^xsd:base64Binary
\t] .
"""


class Lv2StateChecks(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.session = os.path.join(self.folder.name, "s.ardour")

    def tearDown(self):
        self.folder.cleanup()

    def save(self, chunk_bytes, key=lv2_state.URI + "#state", uri=lv2_state.URI, state_dir="state1"):
        with open(self.session, "w") as out:
            out.write(LV2_SESSION % ("7", uri, state_dir))
        folder = os.path.join(self.folder.name, "plugins", "7", "state1")
        os.makedirs(folder, exist_ok=True)
        # lilv breaks base64 into lines of 76 characters.
        text = base64.encodebytes(chunk_bytes).decode("ascii").strip()
        with open(os.path.join(folder, "state.ttl"), "w") as out:
            out.write(LV2_STATE % (key, text))

    def main(self, *argv):
        return plugin_chunk.main(["", *argv], lv2_state.read_chunk, lv2_state.write_chunk)

    def test_the_plugins_own_state_passes_and_a_wrong_or_misplaced_one_fails(self):
        default = plugin_chunk.EXPECTED_VALUES["default"]
        self.save(chunk(default))
        self.assertEqual(self.main("check", self.session, "default"), 0)
        self.assertEqual(self.main("check", self.session, "changed"), 1)
        broken = {
            "a value short": dict(chunk_bytes=chunk(default[:-1])),
            "a wrong marker": dict(chunk_bytes=chunk(default, marker=-999.0)),
            "another key": dict(chunk_bytes=chunk(default), key=lv2_state.URI + "#other"),
            "another plug-in's processor": dict(chunk_bytes=chunk(default), uri="urn:another"),
            "a state folder that is not there": dict(chunk_bytes=chunk(default), state_dir="state2"),
        }
        for what, saved in broken.items():
            with self.subTest(what):
                self.save(**saved)
                self.assertEqual(self.main("check", self.session, "default"), 1)

    def test_only_a_state_the_plugin_saved_again_passes_after_a_change(self):
        self.save(chunk(plugin_chunk.EXPECTED_VALUES["default"]))
        self.assertEqual(self.main("change", self.session), 0)
        # Still the edited file: Ardour kept it, the plug-in's state never replaced it.
        self.assertEqual(self.main("check", self.session, "changed"), 1)
        # What Ardour writes when the plug-in reports the changed values.
        self.save(chunk(plugin_chunk.EXPECTED_VALUES["changed"]))
        self.assertEqual(self.main("check", self.session, "changed"), 0)
        self.assertEqual(self.main("check", self.session, "default"), 1)


if __name__ == "__main__":
    unittest.main()
