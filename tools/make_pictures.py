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
    """A flange seen from the side: a plate with a bolt head near each end."""
    parts = [fill(STEEL_DARK, "black"), f"rectangle {x},{y} {x + w},{y + h}", fill(STEEL_LIGHT, "black")]
    if h >= w:
        return parts + [f"rectangle {x + 1},{y + 4} {x + w - 1},{y + 9}",
                        f"rectangle {x + 1},{y + h - 9} {x + w - 1},{y + h - 4}"]
    return parts + [f"rectangle {x + 4},{y + 1} {x + 9},{y + h - 1}",
                    f"rectangle {x + w - 9},{y + 1} {x + w - 4},{y + h - 1}"]


def polygon(points):
    return "polygon " + " ".join(f"{x},{y}" for x, y in points)


def tube(x1, y1, x2, y2):
    return [fill(STEEL, "black"), f"rectangle {x1},{y1} {x2},{y2}",
            fill(STEEL_LIGHT), f"rectangle {x1 + 2},{y1 + 3} {x2 - 2},{y1 + 6}"]


# Shapes of the families, drawn on a 119 x 87 photo and a 128 x 150 drawing.
def shape_straight(w, h):
    cy = h // 2
    return tube(16, cy - 12, w - 16, cy + 12) + flange_block(8, cy - 22, 8, 44) + \
        flange_block(w - 16, cy - 22, 8, 44)


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


# The elbows (bends and miters) are drawn with their bend in the picture plane. A bend in
# the E-plane turns across the port's narrow side b, so the side view shows the guide b wide
# and a deep; a bend in the H-plane turns across the broad side a.
def elbow_outline(cx, cy, g, radius, x_end, y_end, miter):
    """Side view of a 90 degree elbow g wide whose leg centrelines cross at (cx, cy): one leg
    runs down to y_end, the other right to x_end. A miter's outer corner is cut flat, half
    the guide's width along each side."""
    h = g // 2
    if miter:
        return polygon([(cx - h, y_end), (cx - h, cy), (cx, cy - h), (x_end, cy - h),
                        (x_end, cy + h), (cx + h, cy + h), (cx + h, y_end)])
    outer, inner = radius + h, radius - h
    return (f"path 'M {cx - h},{y_end} L {cx - h},{cy + radius} A {outer},{outer} 0 0,1 {cx + radius},{cy - h} "
            f"L {x_end},{cy - h} L {x_end},{cy + h} L {cx + radius},{cy + h} "
            f"A {inner},{inner} 0 0,0 {cx + h},{cy + radius} L {cx + h},{y_end} Z'")


def miter_joint(cx, cy, g):
    """The 45 degree seam where the two legs of a miter meet."""
    h = g // 2
    return f"line {cx + h},{cy + h} {cx - h // 2},{cy - h // 2}"


def elbow_sizes(plane, a, b):
    """The guide's width in the side view and its depth, for a bend in that plane."""
    return (b, a) if plane == "E" else (a, b)


def shifted(parts, s):
    """Parts moved s pixels back into the picture (up and to the right)."""
    return [f"translate {s},{-s} {p}" if isinstance(p, str) else p for p in parts]


def elbow_photo(plane, miter, cx=30, cy=32, xr=94, yb=68):
    # Oblique view: the depth recedes up and to the right at half scale, so the right
    # flange shows its face and the port's shape. The leg centrelines cross at (cx, cy);
    # the flange faces are at xr and yb.
    g, depth = elbow_sizes(plane, 26, 12)
    radius, t, m = 22, 6, 6
    h = g // 2
    guide = elbow_outline(cx, cy, g, radius, xr - t, yb - t, miter)
    flanges = [f"rectangle {cx - h - m},{yb - t} {cx + h + m},{yb}",
               f"rectangle {xr - t},{cy - h - m} {xr},{cy + h + m}"]
    back, front = (depth + m) // 2, -(m // 2)
    # The body is stamped from back to front; the stamps drawn first with a wider black
    # pen leave the outline of the whole body.
    stamps = []
    for s in range(back, front - 1, -1):
        if 0 <= s <= depth // 2:
            stamps += [(STEEL_LIGHT, p) for p in shifted([guide], s)]
        stamps += [(STEEL_DARK, p) for p in shifted(flanges, s)]
    parts = [fill("black", "black", 2)] + [p for _, p in stamps]
    for colour, stamp in stamps:
        parts += [fill(colour), stamp]
    parts += [fill(STEEL, "black"), guide]
    if miter:
        parts += [fill("none", "black"), miter_joint(cx, cy, g)]
    parts += shifted(flange_block(cx - h - m, yb - t, g + 2 * m, t) +
                     flange_block(xr - t, cy - h - m, t, g + 2 * m), front)
    face = [(xr + front, cy - h - m - front), (xr + back, cy - h - m - back),
            (xr + back, cy + h + m - back), (xr + front, cy + h + m - front)]
    port = [(xr, cy - h), (xr + depth // 2, cy - h - depth // 2), (xr + depth // 2, cy + h - depth // 2),
            (xr, cy + h)]
    return parts + [fill(STEEL, "black"), polygon(face), fill("#30363c", "black"), polygon(port)]


# Drawing marks, in navy like the frame.
def arrow(x1, y1, x2, y2):
    """A horizontal or vertical line with an arrow head at (x2, y2)."""
    sx, sy = (x1 > x2) - (x1 < x2), (y1 > y2) - (y1 < y2)
    return [fill("none", NAVY), f"line {x1},{y1} {x2},{y2}", fill(NAVY),
            f"polygon {x2},{y2} {x2 + 5 * sx + 2 * sy},{y2 + 5 * sy + 2 * sx} "
            f"{x2 + 5 * sx - 2 * sy},{y2 + 5 * sy - 2 * sx}"]


def dimension(x1, y1, x2, y2):
    """A dimension line with an arrow head at each end."""
    mx, my = (x1 + x2) // 2, (y1 + y2) // 2
    return arrow(mx, my, x1, y1) + arrow(mx, my, x2, y2)


def thin_line(x1, y1, x2, y2):
    return [fill("none", NAVY), f"line {x1},{y1} {x2},{y2}"]


def centreline(x1, y1, x2, y2):
    return [fill("none", NAVY), f"stroke-dasharray 6 2 2 2 line {x1},{y1} {x2},{y2}"]


def port_view(x, y, w, h):
    """The open end of the guide seen along its axis."""
    return [fill("white", STEEL_DARK, 2), f"rectangle {x},{y} {x + w},{y + h}"]


def elbow_drawing(plane, miter):
    # Side view with each port seen end on beyond its flange; L1 and L2 run from the flange
    # faces to where the leg centrelines cross.
    g, depth = elbow_sizes(plane, 22, 10)
    cx, cy, radius, xr, yb, t, m = 44, 40, 26, 94, 108, 6, 8
    h = g // 2
    parts = [fill(STEEL, "black"), elbow_outline(cx, cy, g, radius, xr - t, yb - t, miter)]
    if miter:
        parts += [fill("none", "black"), miter_joint(cx, cy, g)]
    parts += flange_block(cx - h - m, yb - t, g + 2 * m, t) + flange_block(xr - t, cy - h - m, t, g + 2 * m)
    parts += port_view(cx - h, yb + 5, g, depth) + port_view(xr + 5, cy - h, depth, g)
    parts += centreline(cx, 12, cx, yb + depth + 7) + centreline(16, cy, xr + depth + 7, cy)
    parts += thin_line(16, yb, cx - h - m - 2, yb) + dimension(20, cy, 20, yb) + [text(3, (cy + yb) // 2 + 5, "L1")]
    parts += thin_line(xr, 12, xr, cy - h - m - 2) + dimension(cx, 16, xr, 16) + [text((cx + xr) // 2 - 7, 12, "L2")]
    return parts + [text(72, 142, f"{plane}-plane")]


def straight_drawing(shape, left=22, right=22):
    # L runs between the outer ends of the part, which every straight shape puts 8 pixels
    # inside the frame; left and right are how far each end reaches below the axis.
    return shape(128, 120) + thin_line(8, 63 + left, 8, 116) + thin_line(120, 63 + right, 120, 116) + \
        dimension(8, 112, 120, 112) + [text(61, 128, "L")]


def window_drawing():
    # The window seen face on, and from the side, where its thickness L shows.
    x, top, bottom = 92, 30, 90
    return shape_window(80, 120) + \
        [fill(STEEL_DARK, "black"), f"rectangle {x},{top} {x + 12},{bottom}",
         fill("#b8d8f0", "black"), f"rectangle {x + 4},52 {x + 8},68"] + \
        thin_line(x, bottom + 3, x, 116) + thin_line(x + 12, bottom + 3, x + 12, 116) + \
        arrow(x - 12, 112, x, 112) + arrow(x + 24, 112, x + 12, 112) + \
        thin_line(x, 112, x + 12, 112) + [text(x + 3, 128, "L")]


# Name, title, photo and drawing of each family.
FAMILIES = [
    ("coax", "Waveguide to Coax", shape_coax(119, 87), straight_drawing(shape_coax, 24, 4)),
    ("rigidtwist", "Rigid Twist", shape_twist(119, 87), straight_drawing(shape_twist)),
    ("ebend", "E Bend", elbow_photo("E", False), elbow_drawing("E", False)),
    ("flextwist", "Flexible Twist", shape_flex(119, 87), straight_drawing(shape_flex)),
    ("hbend", "H Bend", elbow_photo("H", False), elbow_drawing("H", False)),
    ("miterh", "Miter H", elbow_photo("H", True), elbow_drawing("H", True)),
    ("mitere", "Miter E", elbow_photo("E", True), elbow_drawing("E", True)),
    ("window", "Pressure Window", shape_window(119, 87), window_drawing()),
    ("straight", "Straight Section", shape_straight(119, 87), straight_drawing(shape_straight)),
    ("steptwist", "Step Twist", shape_step_twist(119, 87), straight_drawing(shape_step_twist)),
    ("taper", "Tapered Transition", shape_taper(119, 87), straight_drawing(shape_taper, 18, 26)),
]

FLANGES = [
    ("flg_cover", "Cover", "square"),
    ("flg_choke", "Choke", "choke"),
    ("flg_cpr", "CPR", "cpr"),
    ("flg_round", "Round", "round"),
    ("flg_pw", "Window", "square"),
]


def family_pictures():
    for name, title, photo, drawing in FAMILIES:
        convert(os.path.join(IMAGES, f"{name}.gif"), 119, 87,
                photo + [text(4, 83, title, 9, "black")], background="#f4f4ef")
        convert(os.path.join(IMAGES, f"{name}_dwg.gif"), 128, 150,
                [fill("none", NAVY), "rectangle 0,0 127,149"] + drawing)


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
    # A round flange keeps its bolts on a circle well inside its rim.
    bolt_x, bolt_y = (20, 20) if kind == "round" else (28, 24)
    for dx, dy in ((-bolt_x, -bolt_y), (bolt_x, -bolt_y), (-bolt_x, bolt_y), (bolt_x, bolt_y)):
        parts += [fill("black"), f"circle {cx + dx},{cy + dy} {cx + dx + 3},{cy + dy}"]
    return parts


def flange_pictures():
    for name, title, kind in FLANGES:
        convert(os.path.join(IMAGES, f"{name}.gif"), 110, 84,
                flange_face(kind, 110, 78) + [text(4, 82, title, 8, "black")])


def general_pictures():
    convert(os.path.join(IMAGES, "WG.gif"), 119, 87,
            elbow_photo("H", False, 26, 32, 62, 68) + tube(82, 52, 108, 62) +
            flange_block(76, 45, 6, 24) + flange_block(108, 45, 6, 24) +
            [text(6, 83, "Waveguide components", 8, NAVY)], background="#f4f4ef")
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
            extra=["+dither", "-monochrome"])
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
