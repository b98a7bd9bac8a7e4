#!/usr/bin/python3
"""Draws every bitmap and icon the clocks ship with and writes them in place.

Run from the repository root with Debian's python3 (it needs PIL and the IPA
fonts). The output is deterministic: running it twice gives identical bytes.
Pictures are drawn at several times their size and box-filtered down, so flat
areas stay exactly flat while edges come out anti-aliased.
"""

import glob
import importlib
import math
import os
import struct
import sys

from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
GOTHIC = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
PGOTHIC = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"

# --- palette shared by every picture -------------------------------------
WALL = (250, 241, 222)       # warm cream wall; also the flat top band
INK = (82, 58, 44)           # dark brown for lines, digits and kanji
INK_SOFT = (140, 104, 80)
WOOD = (200, 146, 98)
WOOD_DARK = (156, 106, 70)
WOOD_LIGHT = (222, 178, 130)
PAPER = (255, 249, 236)      # plaque behind the date; the flat bottom band
DIAL = (255, 252, 245)
DIAL_RIM = (226, 201, 166)
DIAL_TICK = (214, 186, 150)
SKY_TOP = (158, 205, 232)
SKY_LOW = (236, 236, 226)
CLOUD = (255, 255, 255)
SUN = (255, 209, 120)
HILL = (168, 205, 150)
HILL_FAR = (196, 220, 178)
LEAF = (122, 176, 108)
LEAF_DARK = (86, 138, 82)
POT = (218, 128, 94)
POT_DARK = (176, 94, 68)
CURTAIN = (245, 190, 168)
CURTAIN_DARK = (222, 156, 134)
CAT = (240, 170, 96)
CAT_DARK = (206, 128, 66)
CAT_LIGHT = (255, 232, 200)
PINK = (238, 140, 140)
CORAL = (232, 108, 94)
BLUE = (96, 150, 210)
TAN = (236, 206, 160)
GOLD = (250, 206, 92)
NIGHT_TOP = (40, 50, 102)
NIGHT_LOW = (112, 92, 150)
WHITE = (255, 255, 255)

TOP = WALL
BOTTOM = PAPER


# --- file writers ----------------------------------------------------------
def bmp_bytes(img, palette=None):
    """Windows BMP with a 40-byte info header, bottom-up, uncompressed.

    24 bpp for RGB images; 4 bpp when a 16-entry palette is given and the
    image is mode "P" holding indices into it.
    """
    w, h = img.size
    if palette is None:
        bpp = 24
        px = img.convert("RGB").load()
        stride = (w * 3 + 3) & ~3
        rows = []
        for y in range(h - 1, -1, -1):
            row = bytearray()
            for x in range(w):
                r, g, b = px[x, y]
                row += bytes((b, g, r))
            row += b"\0" * (stride - len(row))
            rows.append(bytes(row))
        pal = b""
    else:
        bpp = 4
        assert len(palette) == 16
        px = img.load()
        stride = ((w * 4 + 31) // 32) * 4
        rows = []
        for y in range(h - 1, -1, -1):
            row = bytearray()
            for x in range(0, w, 2):
                hi = px[x, y]
                lo = px[x + 1, y] if x + 1 < w else 0
                row.append((hi << 4) | lo)
            row += b"\0" * (stride - len(row))
            rows.append(bytes(row))
        pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    bits = b"".join(rows)
    offset = 14 + 40 + len(pal)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, 0, len(bits),
                       2835, 2835, len(palette or []), 0)
    head = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return head + info + pal + bits


def ico_bytes(images):
    """Icon file of 32-bpp BMP-format images, each with its AND mask.

    Mask bits are set exactly where alpha is zero, and those pixels are
    black, so systems that ignore alpha still draw the right outline.
    """
    entries = []
    blobs = []
    for img in images:
        w, h = img.size
        px = img.convert("RGBA").load()
        xor = bytearray()
        for y in range(h - 1, -1, -1):
            for x in range(w):
                r, g, b, a = px[x, y]
                if a == 0:
                    r = g = b = 0
                xor += bytes((b, g, r, a))
        mstride = ((w + 31) // 32) * 4
        mask = bytearray()
        for y in range(h - 1, -1, -1):
            row = bytearray(mstride)
            for x in range(w):
                if px[x, y][3] == 0:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += row
        info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0,
                           len(xor) + len(mask), 0, 0, 0, 0)
        blobs.append(info + bytes(xor) + bytes(mask))
        entries.append((w, h))
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for (w, h), blob in zip(entries, blobs):
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32,
                           len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    return bytes(out)


def write(rel, data):
    path = os.path.join(ROOT, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


# --- drawing helpers -------------------------------------------------------
class Pic:
    """A canvas addressed in final-pixel units but drawn at S times the size."""

    def __init__(self, w, h, bg, s=4, mode="RGB"):
        self.w, self.h, self.s = w, h, s
        self.img = Image.new(mode, (w * s, h * s), bg)
        self.d = ImageDraw.Draw(self.img)

    def _p(self, v):
        return round(v * self.s)

    def box(self, x0, y0, x1, y1):
        return [self._p(x0), self._p(y0), self._p(x1) - 1, self._p(y1) - 1]

    def rect(self, x0, y0, x1, y1, fill):
        self.d.rectangle(self.box(x0, y0, x1, y1), fill=fill)

    def rrect(self, x0, y0, x1, y1, r, fill, outline=None, width=1.0):
        if outline is not None:
            self.d.rounded_rectangle(self.box(x0, y0, x1, y1), self._p(r),
                                     fill=outline)
            x0, y0, x1, y1, r = (x0 + width, y0 + width, x1 - width,
                                 y1 - width, max(0, r - width))
        self.d.rounded_rectangle(self.box(x0, y0, x1, y1), self._p(r),
                                 fill=fill)

    def ellipse(self, cx, cy, rx, ry, fill, outline=None, width=1.0):
        if outline is not None:
            self.d.ellipse(self.box(cx - rx, cy - ry, cx + rx, cy + ry),
                           fill=outline)
            rx, ry = rx - width, ry - width
        self.d.ellipse(self.box(cx - rx, cy - ry, cx + rx, cy + ry), fill=fill)

    def circle(self, cx, cy, r, fill, outline=None, width=1.0):
        self.ellipse(cx, cy, r, r, fill, outline, width)

    def poly(self, pts, fill, outline=None, width=1.0):
        sp = [(self._p(x), self._p(y)) for x, y in pts]
        self.d.polygon(sp, fill=fill)
        if outline is not None:
            self.d.line(sp + [sp[0]], fill=outline, width=self._p(width),
                        joint="curve")
            for x, y in sp:
                r = self._p(width) / 2
                self.d.ellipse([x - r, y - r, x + r, y + r], fill=outline)

    def line(self, pts, color, width=1.0, caps=True):
        sp = [(self._p(x), self._p(y)) for x, y in pts]
        self.d.line(sp, fill=color, width=max(1, self._p(width)),
                    joint="curve")
        if caps:
            r = self._p(width) / 2
            for x, y in (sp[0], sp[-1]):
                self.d.ellipse([x - r, y - r, x + r, y + r], fill=color)

    def arc(self, cx, cy, r, a0, a1, color, width=1.0):
        # angles in degrees, clockwise from 3 o'clock as PIL measures them
        self.d.arc(self.box(cx - r, cy - r, cx + r, cy + r), a0, a1,
                   fill=color, width=self._p(width))

    def final(self):
        return self.img.resize((self.w, self.h), Image.BOX)


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def vgradient(pic, x0, y0, x1, y1, c0, c1):
    s = pic.s
    top, bot = round(y0 * s), round(y1 * s)
    for yy in range(top, bot):
        t = (yy - top) / max(1, bot - top - 1)
        pic.d.line([(round(x0 * s), yy), (round(x1 * s) - 1, yy)],
                   fill=mix(c0, c1, t))


def cloud(p, cx, cy, k=1.0):
    for dx, dy, r in ((-9, 2, 6), (-3, -3, 8), (5, -1, 7), (11, 3, 5),
                      (1, 4, 6)):
        p.circle(cx + dx * k, cy + dy * k, r * k, CLOUD)
    p.rrect(cx - 15 * k, cy + 1 * k, cx + 16 * k, cy + 8 * k, 3.5 * k, CLOUD)


# --- the tall illustrated face ---------------------------------------------
FACE_W, FACE_H = 176, 409
DIAL_CX, DIAL_CY = 88.5, 204.5   # centre of pixel (88, 204)


def leaf(p, x, y, ang, length, widthk=0.42, col=LEAF, vein=LEAF_DARK):
    a = math.radians(ang)
    ux, uy = math.cos(a), math.sin(a)
    nx, ny = -uy, ux
    wd = length * widthk
    pts = []
    for i in range(0, 21):
        t = i / 20
        off = math.sin(math.pi * t) * wd / 2
        pts.append((x + ux * length * t + nx * off,
                    y + uy * length * t + ny * off))
    for i in range(19, 0, -1):
        t = i / 20
        off = math.sin(math.pi * t) * wd / 2
        pts.append((x + ux * length * t - nx * off,
                    y + uy * length * t - ny * off))
    p.poly(pts, col, outline=vein, width=0.8)
    p.line([(x, y), (x + ux * length * 0.75, y + uy * length * 0.75)], vein,
           0.6)


def draw_plant(p, cx, base):
    # leaves first so the pot rim covers their stems
    for ang, ln in ((-150, 20), (-125, 24), (-100, 26), (-75, 25), (-50, 22),
                    (-30, 17), (-165, 15)):
        leaf(p, cx, base - 22, ang, ln)
    p.poly([(cx - 14, base - 24), (cx + 14, base - 24), (cx + 11, base),
            (cx - 11, base)], POT, outline=POT_DARK, width=1.0)
    p.rrect(cx - 16, base - 27, cx + 16, base - 20, 2, POT, outline=POT_DARK,
            width=1.0)


def draw_cat(p, cx, base, k=1.0):
    def q(dx, dy):
        return (cx + dx * k, base + dy * k)

    # tail curling up beside the body
    tail = [q(16, -3), q(25, -8), q(28, -18), q(25, -27)]
    p.line(tail, CAT_DARK, 6.0 * k)
    p.line(tail, CAT, 4.0 * k)
    # body, belly and paws
    p.ellipse(*q(0, -17), 17 * k, 18 * k, CAT, outline=CAT_DARK, width=1.0)
    p.ellipse(*q(0, -13), 8 * k, 12 * k, CAT_LIGHT)
    for dx in (-6, 6):
        p.ellipse(*q(dx, -2.5), 5 * k, 3.2 * k, CAT_LIGHT, outline=CAT_DARK,
                  width=0.9)
    # ears, then the head over their roots
    for side in (-1, 1):
        p.poly([q(side * 14, -42), q(side * 12, -58), q(side * 3, -50)], CAT,
               outline=CAT_DARK, width=1.0)
        p.poly([q(side * 11.5, -45), q(side * 11, -53), q(side * 6, -49)],
               PINK)
    hx, hy = q(0, -40)
    p.ellipse(hx, hy, 15.5 * k, 13 * k, CAT, outline=CAT_DARK, width=1.0)
    for dx in (-4, 0, 4):
        p.line([q(dx, -52), q(dx * 0.8, -48)], CAT_DARK, 1.3 * k)
    p.ellipse(*q(0, -35), 8 * k, 5.5 * k, CAT_LIGHT)
    # closed, contented eyes; nose, mouth and rosy cheeks
    for side in (-1, 1):
        p.arc(*q(side * 6, -41), 3 * k, 200, 340, INK, 1.2)
        p.ellipse(*q(side * 10, -36), 2.6 * k, 1.6 * k, (247, 160, 130))
    p.poly([q(-1.8, -37.5), q(1.8, -37.5), q(0, -35.6)], PINK)
    p.arc(*q(-1.6, -35.6), 1.6 * k, 0, 150, INK, 0.8)
    p.arc(*q(1.6, -35.6), 1.6 * k, 30, 180, INK, 0.8)


def draw_face():
    p = Pic(FACE_W, FACE_H, WALL)

    # window: frame, sky, sun, clouds, hills
    wx0, wy0, wx1, wy1 = 12, 42, 164, 330
    p.rrect(wx0, wy0, wx1, wy1, 5, WOOD_LIGHT, outline=WOOD_DARK, width=1.2)
    ix0, iy0, ix1, iy1 = wx0 + 6, wy0 + 6, wx1 - 6, wy1 - 2
    # the view outside is drawn on its own layer and cut to the panes
    view = Pic(FACE_W, FACE_H, SKY_LOW, s=p.s)
    vgradient(view, ix0, iy0, ix1, iy1, SKY_TOP, SKY_LOW)
    view.circle(42, 74, 10, SUN)
    cloud(view, 128, 70, 1.0)
    cloud(view, 60, 104, 0.7)
    view.ellipse(30, iy1 + 30, 70, 48, HILL_FAR)
    view.ellipse(150, iy1 + 26, 60, 46, HILL)
    pane = tuple(p.box(ix0, iy0, ix1, iy1))
    pane = pane[:2] + (pane[2] + 1, pane[3] + 1)
    p.img.paste(view.img.crop(pane), pane[:2])
    # mullions, mostly hidden behind the dial
    p.rect(87, iy0, 90, iy1, WOOD_LIGHT)
    p.rect(ix0, 180, ix1, 183, WOOD_LIGHT)
    # inner shade of the frame
    p.d.rectangle(p.box(ix0, iy0, ix1, iy1), outline=WOOD_DARK,
                  width=max(1, round(0.8 * p.s)))

    # curtains tied back at both sides
    for side in (-1, 1):
        x_edge = 4 if side < 0 else 172
        x_in = 30 if side < 0 else 146
        pts = [(x_edge, 36), (x_in, 36)]
        for i in range(1, 21):
            t = i / 20
            y = 36 + t * 290
            # drawn in to the tie at y=170, then flaring out again
            pinch = math.exp(-((y - 170) / 55) ** 2)
            width = (x_in - x_edge) * (1 - 0.62 * pinch)
            pts.append((x_edge + width, y))
        pts.append((x_edge, 326))
        p.poly(pts, CURTAIN, outline=CURTAIN_DARK, width=1.0)
        for k in (0.35, 0.7):
            fold = []
            for i in range(0, 21):
                t = i / 20
                y = 40 + t * 280
                pinch = math.exp(-((y - 170) / 55) ** 2)
                width = (x_in - x_edge) * (1 - 0.62 * pinch)
                fold.append((x_edge + width * k, y))
            p.line(fold, CURTAIN_DARK, 0.7)
        tx = x_edge + (x_in - x_edge) * 0.38
        p.ellipse(tx, 170, 4, 3, GOLD, outline=WOOD_DARK, width=0.8)
    # curtain rod across the top of the window
    p.rrect(2, 36, 174, 40.5, 2, WOOD, outline=WOOD_DARK, width=0.8)
    p.circle(4, 38.25, 3.0, WOOD, outline=WOOD_DARK, width=0.8)
    p.circle(172, 38.25, 3.0, WOOD, outline=WOOD_DARK, width=0.8)

    # window sill
    p.rrect(2, 326, 174, 338, 3, WOOD, outline=WOOD_DARK, width=1.0)
    p.rect(4, 328, 172, 329.4, WOOD_LIGHT)

    # the dial plate: soft and light so black hands and numerals read
    p.circle(DIAL_CX, DIAL_CY + 1.5, 86.5, (226, 206, 178))   # soft shadow
    p.circle(DIAL_CX, DIAL_CY, 86, DIAL_RIM)
    p.circle(DIAL_CX, DIAL_CY, 83.2, DIAL)
    p.circle(DIAL_CX, DIAL_CY, 62, (254, 248, 236))
    p.circle(DIAL_CX, DIAL_CY, 61, DIAL)
    for i in range(12):
        a = math.radians(i * 30)
        ux, uy = math.sin(a), -math.cos(a)
        if i % 3 == 0:
            r0, r1, wd = 66, 71, 2.0
        else:
            r0, r1, wd = 67.5, 70.5, 1.4
        p.line([(DIAL_CX + ux * r0, DIAL_CY + uy * r0),
                (DIAL_CX + ux * r1, DIAL_CY + uy * r1)], DIAL_TICK, wd)

    # plant and cat on the sill, below the dial
    draw_plant(p, 30, 326)
    draw_cat(p, 147, 326, 0.86)

    # wooden base with a paper plaque for the date
    p.rrect(0, 346, 176, 420, 6, WOOD, outline=WOOD_DARK, width=1.2)
    p.rect(1.2, 348, 174.8, 350, WOOD_LIGHT)
    p.rrect(40, 360, 136, 405, 5, BOTTOM, outline=WOOD_DARK, width=1.2)
    grain = mix(WOOD, WOOD_DARK, 0.35)
    for x0, x1, y in ((6, 30, 362), (14, 34, 396), (142, 168, 366),
                      (146, 166, 400)):
        p.line([(x0, y), ((x0 + x1) / 2, y - 1.2), (x1, y)], grain, 0.8)
    for x in (12, 164):
        p.circle(x, 384, 2.5, WOOD_DARK)
        p.circle(x - 0.5, 383.5, 1.2, WOOD_LIGHT)

    img = p.final()
    check_flat(img, TOP, 0, 0, FACE_W, 35)
    check_flat(img, BOTTOM, 44, 364, 132, 401)
    return img


def check_flat(img, col, x0, y0, x1, y1):
    px = img.load()
    for y in range(y0, y1):
        for x in range(x0, x1):
            if px[x, y] != col:
                sys.exit("not flat at (%d,%d): %r != %r" % (x, y, px[x, y],
                                                           col))


# --- weekday badges and date digits ---------------------------------------
WEEKDAYS = (("sun", "日", CORAL, WHITE), ("mon", "月", TAN, INK),
            ("tue", "火", TAN, INK), ("wed", "水", TAN, INK),
            ("thu", "木", TAN, INK), ("fri", "金", TAN, INK),
            ("sat", "土", BLUE, WHITE))


def glyph_mask(ch, font_path, size, stroke=0, s=1):
    """The glyph's coverage, tightly cropped, rendered at s times the size."""
    font = ImageFont.truetype(font_path, size * s)
    m = Image.new("L", (size * s * 3, size * s * 3), 0)
    ImageDraw.Draw(m).text((size * s, size * s), ch, font=font, fill=255,
                           stroke_width=stroke, stroke_fill=255)
    return m.crop(m.getbbox())


def badge(ch, plate, ink):
    w, h = 45, 24
    p = Pic(w, h, TOP)
    p.circle(22.5, 12, 11.6, mix(plate, INK, 0.25))
    p.circle(22.5, 12, 10.7, plate)
    img = p.final()
    # the kanji is rendered at its final size so FreeType's hinting keeps
    # its strokes on whole pixels
    m = glyph_mask(ch, GOTHIC, 15)
    mw, mh = m.size
    img.paste(ink, ((w - mw) // 2 + (w - mw) % 2, (h - mh) // 2), m)
    return img


DIGIT_INK_W, DIGIT_INK_H, DIGIT_TOP = 9, 14, 2


def digit_masks():
    """Ten digit coverages, scaled alike so each fits a 9x14 box.

    The font's digits are a little wide for the 11-pixel cells, so they are
    condensed slightly; a touch of emboldening keeps the date readable.
    """
    big = 160
    font = ImageFont.truetype(PGOTHIC, big)
    masks = []
    for n in range(10):
        m = Image.new("L", (big * 2, big * 2), 0)
        ImageDraw.Draw(m).text((big // 2, big * 3 // 2), str(n), font=font,
                               fill=255, anchor="ls", stroke_width=5,
                               stroke_fill=255)
        masks.append(m)
    boxes = [m.getbbox() for m in masks]
    top = min(b[1] for b in boxes)
    bottom = max(b[3] for b in boxes)
    widest = max(b[2] - b[0] for b in boxes)
    s = 4
    sx = DIGIT_INK_W * s / widest
    out = []
    for m, (x0, _, x1, _) in zip(masks, boxes):
        g = m.crop((x0, top, x1, bottom))
        gw = max(1, round((x1 - x0) * sx))
        out.append(g.resize((gw, DIGIT_INK_H * s), Image.LANCZOS))
    return out


def digit_image(mask):
    s = 4
    w, h = 11, 18
    big = Image.new("RGB", (w * s, h * s), BOTTOM)
    left = (w * s - mask.size[0]) // 2
    big.paste(INK, (left, DIGIT_TOP * s), mask)
    return big.resize((w, h), Image.BOX)


def slash_image():
    p = Pic(6, 16, BOTTOM)
    p.line([(4.7, 1.8), (1.3, 14.2)], INK, 1.6)
    return p.final()


# --- icons ---------------------------------------------------------------
def rgba_pic(size, s=8):
    return Pic(size, size, (0, 0, 0, 0), s=s, mode="RGBA")


def desk_clock_icon(size):
    p = rgba_pic(size)
    # tall wooden body with a rounded top, a round face and a small plaque
    if size == 16:
        # laid out on whole pixels so the smallest icon stays sharp
        p.rrect(2, 0, 15, 16, 4, WOOD + (255,), outline=WOOD_DARK + (255,))
        p.circle(8.5, 6.5, 5, DIAL + (255,), outline=WOOD_DARK + (255,))
        p.rect(8, 3, 9, 7, INK + (255,))
        p.rect(8, 6, 11, 7, INK + (255,))
        p.rect(5, 12, 12, 14, PAPER + (255,))
        return p.final()
    k = size / 32
    p.rrect(6 * k, 1 * k, 26 * k, 31 * k, 6 * k, WOOD + (255,),
            outline=WOOD_DARK + (255,), width=1.3 * k)
    p.circle(16 * k, 12.5 * k, 8.2 * k, DIAL + (255,),
             outline=WOOD_DARK + (255,), width=1.0 * k)
    p.line([(16 * k, 12.5 * k), (16 * k, 7.5 * k)], INK + (255,), 2.0)
    p.line([(16 * k, 12.5 * k), (19.5 * k, 14.5 * k)], INK + (255,), 2.0)
    p.circle(16 * k, 12.5 * k, 1.0 * k, CORAL + (255,))
    p.rrect(10 * k, 23 * k, 22 * k, 27 * k, 1.2 * k, PAPER + (255,))
    return p.final()


def bell_icon():
    p = rgba_pic(16)
    body = [(8, 1.6), (10.6, 2.8), (11.6, 6), (12, 10), (14.2, 12.2),
            (1.8, 12.2), (4, 10), (4.4, 6), (5.4, 2.8)]
    p.circle(8, 13.2, 2, WOOD_DARK + (255,))
    p.poly(body, GOLD + (255,), outline=WOOD_DARK + (255,), width=1.1)
    p.line([(6.4, 4.4), (5.8, 8.8)], (255, 240, 190, 255), 1.0)
    return p.final()


def note_icon():
    p = rgba_pic(16)
    for hx, hy, sx in ((4.6, 12.4, 7), (11.6, 10.9, 14)):
        p.ellipse(hx, hy, 3.1, 2.4, BLUE + (255,), outline=INK + (255,),
                  width=1.0)
        p.rect(sx, 2.5, sx + 1, hy, INK + (255,))
    # the beam joining both stems
    p.poly([(7, 2), (15, 0.5), (15, 3.5), (7, 5)], INK + (255,))
    return p.final()


def letter(p, x0, y0, x1, y1):
    p.rrect(x0, y0, x1, y1, 1.2, PAPER + (255,), outline=INK_SOFT + (255,),
            width=1.0)
    mx = (x0 + x1) / 2
    p.line([(x0 + 1, y0 + 1.2), (mx, y0 + (y1 - y0) * 0.55),
            (x1 - 1, y0 + 1.2)], INK_SOFT + (255,), 1.0)


def message_icon():
    p = rgba_pic(16)
    letter(p, 0.5, 3, 15.5, 13.5)
    return p.final()


def message_sound_icon():
    p = rgba_pic(16)
    letter(p, 0.5, 1.5, 12.5, 10.5)
    # a small note at the lower right corner
    p.circle(11.5, 13, 2.9, WHITE + (255,))
    p.ellipse(11.2, 13.3, 2.4, 1.9, CORAL + (255,), outline=INK + (255,),
              width=0.9)
    p.line([(13.2, 13.2), (13.2, 6.2)], INK + (255,), 1.2)
    p.line([(13.2, 6.4), (15.2, 8.2)], INK + (255,), 1.2)
    return p.final()


# --- round picture clock -------------------------------------------------
def star(p, cx, cy, r, col):
    p.poly([(cx, cy - r), (cx + r * 0.28, cy - r * 0.28), (cx + r, cy),
            (cx + r * 0.28, cy + r * 0.28), (cx, cy + r),
            (cx - r * 0.28, cy + r * 0.28), (cx - r, cy),
            (cx - r * 0.28, cy - r * 0.28)], col)


def round_illust():
    p = Pic(150, 150, NIGHT_TOP)
    vgradient(p, 0, 0, 150, 150, NIGHT_TOP, NIGHT_LOW)
    # moon low on the right, ringed by a soft glow
    sky_there = mix(NIGHT_TOP, NIGHT_LOW, 0.6)
    for i in range(8):
        p.circle(112, 90, 22 - i * 1.2, mix(sky_there, (150, 140, 190),
                                            (i + 1) / 8))
    moon = Image.new("L", p.img.size, 0)
    md = ImageDraw.Draw(moon)
    md.ellipse(p.box(100, 78, 124, 102), fill=255)
    md.ellipse(p.box(107, 76, 127, 96), fill=0)
    p.img.paste((255, 240, 200), mask=moon)
    for x, y, r in ((24, 62, 2.6), (40, 84, 1.8), (70, 70, 2.2),
                    (92, 22, 1.8), (128, 46, 2.4), (60, 18, 1.6),
                    (20, 100, 1.6), (84, 100, 1.8)):
        star(p, x, y, r * 1.4, (255, 244, 210))
    # hills, a cosy house with a lit window, a lantern
    p.ellipse(30, 150, 80, 34, (60, 92, 98))
    p.ellipse(130, 156, 70, 38, (46, 76, 86))
    p.rect(66, 92, 71, 102, (150, 80, 70))
    p.rect(30, 112, 33, 128, WOOD_DARK)
    p.circle(31.5, 106, 10, (74, 122, 96))
    p.circle(27, 110, 6, (88, 140, 104))
    p.rect(46, 104, 74, 126, (236, 190, 150))
    p.poly([(42, 106), (60, 90), (78, 106)], CORAL)
    p.rect(54, 110, 62, 118, (255, 214, 120))
    p.rect(57.6, 110, 58.4, 118, (236, 190, 150))
    p.rect(54, 113.6, 62, 114.4, (236, 190, 150))
    p.rect(66, 114, 72, 126, WOOD_DARK)
    # a little moth drifting by the moon
    mx, my = 100, 112
    p.ellipse(mx - 3.5, my - 2, 4, 3, (238, 226, 200))
    p.ellipse(mx + 3.5, my - 2, 4, 3, (238, 226, 200))
    p.ellipse(mx, my, 1.2, 3.4, (200, 176, 140))
    return p.final()


VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128),
       (128, 0, 128), (0, 128, 128), (192, 192, 192), (128, 128, 128),
       (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255),
       (0, 255, 255), (255, 255, 255)]
V_BLACK, V_MAROON, V_OLIVE, V_SILVER, V_GREY = 0, 1, 3, 7, 8
V_RED, V_YELLOW, V_WHITE = 9, 11, 15


def sprite(kind):
    """16x16 indexed sprite on black, the colour key for transparency."""
    img = Image.new("P", (16, 16), V_BLACK)
    px = img.load()
    for y in range(16):
        for x in range(16):
            dx, dy = x - 7.5, y - 7.5
            d = math.hypot(dx, dy)
            if kind == "second":
                d1 = abs(dx) + abs(dy)
                if d1 <= 5:
                    c = V_YELLOW
                    if dx + dy >= 4:
                        c = V_OLIVE
                    elif dx + dy <= -4 and abs(dx - dy) <= 1:
                        c = V_WHITE
                elif d1 <= 7:
                    c = V_WHITE
                else:
                    continue
            else:
                core, shade = ((V_RED, V_MAROON) if kind == "hour"
                               else (V_YELLOW, V_OLIVE))
                if d <= 5.6:
                    c = core
                    # a crescent of shade low right, a glint high left
                    if math.hypot(dx + 1.3, dy + 1.3) > 5.7:
                        c = shade
                    if math.hypot(dx + 2.5, dy + 2.5) <= 1.0:
                        c = V_WHITE
                elif d <= 7.2:
                    c = V_WHITE
                elif d <= 7.9:
                    c = V_GREY
                else:
                    continue
            px[x, y] = c
    return img


def round_clock_icon(size):
    p = rgba_pic(size)
    k = size / 32
    p.circle(16 * k, 16 * k, 15.2 * k, NIGHT_TOP + (255,),
             outline=(230, 230, 240, 255), width=max(1.0, 1.6 * k))
    p.line([(16 * k, 16 * k), (16 * k, 8 * k)], WHITE + (255,),
           max(1.0, 1.8 * k))
    p.line([(16 * k, 16 * k), (21 * k, 19 * k)], WHITE + (255,),
           max(1.0, 1.8 * k))
    p.circle(24.5 * k, 8 * k, 3.6 * k, (240, 60, 50, 255),
             outline=WHITE + (255,), width=max(0.8, 1.0 * k))
    return p.final()


def main():
    face = draw_face()
    write("orvanedesk/data/bitmap0.bmp", bmp_bytes(face))
    for name, ch, plate, ink in WEEKDAYS:
        write("orvanedesk/res/week_%s.bmp" % name, bmp_bytes(badge(ch, plate,
                                                                  ink)))
    for n, mask in enumerate(digit_masks()):
        write("orvanedesk/res/digit%d.bmp" % n, bmp_bytes(digit_image(mask)))
    write("orvanedesk/res/slash.bmp", bmp_bytes(slash_image()))
    write("orvanedesk/res/orvanedesk.ico",
          ico_bytes([desk_clock_icon(s) for s in (16, 32, 48)]))
    write("orvanedesk/res/icon121.ico", ico_bytes([bell_icon()]))
    write("orvanedesk/res/icon120.ico", ico_bytes([note_icon()]))
    write("orvanedesk/res/icon122.ico", ico_bytes([message_icon()]))
    write("orvanedesk/res/icon124.ico", ico_bytes([message_sound_icon()]))
    # the folder's name for this picture, read by the program as Shift-JIS
    write("orvanedesk/data/Illust.ini", "ねこと窓辺".encode("cp932") + b"\r\n")

    write("tickmoth/res/illust.bmp", bmp_bytes(round_illust()))
    for kind in ("hour", "minute", "second"):
        write("tickmoth/res/%s.bmp" % kind, bmp_bytes(sprite(kind), VGA))
    write("tickmoth/res/tickmoth.ico",
          ico_bytes([round_clock_icon(s) for s in (16, 32)]))

    # Each further set of pictures lives in a module of its own beside this one,
    # tools/artwork_<set>.py, whose main(base) gets this module for its helpers.
    here = os.path.dirname(os.path.abspath(__file__))
    sys.path.insert(0, here)
    for path in sorted(glob.glob(os.path.join(here, "artwork_*.py"))):
        name = os.path.splitext(os.path.basename(path))[0]
        importlib.import_module(name).main(sys.modules[__name__])


if __name__ == "__main__":
    main()
