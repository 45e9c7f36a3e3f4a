#!/usr/bin/env python3
"""Draws Mirto's pictures as SVG sources and renders them into artwork/.

Every picture is drawn separately for each pixel size it ships in (1x and 2x,
and every size of the application icon), so strokes and pixel-font letters
fall on whole pixels instead of being scaled. The SVG files are written to
tools/artwork/svg/, the rendered PNG files and the resource list to artwork/.

Run from anywhere:  python3 tools/artwork/draw.py
Needs rsvg-convert (Debian package librsvg2-bin) for the PNG step; the build
itself only embeds the committed PNG files.
"""

import os
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SVG_DIR = os.path.join(ROOT, "tools", "artwork", "svg")
OUT_DIR = os.path.join(ROOT, "artwork")

# ---------------------------------------------------------------- helpers


def doc(size, body):
    return (
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" '
        f'viewBox="0 0 {size} {size}">\n{body}</svg>\n'
    )


def stroke(d, width, color, opacity=1.0, cap="round", join="round"):
    return (
        f'<path d="{d}" fill="none" stroke="{color}" stroke-width="{width}" '
        f'stroke-linecap="{cap}" stroke-linejoin="{join}" stroke-opacity="{opacity}"/>\n'
    )


def fill(d, color, opacity=1.0, extra=""):
    return f'<path d="{d}" fill="{color}" fill-opacity="{opacity}" {extra}/>\n'


def rect(x, y, w, h, color, rx=0, extra=""):
    return (
        f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{rx}" fill="{color}" {extra}/>\n'
    )


def haloed(d, width, halo, light="#EDEDED", dark="#101010", filled=False):
    """A light stroke over a soft dark outline: reads on dark and light grounds."""
    out = stroke(d, width + 2 * halo, dark, 0.55)
    if filled:
        out += fill(d, light)
    out += stroke(d, width, light)
    return out


# ------------------------------------------------------- title-bar glyphs
# 24 x 24 (48 x 48 at 2x). The buttons that are 22 x 22 show the middle of the
# picture, so nothing is drawn in the outer pixel ring (2 at 2x).


def glyph_menu_video(s):
    if s == 1:
        frame = "M4 6 H20 V18 H4 Z"
        play = "M10 9.2 L15.6 12 L10 14.8 Z"
        return doc(24, haloed(frame, 2, 1.0) + haloed(play, 1.0, 1.0, filled=True))
    frame = "M8 12 H40 V36 H8 Z"
    play = "M20 18 L31.5 24 L20 30 Z"
    holes = "".join(rect(12 + 5.5 * i, 15, 3, 2, "#101010", 0.5, 'fill-opacity="0.6"')
                    for i in range(5))
    holes += "".join(rect(12 + 5.5 * i, 31, 3, 2, "#101010", 0.5, 'fill-opacity="0.6"')
                     for i in range(5))
    return doc(48, haloed(frame, 4, 1.6) + holes + haloed(play, 2.0, 1.6, filled=True))


def glyph_menu_audio(s):
    if s == 1:
        beam = "M9.5 17 V7 L17.5 5 V15"
        heads = ("M4.6 17.3 a2.6 2.0 -20 1 0 5.2 0 a2.6 2.0 -20 1 0 -5.2 0 Z "
                 "M12.6 15.3 a2.6 2.0 -20 1 0 5.2 0 a2.6 2.0 -20 1 0 -5.2 0 Z")
        return doc(24, haloed(beam, 2, 1.0) + haloed(heads, 1.0, 1.0, filled=True))
    beam = "M19 34 V13 L35 9 V30"
    bar = "M19 19 L35 15"
    heads = ("M9.5 34.5 a5 4 -20 1 0 10 0 a5 4 -20 1 0 -10 0 Z "
             "M25.5 30.5 a5 4 -20 1 0 10 0 a5 4 -20 1 0 -10 0 Z")
    return doc(48, haloed(beam, 3.5, 1.6) + haloed(bar, 3, 1.2)
               + haloed(heads, 1.6, 1.6, filled=True))


def glyph_about(s):
    if s == 1:
        ring = "M12 4 a8 8 0 1 0 0.01 0 Z"
        stem = "M12 11 V16.5"
        dot = "M12 6.7 a1.4 1.4 0 1 0 0.01 0 Z"
        return doc(24, haloed(ring, 2, 1.0) + haloed(stem, 2.4, 1.0)
                   + haloed(dot, 0.4, 1.0, filled=True))
    ring = "M24 7.5 a16.5 16.5 0 1 0 0.01 0 Z"
    stem = "M24 21.5 V33.5"
    dot = "M24 12.6 a2.4 2.4 0 1 0 0.01 0 Z"
    return doc(48, haloed(ring, 3.5, 1.6) + haloed(stem, 4, 1.6)
               + haloed(dot, 1.0, 1.4, filled=True))


def glyph_minimize(s):
    if s == 1:
        return doc(24, haloed("M6 16 H18", 2, 1.0))
    return doc(48, haloed("M12 32 H36", 4, 1.6))


def glyph_minimize_to_tray(s):
    if s == 1:
        tray = "M5 14 V19 H19 V14"
        arrow = "M12 4 V14 M8 10 L12 14 L16 10"
        return doc(24, haloed(tray, 2, 1.0) + haloed(arrow, 2, 1.0))
    tray = "M9 28 V38 H39 V28"
    slot = "M15 33 H33"
    arrow = "M24 7 V27 M16.5 19.5 L24 27 L31.5 19.5"
    return doc(48, haloed(tray, 4, 1.6) + haloed(slot, 2, 1.0) + haloed(arrow, 4, 1.6))


def cross_disk(size, color, rim):
    """Exit and close: a coloured disk with a white cross, readable on any ground."""
    if size == 24:
        c, r, arm, w = 12, 10.5, 3.6, 2.0
        shade = 0.8
    else:
        c, r, arm, w = 24, 21.5, 7.6, 3.6
        shade = 1.4
    disk = f"M{c} {c - r} a{r} {r} 0 1 0 0.01 0 Z"
    inner = f"M{c} {c - r + shade} a{r - shade} {r - shade} 0 1 0 0.01 0 Z"
    x = f"M{c - arm} {c - arm} L{c + arm} {c + arm} M{c + arm} {c - arm} L{c - arm} {c + arm}"
    body = fill(disk, rim)
    body += fill(inner, color)
    body += (f'<path d="M{c - r + shade} {c} a{r - shade} {r - shade} 0 0 1 {2 * (r - shade)} 0 Z" '
             f'fill="#FFFFFF" fill-opacity="0.16"/>\n')
    body += stroke(x, w + (1.4 if size == 24 else 2.4), "#000000", 0.25)
    body += stroke(x, w, "#FFFFFF")
    return doc(size, body)


def glyph_exit(s):
    return cross_disk(24 * s, "#C8473B", "#6E1F18")


def glyph_close(s):
    return cross_disk(24 * s, "#77797B", "#3C3D3E")


def glyph_categories(s):
    """16 x 16: four tiles, dark enough for the light main area."""
    if s == 1:
        tiles = "".join(rect(x, y, 6, 6, "#3E5C76", 1.2) for x in (1.5, 8.5) for y in (1.5, 8.5))
        tiles = tiles.replace('rx="1.2"', 'rx="1.2" stroke="#23384A" stroke-width="1"')
        return doc(16, tiles)
    body = ""
    for x in (3, 17):
        for y in (3, 17):
            body += rect(x, y, 12, 12, "#3E5C76", 2.5,
                         'stroke="#23384A" stroke-width="1.5"')
            body += rect(x + 2, y + 2, 8, 3, "#FFFFFF", 1, 'fill-opacity="0.25"')
    return doc(32, body)


# ------------------------------------------------------------ pixel fonts
# 3 x 5 letters for 16 x 16 pictures, 5 x 7 letters for 32 x 32.

FONT_3X5 = {
    "A": [".X.", "X.X", "XXX", "X.X", "X.X"],
    "B": ["XX.", "X.X", "XX.", "X.X", "XX."],
    "C": [".XX", "X..", "X..", "X..", ".XX"],
    "E": ["XXX", "X..", "XX.", "X..", "XXX"],
    "F": ["XXX", "X..", "XX.", "X..", "X.."],
    "G": [".XX", "X..", "X.X", "X.X", ".XX"],
    "I": ["XXX", ".X.", ".X.", ".X.", "XXX"],
    "K": ["X.X", "X.X", "XX.", "X.X", "X.X"],
    "L": ["X..", "X..", "X..", "X..", "XXX"],
    "M": ["X...X", "XX.XX", "X.X.X", "X...X", "X...X"],
    "m": ["X.X", "XXX", "X.X", "X.X", "X.X"],  # narrow, where five letters would not fit
    "O": [".X.", "X.X", "X.X", "X.X", ".X."],
    "P": ["XX.", "X.X", "XX.", "X..", "X.."],
    "V": ["X.X", "X.X", "X.X", "X.X", ".X."],
    "W": ["X.X", "X.X", "X.X", "XXX", "X.X"],
    "3": ["XX.", "..X", ".X.", "..X", "XX."],
    "4": ["X.X", "X.X", "XXX", "..X", "..X"],
}

FONT_5X7 = {
    "A": [".XXX.", "X...X", "X...X", "XXXXX", "X...X", "X...X", "X...X"],
    "B": ["XXXX.", "X...X", "X...X", "XXXX.", "X...X", "X...X", "XXXX."],
    "C": [".XXXX", "X....", "X....", "X....", "X....", "X....", ".XXXX"],
    "E": ["XXXXX", "X....", "X....", "XXXX.", "X....", "X....", "XXXXX"],
    "F": ["XXXXX", "X....", "X....", "XXXX.", "X....", "X....", "X...."],
    "G": [".XXXX", "X....", "X....", "X..XX", "X...X", "X...X", ".XXX."],
    "I": [".XXX.", "..X..", "..X..", "..X..", "..X..", "..X..", ".XXX."],
    "K": ["X...X", "X..X.", "X.X..", "XX...", "X.X..", "X..X.", "X...X"],
    "L": ["X....", "X....", "X....", "X....", "X....", "X....", "XXXXX"],
    "M": ["X...X", "XX.XX", "X.X.X", "X.X.X", "X...X", "X...X", "X...X"],
    "O": [".XXX.", "X...X", "X...X", "X...X", "X...X", "X...X", ".XXX."],
    "P": ["XXXX.", "X...X", "X...X", "XXXX.", "X....", "X....", "X...."],
    "V": ["X...X", "X...X", "X...X", "X...X", "X...X", ".X.X.", "..X.."],
    "W": ["X...X", "X...X", "X...X", "X.X.X", "X.X.X", "XX.XX", "X...X"],
    "3": ["XXXX.", "....X", "....X", ".XXX.", "....X", "....X", "XXXX."],
    "4": ["...X.", "..XX.", ".X.X.", "X..X.", "XXXXX", "...X.", "...X."],
}


def text_pixels(text, font, x0, y0, color):
    """Letters as pixel rectangles, one path per text."""
    cells = []
    x = x0
    for ch in text:
        glyph = font[ch]
        for row, line in enumerate(glyph):
            for col, bit in enumerate(line):
                if bit == "X":
                    cells.append(f"M{x + col} {y0 + row}h1v1h-1z")
        x += len(glyph[0]) + 1
    return f'<path d="{"".join(cells)}" fill="{color}" shape-rendering="crispEdges"/>\n'


def text_width(text, font):
    return sum(len(font[ch][0]) for ch in text) + len(text) - 1


# Each format keeps one colour wherever it appears; white letters on it stay
# legible when the list greys a disabled entry.
FORMAT_COLOURS = {
    "AVI": "#2D65A8", "MP4": "#2A7D4F", "MKV": "#6C46A0", "FLV": "#B23A2E",
    "MOV": "#17727B", "3GP": "#A85A0E", "WEBM": "#5E7A1E", "OGV": "#7D5028",
    "MP3": "#2B3F66", "M4A": "#9C3469", "FLAC": "#866207", "APE": "#4E5C6A",
    "WMA": "#3F4FA6",
}


def darker(hex_colour, f=0.62):
    r, g, b = (int(hex_colour[i:i + 2], 16) for i in (1, 3, 5))
    return "#%02X%02X%02X" % (int(r * f), int(g * f), int(b * f))


def badge(text, size, top):
    """One labelled row: the upper or the lower half of a 16 (32) picture."""
    colour = FORMAT_COLOURS[text]
    if size == 16:
        # Full width without a frame: "WEBM" and "FLAC" need 15 of the 16 pixels.
        letters = text if text_width(text, FONT_3X5) <= 16 else text.replace("M", "m")
        font, y, h = FONT_3X5, (0 if top else 9), 7
        tw = text_width(letters, font)
        x = (16 - tw) // 2
        body = rect(0, y, 16, h, colour, 1.5)
        return body + text_pixels(letters, font, x, y + 1, "#FFFFFF")
    font, y, h = FONT_5X7, (2 if top else 17), 13
    tw = text_width(text, font)
    x = (32 - tw) // 2
    body = rect(1.5, y + 0.5, 29, h - 1, colour, 3, f'stroke="{darker(colour)}" stroke-width="1"')
    body += rect(3, y + 2, 26, 3, "#FFFFFF", 1.5, 'fill-opacity="0.18"')
    return body + text_pixels(text, font, x, y + 3, "#FFFFFF")


def film_row(size, top=True):
    """A strip of film standing for 'any video' in place of a source label."""
    if size == 16:
        y = 0 if top else 9
        body = rect(0, y, 16, 7, "#3A3A3A", 1)
        body += rect(2, y + 2, 12, 3, "#9FB8CC")
        holes = "".join(f"M{1 + 2 * i} {y}h1v1h-1z M{1 + 2 * i} {y + 6}h1v1h-1z" for i in range(8))
        return body + f'<path d="{holes}" fill="#E8E8E8" shape-rendering="crispEdges"/>\n'
    y = 2 if top else 17
    body = rect(1, y, 30, 13, "#3A3A3A", 2)
    body += rect(4, y + 3, 10, 7, "#9FB8CC", 1)
    body += rect(18, y + 3, 10, 7, "#9FB8CC", 1)
    holes = "".join(f"M{3 + 3 * i} {y + 0.5}h1.6v1.4h-1.6z M{3 + 3 * i} {y + 11}h1.6v1.4h-1.6z"
                    for i in range(9))
    return body + f'<path d="{holes}" fill="#E8E8E8"/>\n'


def converter(top, bottom):
    def draw(s):
        size = 16 * s
        upper = film_row(size) if top is None else badge(top, size, True)
        return doc(size, upper + badge(bottom, size, False))
    return draw


# ------------------------------------------------------- menu pictures


def menu_exit(s):
    size = 16 * s
    if s == 1:
        body = fill("M8 1 a7 7 0 1 0 0.01 0 Z", "#8E2A21")
        body += fill("M8 2 a6 6 0 1 0 0.01 0 Z", "#C8473B")
        body += stroke("M5.5 5.5 L10.5 10.5 M10.5 5.5 L5.5 10.5", 1.8, "#FFFFFF")
        return doc(size, body)
    body = fill("M16 2 a14 14 0 1 0 0.01 0 Z", "#8E2A21")
    body += fill("M16 3.5 a12.5 12.5 0 1 0 0.01 0 Z", "#C8473B")
    body += fill("M3.5 16 a12.5 12.5 0 0 1 25 0 Z", "#FFFFFF", 0.15)
    body += stroke("M11 11 L21 21 M21 11 L11 21", 3.2, "#FFFFFF")
    return doc(size, body)


def menu_tray(s):
    if s == 1:
        body = fill("M1.5 9.5 H14.5 V14.5 H1.5 Z", "#C9D3DC", extra='stroke="#3E5C76" stroke-width="1"')
        body += stroke("M8 1.5 V8.5 M5 5.8 L8 8.8 L11 5.8", 1.6, "#3F86D6")
        return doc(16, body)
    body = fill("M3 19 H29 V29 H3 Z", "#C9D3DC", extra='stroke="#3E5C76" stroke-width="1.5" stroke-linejoin="round"')
    body += stroke("M8 23.5 H24", 1.5, "#3E5C76")
    body += stroke("M16 2.5 V17 M10 11.5 L16 17.5 L22 11.5", 3, "#3F86D6")
    return doc(32, body)


def menu_home_page(s):
    if s == 1:
        roof = "M1.5 8 L8 1.8 L14.5 8"
        house = "M3.5 7 V14.5 H12.5 V7 L8 2.8 Z"
        body = fill(house, "#F1E6CF", extra='stroke="#7A5A2E" stroke-width="1" stroke-linejoin="round"')
        body += rect(6.5, 9.5, 3, 5, "#7A5A2E")
        body += stroke(roof, 1.6, "#D0503C")
        return doc(16, body)
    roof = "M2.5 16 L16 3.5 L29.5 16"
    house = "M6.5 14 V29.5 H25.5 V14 L16 5.5 Z"
    body = fill(house, "#F1E6CF", extra='stroke="#7A5A2E" stroke-width="1.5" stroke-linejoin="round"')
    body += rect(13, 19, 6, 10.5, "#7A5A2E", 1)
    body += rect(20, 16, 4, 4, "#9FB8CC", 0.5, 'stroke="#7A5A2E" stroke-width="1"')
    body += stroke(roof, 3, "#D0503C")
    return doc(32, body)


def menu_about(s):
    if s == 1:
        body = fill("M8 1 a7 7 0 1 0 0.01 0 Z", "#1F4E86")
        body += fill("M8 2 a6 6 0 1 0 0.01 0 Z", "#3A7BC8")
        body += rect(7, 7, 2, 5, "#FFFFFF")
        body += rect(7, 4, 2, 2, "#FFFFFF")
        return doc(16, body)
    body = fill("M16 2 a14 14 0 1 0 0.01 0 Z", "#1F4E86")
    body += fill("M16 3.5 a12.5 12.5 0 1 0 0.01 0 Z", "#3A7BC8")
    body += fill("M3.5 16 a12.5 12.5 0 0 1 25 0 Z", "#FFFFFF", 0.15)
    body += rect(14, 13.5, 4, 10, "#FFFFFF", 1)
    body += fill("M16 7.5 a2.3 2.3 0 1 0 0.01 0 Z", "#FFFFFF")
    return doc(32, body)


def menu_neutral_tiles(s):
    """A neutral picture for entries no action shows."""
    if s == 1:
        body = rect(1.5, 1.5, 13, 13, "#D7DDE2", 2, 'stroke="#6F7A84" stroke-width="1"')
        body += rect(4, 4, 3, 3, "#6F7A84") + rect(9, 9, 3, 3, "#6F7A84")
        return doc(16, body)
    body = rect(2.5, 2.5, 27, 27, "#D7DDE2", 4, 'stroke="#6F7A84" stroke-width="1.5"')
    body += rect(8, 8, 6, 6, "#6F7A84", 1) + rect(18, 18, 6, 6, "#6F7A84", 1)
    return doc(32, body)


def menu_neutral_diamond(s):
    if s == 1:
        body = fill("M8 1.5 L14.5 8 L8 14.5 L1.5 8 Z", "#D7DDE2",
                    extra='stroke="#6F7A84" stroke-width="1" stroke-linejoin="round"')
        body += rect(6.5, 6.5, 3, 3, "#6F7A84")
        return doc(16, body)
    body = fill("M16 2.5 L29.5 16 L16 29.5 L2.5 16 Z", "#D7DDE2",
                extra='stroke="#6F7A84" stroke-width="1.5" stroke-linejoin="round"')
    body += rect(13, 13, 6, 6, "#6F7A84", 1)
    return doc(32, body)


def menu_audio_extractor(s):
    """A note taken out of a film frame."""
    if s == 1:
        body = rect(0.5, 3.5, 10, 11, "#3A3A3A", 1)
        holes = "".join(f"M{1.5 + 2 * i} 4.5h1v1h-1z M{1.5 + 2 * i} 12.5h1v1h-1z" for i in range(5))
        body += f'<path d="{holes}" fill="#E8E8E8" shape-rendering="crispEdges"/>\n'
        body += rect(2, 6.5, 7, 5, "#9FB8CC")
        note = note_with_rim("M12.5 10.5 V1.8 L15.2 3",
                             "M9.3 10.8 a2 1.6 -20 1 0 4 0 a2 1.6 -20 1 0 -4 0 Z", 1.2, 0.7)
        return doc(16, body + note)
    body = rect(1, 7, 20, 22, "#3A3A3A", 2)
    holes = "".join(f"M{3 + 3 * i} 8.5h1.6v1.6h-1.6z M{3 + 3 * i} 25.9h1.6v1.6h-1.6z" for i in range(6))
    body += f'<path d="{holes}" fill="#E8E8E8"/>\n'
    body += rect(4, 12, 14, 11, "#9FB8CC", 1)
    note = note_with_rim("M25 21 V3 L30.5 6",
                         "M18.5 21.6 a4 3.2 -20 1 0 8 0 a4 3.2 -20 1 0 -8 0 Z", 2.2, 1.2)
    return doc(32, body + note)


def gear(cx, cy, r_out, r_in, teeth, hole):
    import math
    pts = []
    for i in range(teeth * 2):
        a0 = math.pi * i / teeth
        r = r_out if i % 2 == 0 else r_in
        for da in (-0.28, 0.28):
            a = a0 + da * math.pi / teeth * 1.6
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    d = "M" + " L".join(f"{x:.2f} {y:.2f}" for x, y in pts) + " Z"
    d += f" M{cx} {cy - hole} a{hole} {hole} 0 1 0 0.01 0 Z"
    return d


def note_with_rim(stem, heads, stem_w, rim, colour="#2F6FC0"):
    """A note with a pale rim, so it stands out on the dark menu as on the light."""
    out = stroke(stem, stem_w + 2 * rim, "#F4F6F8", 0.9, cap="butt")
    out += stroke(heads, 2 * rim, "#F4F6F8", 0.9)
    out += stroke(stem, stem_w, colour, cap="butt")
    out += fill(heads, colour)
    return out


def menu_mp3_encoder(s):
    """An encoder front end: a note driven by a gear."""
    if s == 1:
        g = fill(gear(11, 11, 5, 3.6, 6, 1.4), "#C4CAD0",
                 extra='fill-rule="evenodd" stroke="#4A4F54" stroke-width="0.6"')
        note = note_with_rim("M6.5 11 V1.5 C7.5 3.6 10.8 3.6 10.8 7",
                             "M2.3 11.3 a2.3 1.8 -20 1 0 4.6 0 a2.3 1.8 -20 1 0 -4.6 0 Z", 1.4, 0.7)
        return doc(16, g + note)
    g = fill(gear(23, 23, 8.6, 6.4, 8, 2.6), "#A3A9AF",
             extra='fill-rule="evenodd" stroke="#4A4F54" stroke-width="1.2"')
    note = note_with_rim("M12 21.5 V4 L24 1.8 V14",
                         "M4.6 22 a4.2 3.3 -20 1 0 8.4 0 a4.2 3.3 -20 1 0 -8.4 0 Z", 2.4, 1.2)
    note += stroke("M12 8.5 L24 6.3", 2.0, "#2F6FC0", cap="butt")
    return doc(32, g + note)


def menu_portable(s):
    """A handheld player with a screen and a wheel."""
    if s == 1:
        body = rect(3.5, 0.5, 9, 15, "#4A4F54", 1.5)
        body += rect(5, 2, 6, 5, "#9FB8CC")
        body += fill("M8 8.8 a2.7 2.7 0 1 0 0.01 0 Z", "#C9CED3")
        body += fill("M8 10.6 a0.9 0.9 0 1 0 0.01 0 Z", "#4A4F54")
        return doc(16, body)
    body = rect(7, 1, 18, 30, "#4A4F54", 3)
    body += rect(9.5, 3.5, 13, 10, "#9FB8CC", 1)
    body += rect(10.5, 4.5, 11, 3, "#FFFFFF", 1, 'fill-opacity="0.35"')
    body += fill("M16 16.5 a6 6 0 1 0 0.01 0 Z", "#C9CED3")
    body += fill("M16 20.5 a2 2 0 1 0 0.01 0 Z", "#4A4F54")
    return doc(32, body)


def menu_video(s):
    """Plain film: a neutral picture for the spare entry."""
    size = 16 * s
    return doc(size, film_row(size, True) + film_row(size, False))


def menu_execute(s):
    if s == 1:
        body = fill("M8 1 a7 7 0 1 0 0.01 0 Z", "#1E6B3A")
        body += fill("M8 2 a6 6 0 1 0 0.01 0 Z", "#36A55A")
        body += fill("M6.2 4.6 L11.4 8 L6.2 11.4 Z", "#FFFFFF")
        return doc(16, body)
    body = fill("M16 2 a14 14 0 1 0 0.01 0 Z", "#1E6B3A")
    body += fill("M16 3.5 a12.5 12.5 0 1 0 0.01 0 Z", "#36A55A")
    body += fill("M3.5 16 a12.5 12.5 0 0 1 25 0 Z", "#FFFFFF", 0.15)
    body += fill("M12.5 9.5 L23 16 L12.5 22.5 Z", "#FFFFFF", extra='stroke="#FFFFFF" stroke-width="1.2" stroke-linejoin="round"')
    return doc(32, body)


def menu_folder_open(s):
    if s == 1:
        back = "M0.5 3.5 H5.5 L7 5 H13.5 V13.5 H0.5 Z"
        front = "M0.5 13.5 L3 7.5 H15.5 L13.5 13.5 Z"
        body = fill(back, "#C9982E", extra='stroke="#7A5A12" stroke-width="1" stroke-linejoin="round"')
        body += rect(2, 5.5, 10, 3, "#FFFFFF")
        body += fill(front, "#F2C553", extra='stroke="#7A5A12" stroke-width="1" stroke-linejoin="round"')
        return doc(16, body)
    back = "M1.5 6.5 H11 L14 9.5 H27.5 V27.5 H1.5 Z"
    front = "M1.5 27.5 L6.5 15 H31 L27.5 27.5 Z"
    body = fill(back, "#C9982E", extra='stroke="#7A5A12" stroke-width="1.5" stroke-linejoin="round"')
    body += rect(4, 11, 21, 8, "#FFFFFF", 1, 'stroke="#B9B9B9" stroke-width="1"')
    body += fill(front, "#F2C553", extra='stroke="#7A5A12" stroke-width="1.5" stroke-linejoin="round"')
    body += stroke("M8 17.5 H29", 1.2, "#FFFFFF", 0.5)
    return doc(32, body)


def menu_internet(s):
    if s == 1:
        body = fill("M8 0.5 a7.5 7.5 0 1 0 0.01 0 Z", "#2D65A8")
        body += fill("M8 1.5 a6.5 6.5 0 1 0 0.01 0 Z", "#5B9BD8")
        lines = "M1.5 8 H14.5 M8 1.5 V14.5 M2.6 4.6 H13.4 M2.6 11.4 H13.4 M8 1.5 C4.5 4.5 4.5 11.5 8 14.5 M8 1.5 C11.5 4.5 11.5 11.5 8 14.5"
        body += stroke(lines, 0.9, "#FFFFFF", 0.85)
        return doc(16, body)
    body = fill("M16 1.5 a14.5 14.5 0 1 0 0.01 0 Z", "#2D65A8")
    body += fill("M16 3 a13 13 0 1 0 0.01 0 Z", "#5B9BD8")
    lines = ("M3 16 H29 M16 3 V29 M5 9 H27 M5 23 H27 "
             "M16 3 C8.5 8 8.5 24 16 29 M16 3 C23.5 8 23.5 24 16 29")
    body += stroke(lines, 1.4, "#FFFFFF", 0.85)
    body += fill("M5 12 a11.5 11.5 0 0 1 22 0 Z", "#FFFFFF", 0.12)
    return doc(32, body)


# ------------------------------------------------------- application icon
# A dark tile with a bright play triangle (video) and three level bars
# (audio); the smaller sizes leave out what would turn into mush.


def app_icon(px):
    g = ('<defs><linearGradient id="t" x1="0" y1="0" x2="0" y2="1">'
         '<stop offset="0" stop-color="#4D6E8C"/><stop offset="1" stop-color="#22384C"/>'
         '</linearGradient>'
         '<linearGradient id="p" x1="0" y1="0" x2="0" y2="1">'
         '<stop offset="0" stop-color="#FFD27A"/><stop offset="1" stop-color="#F29A2E"/>'
         '</linearGradient></defs>\n')
    if px <= 24:
        # Small sizes: the tile fills the square, one pixel of edge, the triangle
        # snapped to whole pixels.
        n = px
        inset = 0.5
        body = g + rect(inset, inset, n - 2 * inset, n - 2 * inset, "url(#t)", n * 0.2,
                        'stroke="#16232F" stroke-width="1"')
        if px == 16:
            tri = "M5 3.5 L12.5 8 L5 12.5 Z"
        elif px == 22:
            tri = "M7 5 L17 11 L7 17 Z"
        else:
            tri = "M7.5 5.5 L18.5 12 L7.5 18.5 Z"
        body += fill(tri, "url(#p)", extra='stroke="#8A4A08" stroke-width="0.8" stroke-linejoin="round"')
        return doc(px, body)
    # 32 and up: drawn on a 256 grid and rendered at the target size.
    body = g
    body += ('<defs><linearGradient id="gl" x1="0" y1="0" x2="0" y2="1">'
             '<stop offset="0" stop-color="#FFFFFF" stop-opacity="0.30"/>'
             '<stop offset="1" stop-color="#FFFFFF" stop-opacity="0"/></linearGradient></defs>\n')
    edge = 8 if px >= 128 else 6
    body += rect(edge, edge, 256 - 2 * edge, 256 - 2 * edge, "url(#t)", 48,
                 f'stroke="#16232F" stroke-width="{max(4, 256 / px)}"')
    if px >= 64:
        body += rect(edge + 10, edge + 10, 256 - 2 * edge - 20, 100, "url(#gl)", 40)
    body += fill("M62 58 L170 128 L62 198 Z", "url(#p)",
                 extra=f'stroke="#8A4A08" stroke-width="{max(4, 192 / px):.1f}" stroke-linejoin="round"')
    bars = [(178, 150), (200, 118), (222, 166)]
    bw = 14 if px >= 48 else 18
    for x, top in bars:
        body += rect(x - bw / 2, top, bw, 206 - top, "#E8F1F8", bw / 3)
    return doc(256, body).replace(f'width="256" height="256"', f'width="{px}" height="{px}"')


# ----------------------------------------------------------------- tables

GLYPHS = [
    ("glyph-menu-video", glyph_menu_video, 24),
    ("glyph-menu-audio", glyph_menu_audio, 24),
    ("glyph-about", glyph_about, 24),
    ("glyph-minimize", glyph_minimize, 24),
    ("glyph-minimize-to-tray", glyph_minimize_to_tray, 24),
    ("glyph-exit", glyph_exit, 24),
    ("glyph-close", glyph_close, 24),
    ("glyph-categories", glyph_categories, 16),
]

# The image list, in index order.
MENU = [
    ("menu-exit", menu_exit),
    ("menu-tray", menu_tray),
    ("menu-home-page", menu_home_page),
    ("menu-about", menu_about),
    ("menu-neutral-tiles", menu_neutral_tiles),
    ("menu-neutral-diamond", menu_neutral_diamond),
    ("menu-3gp-avi", converter("3GP", "AVI")),
    ("menu-ape-mp3", converter("APE", "MP3")),
    ("menu-audio-extractor", menu_audio_extractor),
    ("menu-portable", menu_portable),
    ("menu-avi-mp3", converter("AVI", "MP3")),
    ("menu-avi-mp4", converter("AVI", "MP4")),
    ("menu-flac-mp3", converter("FLAC", "MP3")),
    ("menu-flv-avi", converter("FLV", "AVI")),
    ("menu-flv-mp3", converter("FLV", "MP3")),
    ("menu-mp3-encoder", menu_mp3_encoder),
    ("menu-mkv-avi", converter("MKV", "AVI")),
    ("menu-mkv-mp4", converter("MKV", "MP4")),
    ("menu-mov-avi", converter("MOV", "AVI")),
    ("menu-video-mp4", converter(None, "MP4")),
    ("menu-m4a-mp3", converter("M4A", "MP3")),
    ("menu-video-ogv", converter(None, "OGV")),
    ("menu-video", menu_video),
    ("menu-flv-3gp", converter("FLV", "3GP")),
    ("menu-video-webm", converter(None, "WEBM")),
    ("menu-webm-mp3", converter("WEBM", "MP3")),
    ("menu-wma-mp3", converter("WMA", "MP3")),
    ("menu-execute", menu_execute),
    ("menu-folder-open", menu_folder_open),
    ("menu-internet", menu_internet),
]

ICON_SIZES = [16, 22, 24, 32, 44, 48, 64, 96, 128, 256, 512]
# The sizes built into the program for its windows' and tray's icons: each
# size a desktop draws a window's icon at (16 to 128) and its double. The
# 512-pixel drawing only goes to the installed icon theme: no desktop draws a
# window's icon that large, and in the window's icon it would cost a
# megabyte of the program's memory and of the window system's at every start.
WINDOW_ICON_SIZES = [px for px in ICON_SIZES if px <= 256]
NOT_EMBEDDED = {f"mirto-icon-{px}.png" for px in ICON_SIZES if px not in WINDOW_ICON_SIZES}


def pictures():
    """(file stem, pixel size, svg text) for every PNG that ships."""
    for name, draw, size in GLYPHS:
        yield name, size, draw(1)
        yield name + "@2x", 2 * size, draw(2)
    for name, draw in MENU:
        yield name, 16, draw(1)
        yield name + "@2x", 32, draw(2)
    for px in ICON_SIZES:
        yield f"mirto-icon-{px}", px, app_icon(px)


def render(svg_path, png_path, px):
    subprocess.run(["rsvg-convert", "-w", str(px), "-h", str(px), "-o", png_path, svg_path],
                   check=True)


def main():
    if shutil.which("rsvg-convert") is None:
        sys.exit("rsvg-convert is missing (Debian package librsvg2-bin)")
    os.makedirs(SVG_DIR, exist_ok=True)
    files = []
    for stem, px, svg in pictures():
        svg_path = os.path.join(SVG_DIR, stem + ".svg")
        with open(svg_path, "w", encoding="utf-8") as out:
            out.write(svg)
        render(svg_path, os.path.join(OUT_DIR, stem + ".png"), px)
        files.append(stem + ".png")
    # The scalable icon is the large drawing itself.
    with open(os.path.join(OUT_DIR, "mirto-icon.svg"), "w", encoding="utf-8") as out:
        out.write(app_icon(256))
    files.append("mirto-icon.svg")
    with open(os.path.join(OUT_DIR, "artwork.qrc"), "w", encoding="utf-8") as out:
        out.write("<!-- Written by tools/artwork/draw.py. -->\n<RCC>\n"
                  '  <qresource prefix="/pictures">\n')
        for f in sorted(files):
            if f not in NOT_EMBEDDED:
                out.write(f"    <file>{f}</file>\n")
        out.write("  </qresource>\n</RCC>\n")
    print(f"{len(files)} files in {os.path.relpath(OUT_DIR, ROOT)}/")


if __name__ == "__main__":
    main()
