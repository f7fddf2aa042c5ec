#!/usr/bin/env python3
"""Reads and rewrites the LV2 plug-in's state, which Ardour keeps beside the session file:
SESSION/plugins/<processor id>/<state-dir>/state.ttl, the chunk as base64 in one property.

  lv2_state.py check SESSION.ardour default|changed   exits 1 unless the plug-in's own saved state
                                                      holds those values, and nothing else
  lv2_state.py change SESSION.ardour                  stores the "changed" values in the state

"change" also adds a property the plug-in never stores. Ardour writes a state again
only when the plug-in's differs from the one it loaded, so a session saved after a
load holds that property still unless the state in it came from the plug-in.
"""
import base64
import os
import re
import sys
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import plugin_chunk  # noqa: E402

URI = "https://korvandel.audio/lv2/pemberlyquist-ravuvi-rozevezav"
FOREIGN_PROPERTY = '<urn:slew-test:edited> "by the test"'
# lilv writes the properties in a blank node: state:state [ <KEY> """BASE64"""^^xsd:base64Binary ] .
STATE_BLOCK = re.compile(r"state:state\s*\[(.*?)\]\s*\.", re.S)
OWN_PROPERTY = re.compile(r'\s*<%s#state>\s*"""([A-Za-z0-9+/=\s]*)"""\^\^xsd:base64Binary\s*'
                          % re.escape(URI))


def state_file(session):
    processors = [p for p in ElementTree.parse(session).iter("Processor")
                  if p.get("type") == "lv2" and p.get("unique-id") == URI]
    if len(processors) != 1:
        raise ValueError("%d processors of the plug-in in the session" % len(processors))
    state_dir = processors[0].find("lv2")
    if state_dir is None or not state_dir.get("state-dir"):
        raise ValueError("the plug-in's processor names no state folder")
    return os.path.join(os.path.dirname(session), "plugins", processors[0].get("id"),
                        state_dir.get("state-dir"), "state.ttl")


def state_block(text):
    block = STATE_BLOCK.search(text)
    if block is None:
        raise ValueError("no state:state in the plug-in's state file")
    return block


def read_chunk(session):
    with open(state_file(session)) as ttl:
        properties = state_block(ttl.read()).group(1)
    own = OWN_PROPERTY.fullmatch(properties)
    if FOREIGN_PROPERTY in properties:
        raise ValueError("the state is as the test edited it: Ardour saved none of the plug-in's")
    if own is None:
        raise ValueError("the state holds the properties %s, not the plug-in's one alone"
                         % ", ".join(re.findall(r"<([^>]*)>", properties)))
    return base64.b64decode(own.group(1))


def write_chunk(session, chunk):
    path = state_file(session)
    with open(path) as ttl:
        text = ttl.read()
    block = state_block(text)
    properties = '\n\t\t<%s#state> """%s"""^^xsd:base64Binary ;\n\t\t%s\n\t' % (
        URI, base64.b64encode(chunk).decode("ascii"), FOREIGN_PROPERTY)
    with open(path, "w") as ttl:
        ttl.write(text[:block.start(1)] + properties + text[block.end(1):])


if __name__ == "__main__":
    sys.exit(plugin_chunk.main(sys.argv, read_chunk, write_chunk, __doc__))
