#!/usr/bin/python3
"""Draws the editor's four images, each at its own size and at twice that
for editors shown at a desktop scale above 1 (NAME@2x.ext). Run it to remake
the PNGs beside it: the pictures are pure functions of this file (Debian's
python3-cairo)."""

import math
import os

import cairo

HERE = os.path.dirname(os.path.abspath(__file__))


def canvas(width, height, scale):
    """A transparent surface of the image's size times `scale`, drawn in the image's units."""
    surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, width * scale, height * scale)
    cr = cairo.Context(surface)
    cr.scale(scale, scale)
    return surface, cr


def save(surface, name, scale):
    if scale != 1:
        stem, extension = os.path.splitext(name)
        name = "%s@%dx%s" % (stem, scale, extension)
    surface.write_to_png(os.path.join(HERE, name))


def text_centred(cr, text, centre_x, baseline, size, bold=True):
    cr.select_font_face("Liberation Sans", cairo.FONT_SLANT_NORMAL,
                        cairo.FONT_WEIGHT_BOLD if bold else cairo.FONT_WEIGHT_NORMAL)
    cr.set_font_size(size)
    extents = cr.text_extents(text)
    cr.move_to(centre_x - extents.x_advance / 2, baseline)
    cr.show_text(text)


def logo(scale):
    """0: an opaque teal tile with a glowing ring, 99 x 99."""
    surface, cr = canvas(99, 99, scale)
    ground = cairo.LinearGradient(0, 0, 0, 99)
    ground.add_color_stop_rgb(0, 0.02, 0.30, 0.32)
    ground.add_color_stop_rgb(1, 0.00, 0.12, 0.14)
    cr.set_source(ground)
    cr.paint()
    glow = cairo.RadialGradient(49.5, 44, 4, 49.5, 44, 40)
    glow.add_color_stop_rgba(0, 0.45, 1.0, 0.95, 0.9)
    glow.add_color_stop_rgba(1, 0.0, 0.5, 0.5, 0.0)
    cr.set_source(glow)
    cr.paint()
    cr.set_source_rgb(0.75, 1.0, 0.97)
    cr.set_line_width(5)
    cr.arc(49.5, 44, 22, 0, 2 * math.pi)
    cr.stroke()
    cr.move_to(39, 31)
    cr.line_to(39, 57)
    cr.move_to(61, 31)
    cr.line_to(41, 44)
    cr.line_to(61, 57)
    cr.stroke()
    save(surface, "KORVANDEL_LogoTealGlow.PNG", scale)


def web_link(scale):
    """1: the web address along the top edge, never more than half opaque
    (the version number is drawn along the bottom)."""
    surface, cr = canvas(99, 99, scale)
    cr.set_source_rgba(0.85, 0.95, 1.0, 0.5)
    text_centred(cr, "korvandel.audio", 49.5, 11, 10, bold=False)
    cr.set_source_rgba(0.85, 0.95, 1.0, 0.3)
    cr.rectangle(8, 14, 83, 1)
    cr.fill()
    save(surface, "KORVANDEL_WebLinkText.png", scale)


def title(scale):
    """2: the maker's name in red on a transparent ground."""
    surface, cr = canvas(99, 99, scale)
    cr.set_source_rgb(0.9, 0.08, 0.08)
    text_centred(cr, "KORVANDEL", 49.5, 82, 13)
    save(surface, "KORVANDEL_LogoTealGlow_Drelmoor.png", scale)


def glowing_square(scale):
    """3: a lit square button, 50 x 50."""
    surface, cr = canvas(50, 50, scale)
    glow = cairo.RadialGradient(25, 25, 2, 25, 25, 25)
    glow.add_color_stop_rgba(0, 0.6, 1.0, 0.9, 1.0)
    glow.add_color_stop_rgba(1, 0.0, 0.4, 0.4, 0.0)
    cr.set_source(glow)
    cr.paint()
    cr.set_source_rgb(0.2, 0.85, 0.8)
    cr.rectangle(12, 12, 26, 26)
    cr.fill()
    save(surface, "50x50square_top_ON.png", scale)


if __name__ == "__main__":
    for scale in (1, 2):
        logo(scale)
        web_link(scale)
        title(scale)
        glowing_square(scale)
