#!/usr/bin/env python3
"""Draws the pictures shipped with the program: family drawings and photos,
flange pictures, the splash picture, the logos and the program icon.

Needs ImageMagick's `convert`. Run from anywhere; the pictures are written into
data/Images, data/Images/splashimage.gif and src/gui/resources, and committed.
"""
import os
import subprocess

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
IMAGES = os.path.join(ROOT, "data", "Images")
RESOURCES = os.path.join(ROOT, "src", "gui", "resources")
FONT = "DejaVu-Sans"
BOLD = "DejaVu-Sans-Bold"
NAVY = "#000080"
STEEL = "#9aa4ae"
STEEL_DARK = "#5f6973"
STEEL_LIGHT = "#d5dbe0"


def convert(out, width, height, draw, background="white", extra=()):
    args = ["convert", "-size", f"{width}x{height}", f"xc:{background}", "-font", FONT]
    for item in draw:
        args += ["-draw", item] if isinstance(item, str) else list(item)
    args += list(extra)
    if out.endswith(".png"):
        # No time stamps, so that drawing again changes nothing.
        args += ["-define", "png:exclude-chunks=date,time"]
    args.append(out)
    subprocess.run(args, check=True)


def fill(color, stroke=None, width=1):
    style = ["-fill", color]
    style += ["-stroke", stroke, "-strokewidth", str(width)] if stroke else ["-stroke", "none"]
    return style


def text(x, y, words, size=11, color=NAVY, font=FONT):
    return ("-font", font, "-pointsize", str(size), "-fill", color, "-stroke", "none",
            "-draw", f"text {x},{y} '{words}'")


def flange_block(x, y, w, h):
    """A flange seen from the side: a plate with two bolt heads."""
    return [fill(STEEL_DARK, "black"), f"rectangle {x},{y} {x + w},{y + h}",
            fill(STEEL_LIGHT, "black"), f"rectangle {x + 1},{y + 4} {x + w - 1},{y + 9}",
            f"rectangle {x + 1},{y + h - 9} {x + w - 1},{y + h - 4}"]


def tube(x1, y1, x2, y2):
    return [fill(STEEL, "black"), f"rectangle {x1},{y1} {x2},{y2}",
            fill(STEEL_LIGHT), f"rectangle {x1 + 2},{y1 + 3} {x2 - 2},{y1 + 6}"]


# Shapes of the families, drawn on a 119 x 87 photo and a 128 x 150 drawing.
def shape_straight(w, h):
    cy = h // 2
    return tube(16, cy - 12, w - 16, cy + 12) + flange_block(8, cy - 22, 8, 44) + \
        flange_block(w - 16, cy - 22, 8, 44)


def shape_bend(w, h):
    return [fill("none", "black", 24), f"arc 12,12 {2 * w - 40},{2 * h - 40} 180,270",
            fill("none", STEEL, 20), f"arc 12,12 {2 * w - 40},{2 * h - 40} 180,270"] + \
        flange_block(4, h - 22, 36, 8) + flange_block(w - 22, 6, 8, 36)


def shape_miter(w, h):
    return [fill(STEEL, "black"), f"polygon 20,{h - 18} 20,20 {w - 18},20 {w - 18},44 44,44 44,{h - 18}"] + \
        flange_block(12, h - 18, 40, 8) + flange_block(w - 18, 12, 8, 40)


def shape_twist(w, h):
    cy = h // 2
    return tube(16, cy - 12, w // 2, cy + 12) + \
        [fill(STEEL, "black"), f"rectangle {w // 2},{cy - 20} {w // 2 + 24},{cy + 20}"] + \
        tube(w // 2 + 24, cy - 6, w - 16, cy + 6) + flange_block(8, cy - 22, 8, 44) + \
        flange_block(w - 16, cy - 22, 8, 44)


def shape_flex(w, h):
    cy = h // 2
    parts = flange_block(8, cy - 22, 8, 44) + flange_block(w - 16, cy - 22, 8, 44)
    for x in range(18, w - 18, 6):
        parts += [fill(STEEL_DARK if (x // 6) % 2 else STEEL, "black"),
                  f"rectangle {x},{cy - 14} {x + 5},{cy + 14}"]
    return parts


def shape_coax(w, h):
    cy = h // 2
    return tube(16, cy - 14, w - 40, cy + 14) + flange_block(8, cy - 24, 8, 48) + \
        [fill("#c8a040", "black"), f"rectangle {w - 40},{cy - 7} {w - 16},{cy + 7}",
         fill("#e0c070", "black"), f"rectangle {w - 16},{cy - 4} {w - 8},{cy + 4}"]


def shape_taper(w, h):
    cy = h // 2
    return [fill(STEEL, "black"),
            f"polygon 16,{cy - 8} {w // 3},{cy - 8} {2 * w // 3},{cy - 16} {w - 16},{cy - 16} "
            f"{w - 16},{cy + 16} {2 * w // 3},{cy + 16} {w // 3},{cy + 8} 16,{cy + 8}"] + \
        flange_block(8, cy - 18, 8, 36) + flange_block(w - 16, cy - 26, 8, 52)


def shape_window(w, h):
    cx, cy = w // 2, h // 2
    return [fill(STEEL_DARK, "black"), f"rectangle {cx - 34},{cy - 30} {cx + 34},{cy + 30}",
            fill("#b8d8f0", "black"), f"rectangle {cx - 16},{cy - 8} {cx + 16},{cy + 8}",
            fill("black"), f"circle {cx - 26},{cy - 22} {cx - 23},{cy - 22}",
            f"circle {cx + 26},{cy - 22} {cx + 29},{cy - 22}",
            f"circle {cx - 26},{cy + 22} {cx - 23},{cy + 22}",
            f"circle {cx + 26},{cy + 22} {cx + 29},{cy + 22}"]


def shape_step_twist(w, h):
    cy = h // 2
    return tube(16, cy - 12, w // 2 - 6, cy + 12) + \
        [fill(STEEL_DARK, "black"), f"rectangle {w // 2 - 6},{cy - 16} {w // 2 + 6},{cy + 16}"] + \
        tube(w // 2 + 6, cy - 6, w - 16, cy + 6) + flange_block(8, cy - 22, 8, 44) + \
        flange_block(w - 16, cy - 22, 8, 44)


FAMILIES = [
    ("coax", "Waveguide to Coax", shape_coax),
    ("rigidtwist", "Rigid Twist", shape_twist),
    ("ebend", "E Bend", shape_bend),
    ("flextwist", "Flexible Twist", shape_flex),
    ("hbend", "H Bend", shape_bend),
    ("miterh", "Miter H", shape_miter),
    ("mitere", "Miter E", shape_miter),
    ("window", "Pressure Window", shape_window),
    ("straight", "Straight Section", shape_straight),
    ("steptwist", "Step Twist", shape_step_twist),
    ("taper", "Tapered Transition", shape_taper),
]

FLANGES = [
    ("flg_cover", "Cover", "square"),
    ("flg_choke", "Choke", "choke"),
    ("flg_cpr", "CPR", "cpr"),
    ("flg_round", "Round", "round"),
    ("flg_pw", "Window", "square"),
]


def family_pictures():
    for name, title, shape in FAMILIES:
        convert(os.path.join(IMAGES, f"{name}.gif"), 119, 87,
                shape(119, 87) + [text(4, 84, title, 9, "black")], background="#f4f4ef")
        convert(os.path.join(IMAGES, f"{name}_dwg.gif"), 128, 150,
                [fill("none", NAVY), "rectangle 0,0 127,149"] + shape(128, 110) +
                [fill("none", NAVY), "line 10,125 118,125", "line 10,121 10,129",
                 "line 118,121 118,129", text(48, 140, "L", 11)])


def flange_face(kind, w, h):
    cx, cy = w // 2, h // 2
    if kind == "round":
        parts = [fill(STEEL, "black"), f"circle {cx},{cy} {cx + 36},{cy}"]
    else:
        parts = [fill(STEEL, "black"), f"rectangle {cx - 36},{cy - 32} {cx + 36},{cy + 32}"]
    if kind == "choke":
        parts += [fill("none", STEEL_DARK, 3), f"circle {cx},{cy} {cx + 24},{cy}"]
    if kind == "cpr":
        parts += [fill("none", STEEL_DARK, 2), f"rectangle {cx - 26},{cy - 18} {cx + 26},{cy + 18}"]
    parts += [fill("white", "black"), f"rectangle {cx - 16},{cy - 8} {cx + 16},{cy + 8}"]
    for dx, dy in ((-28, -24), (28, -24), (-28, 24), (28, 24)):
        parts += [fill("black"), f"circle {cx + dx},{cy + dy} {cx + dx + 3},{cy + dy}"]
    return parts


def flange_pictures():
    for name, title, kind in FLANGES:
        convert(os.path.join(IMAGES, f"{name}.gif"), 110, 84,
                flange_face(kind, 110, 78) + [text(4, 82, title, 8, "black")])


def general_pictures():
    convert(os.path.join(IMAGES, "WG.gif"), 119, 87,
            shape_straight(119, 70) + shape_bend(60, 40) +
            [text(6, 84, "Waveguide components", 8, NAVY)], background="#f4f4ef")
    convert(os.path.join(IMAGES, "NA.gif"), 119, 87,
            [fill("none", STEEL_DARK), "rectangle 1,1 117,85",
             text(18, 40, "Image not", 12, STEEL_DARK), text(22, 56, "available", 12, STEEL_DARK)])
    convert(os.path.join(IMAGES, "splashimage.gif"), 432, 288,
            shape_straight(432, 150) +
            [text(24, 200, "Pelmora 38", 34, NAVY, BOLD),
             text(26, 228, "Waveguide assembly configurator", 14, "black"),
             text(26, 270, "Corvane Corporation", 12, STEEL_DARK)],
            background="#eef2f6")
    convert(os.path.join(IMAGES, "corvane.bmp"), 200, 48,
            [text(4, 34, "CORVANE", 30, NAVY, BOLD)])


def resources():
    convert(os.path.join(RESOURCES, "flash.gif"), 412, 151,
            [fill("black"), "rectangle 0,0 411,22", "rectangle 0,128 411,150",
             text(18, 100, "CORVANE", 64, "black", BOLD)],
            extra=["-monochrome"])
    convert(os.path.join(RESOURCES, "update.png"), 80, 110,
            [fill("#eef2f6", STEEL_DARK), "roundrectangle 2,2 77,107 8,8",
             fill(NAVY), "rectangle 32,18 48,58", "polygon 20,58 60,58 40,82",
             fill(STEEL_DARK), "rectangle 16,88 64,94"])
    convert(os.path.join(RESOURCES, "mainicon.png"), 64, 64,
            [fill(NAVY), "roundrectangle 0,0 63,63 10,10",
             fill(STEEL, "black"), "rectangle 10,24 54,40",
             fill(STEEL_DARK, "black"), "rectangle 6,16 12,48", "rectangle 52,16 58,48"])


def main():
    os.makedirs(IMAGES, exist_ok=True)
    os.makedirs(RESOURCES, exist_ok=True)
    family_pictures()
    flange_pictures()
    general_pictures()
    resources()


if __name__ == "__main__":
    main()
