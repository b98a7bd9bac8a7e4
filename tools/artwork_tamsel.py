"""The character clock's pictures: three characters on heart-shaped cards.

Each edition gets its background (104), its animation frames (148), its glyph
strip (115) and two icons (132, 141). The background is a sticker: the card,
the time panel and the character share one outline, and everything outside it
is the key colour, magenta. Edges of the outline are whole pixels, so no
pinkish fringe survives into the window's shape.
"""

import math
import struct

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

from make_artwork import Pic, ico_bytes, mix

GOTHIC = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
PGOTHIC = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"

KEY = (255, 0, 255)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
OUTLINE = (86, 54, 48)
STICKER = (255, 253, 248)
SKIN = (255, 226, 204)
SKIN_SHADE = (244, 196, 172)
BLUSH = (250, 160, 160)
EYE = (70, 44, 40)
MOUTH = (196, 84, 84)
PANEL = (255, 250, 238)
PANEL_RIM = (226, 196, 170)

S = 4  # drawing scale

# Edition layouts: window/picture size, where the glyphs go, the face area.
EDITIONS = {
    "a": dict(name="Wren", size=(272, 200), frames=(288, 112),
              face=(160, 0, 96, 112), time=56, ampm=64, alarm=78, date=95,
              card=(236, 150, 166), card_dark=(214, 112, 136),
              ink=(120, 62, 52), accent=(214, 96, 110)),
    "b": dict(name="Fenna", size=(280, 196), frames=(192, 72),
              face=(184, 56, 64, 40), time=48, ampm=56, alarm=70, date=88,
              card=(252, 196, 132), card_dark=(236, 156, 92),
              ink=(150, 70, 30), accent=(230, 120, 56)),
    "c": dict(name="Quill", size=(272, 228), frames=(216, 56),
              face=(160, 40, 72, 56), time=80, ampm=88, alarm=102, date=120,
              card=(170, 190, 238), card_dark=(124, 144, 212),
              ink=(52, 62, 128), accent=(84, 110, 200)),
}
WINDOW_W = {"a": 272, "b": 276, "c": 272}


# --- shapes ---------------------------------------------------------------
def heart_points(x0, y0, x1, y1, n=240):
    pts = []
    for i in range(n):
        t = 2 * math.pi * i / n
        x = 16 * math.sin(t) ** 3
        y = -(13 * math.cos(t) - 5 * math.cos(2 * t) - 2 * math.cos(3 * t) -
              math.cos(4 * t))
        pts.append((x, y))
    minx = min(p[0] for p in pts)
    maxx = max(p[0] for p in pts)
    miny = min(p[1] for p in pts)
    maxy = max(p[1] for p in pts)
    return [(x0 + (x - minx) / (maxx - minx) * (x1 - x0),
             y0 + (y - miny) / (maxy - miny) * (y1 - y0)) for x, y in pts]


def panel_rect(e):
    """The plaque behind the glyphs: the glyph area with a margin."""
    return (4, e["time"] - 6, 150, e["date"] + 16)


def glyph_area(e):
    return (9, e["time"], 144, e["date"] + 12)


class Layers:
    """A colour drawing and the silhouette mask drawn alongside it."""

    def __init__(self, w, h):
        self.pic = Pic(w, h, STICKER, s=S)
        self.mask = Pic(w, h, 0, s=S, mode="L")

    def both(self, method, *args, fill, **kw):
        getattr(self.pic, method)(*args, fill, **kw)
        kw.pop("outline", None)
        kw.pop("width", None)
        getattr(self.mask, method)(*args, 255)


def lid_eye(p, cx, cy, r, state, look=0.0):
    """One eye: 'open', 'half', 'closed' (a gentle arc) or 'happy' (^)."""
    if state == "open":
        p.ellipse(cx, cy, r * 0.78, r, EYE)
        p.ellipse(cx + look, cy + r * 0.35, r * 0.5, r * 0.42, mix(EYE, (120, 90, 200), 0.35))
        p.circle(cx - r * 0.3, cy - r * 0.38, r * 0.3, WHITE)
        p.circle(cx + r * 0.3, cy + r * 0.45, r * 0.13, WHITE)
    elif state == "half":
        p.ellipse(cx, cy + r * 0.35, r * 0.78, r * 0.6, EYE)
        p.circle(cx - r * 0.25, cy + r * 0.15, r * 0.18, WHITE)
        p.line([(cx - r * 0.9, cy - r * 0.1), (cx + r * 0.9, cy - r * 0.1)],
               EYE, r * 0.2)
    elif state == "closed":
        p.arc(cx, cy - r * 0.2, r * 0.85, 25, 155, EYE, r * 0.3)
    elif state == "happy":
        p.line([(cx - r * 0.8, cy + r * 0.3), (cx, cy - r * 0.45),
                (cx + r * 0.8, cy + r * 0.3)], EYE, r * 0.3)


def mouth(p, cx, cy, w, kind):
    if kind == "smile":
        p.arc(cx, cy - w * 0.55, w * 0.7, 40, 140, MOUTH, max(0.9, w * 0.16))
    elif kind == "open":
        p.d.chord(p.box(cx - w * 0.55, cy - w * 0.55, cx + w * 0.55, cy + w * 0.45),
                  0, 180, fill=MOUTH)
        p.ellipse(cx, cy + w * 0.22, w * 0.28, w * 0.14, (250, 150, 150))
    elif kind == "o":
        p.ellipse(cx, cy, w * 0.22, w * 0.26, MOUTH)
    elif kind == "cat":
        p.arc(cx - w * 0.25, cy - w * 0.1, w * 0.25, 10, 170, MOUTH, max(0.9, w * 0.14))
        p.arc(cx + w * 0.25, cy - w * 0.1, w * 0.25, 10, 170, MOUTH, max(0.9, w * 0.14))


def face_features(p, cx, cy, r, eyes, mouth_kind, wink=False):
    """Eyes, cheeks and mouth of a round head of radius r centred at (cx, cy)."""
    ex, ey, er = r * 0.42, cy + r * 0.12, r * 0.2
    p.ellipse(cx - r * 0.62, cy + r * 0.45, r * 0.17, r * 0.1, BLUSH)
    p.ellipse(cx + r * 0.62, cy + r * 0.45, r * 0.17, r * 0.1, BLUSH)
    lid_eye(p, cx - ex, ey, er, "happy" if wink else eyes)
    lid_eye(p, cx + ex, ey, er, eyes)
    mouth(p, cx, cy + r * 0.5, r * 0.3, mouth_kind)


def body(L, cx, top, bottom, half_w, cloth, cloth_dark, collar):
    """Shoulders, a dress flaring to the hem, two arms with their hands."""
    sh = half_w * 0.62
    for side in (-1, 1):
        x0, y0 = cx + side * sh * 0.9, top + 9
        x1, y1 = cx + side * (half_w * 0.98), top + 40
        L.pic.line([(x0, y0), (x1, y1)], OUTLINE, 9.6)
        L.mask.line([(x0, y0), (x1, y1)], 255, 9.6)
        L.pic.line([(x0, y0), (x1, y1)], cloth_dark, 7.6)
    pts = [(cx - sh, top + 6), (cx + sh, top + 6), (cx + half_w, bottom), (cx - half_w, bottom)]
    L.both("poly", pts, fill=OUTLINE)
    L.both("ellipse", cx, top + 9, sh + 1, 11, fill=OUTLINE)
    L.pic.poly([(cx - sh + 1, top + 7), (cx + sh - 1, top + 7), (cx + half_w - 1.2, bottom),
                (cx - half_w + 1.2, bottom)], cloth)
    L.pic.ellipse(cx, top + 9, sh, 10, cloth)
    # a darker hem band
    L.pic.poly([(cx - half_w * 0.93, bottom - 10), (cx + half_w * 0.93, bottom - 10),
                (cx + half_w - 1.2, bottom), (cx - half_w + 1.2, bottom)], cloth_dark)
    for side in (-1, 1):
        hx, hy = cx + side * (half_w * 0.98), top + 42
        L.both("circle", hx, hy, 4.6, fill=SKIN, outline=OUTLINE, width=0.9)
    # collar
    for side in (-1, 1):
        L.pic.poly([(cx + side * 12, top + 1), (cx, top + 9), (cx + side * 2, top + 13),
                    (cx + side * 15, top + 6)], collar, outline=mix(collar, OUTLINE, 0.3),
                   width=0.7)


# --- the three characters -------------------------------------------------
def card_and_panel(L, e, heart_box):
    w, h = e["size"]
    L.both("poly", heart_points(*heart_box), fill=e["card_dark"])
    x0, y0, x1, y1 = heart_box
    L.pic.poly(heart_points(x0 + 4, y0 + 4, x1 - 4, y1 - 5), e["card"])
    # little hearts scattered on the card, well clear of the panel
    for hx, hy, hs in e.get("sprinkles", []):
        L.pic.poly(heart_points(hx - hs, hy - hs * 0.9, hx + hs, hy + hs * 0.9),
                   mix(e["card"], WHITE, 0.45))
    px0, py0, px1, py1 = panel_rect(e)
    L.both("rrect", px0, py0, px1, py1, 8, fill=PANEL, outline=PANEL_RIM, width=1.4)


def wren(e, eyes="open", mouth_kind="smile", wink=False):
    w, h = e["size"]
    L = Layers(w, h)
    e["sprinkles"] = [(40, 28, 5), (62, 150, 4), (110, 160, 6), (30, 140, 3.5)]
    card_and_panel(L, e, (2, 6, 270, 197))
    hair, hair_dark = (150, 96, 64), (118, 72, 48)
    cx, cy, r = 208, 60, 40
    # body: a russet pinafore over a cream blouse
    body(L, cx, 102, 197, 40, (206, 92, 78), (170, 70, 60), (255, 246, 232))
    L.pic.circle(cx, 150, 2.2, (255, 230, 150))
    L.pic.circle(cx, 168, 2.2, (255, 230, 150))
    # hair behind the head, a bob
    L.both("ellipse", cx, cy + 8, r + 9, r + 4, fill=hair_dark)
    L.both("rrect", cx - r - 9, cy + 4, cx + r + 9, cy + 42, 16, fill=hair_dark)
    L.pic.rrect(cx - r - 7.6, cy + 6, cx + r + 7.6, cy + 40.6, 15, hair)
    L.pic.ellipse(cx, cy + 8, r + 7.6, r + 2.6, hair)
    # head
    L.both("circle", cx, cy + 4, r, fill=SKIN, outline=SKIN_SHADE, width=1)
    # bangs
    L.pic.d.chord(L.pic.box(cx - r - 3, cy - r - 6, cx + r + 3, cy + r - 16), 180, 360,
                  fill=hair)
    for k in range(-3, 4):
        L.pic.poly([(cx + k * 11 - 8, cy - 13), (cx + k * 11 + 8, cy - 13),
                    (cx + k * 11 + 2, cy + 2 + (k % 2) * 3)], hair)
    L.mask.ellipse(cx, cy - 4, r + 3, r + 4, 255)
    # a little bird resting in her hair
    bx, by = cx + 30, cy - 38
    L.both("ellipse", bx, by, 11, 8, fill=(176, 120, 80), outline=OUTLINE, width=0.9)
    L.both("poly", [(bx + 8, by - 3), (bx + 19, by - 10), (bx + 12, by + 2)],
           fill=(150, 100, 66))
    L.both("circle", bx - 9, by - 5, 6, fill=(176, 120, 80))
    L.pic.circle(bx - 10, by - 6, 1.3, EYE)
    L.pic.poly([(bx - 15, by - 5), (bx - 19.5, by - 3.5), (bx - 15, by - 2.5)], (250, 190, 80))
    L.pic.ellipse(bx - 1, by + 3, 6, 3, (230, 200, 160))
    # ribbon on the other side
    rx, ry = cx - 34, cy - 26
    L.pic.poly([(rx, ry), (rx - 9, ry - 7), (rx - 9, ry + 6)], e["accent"],
               outline=OUTLINE, width=0.7)
    L.pic.poly([(rx, ry), (rx + 9, ry - 7), (rx + 9, ry + 6)], e["accent"],
               outline=OUTLINE, width=0.7)
    L.pic.circle(rx, ry, 2.6, mix(e["accent"], WHITE, 0.3))
    face_features(L.pic, cx, cy + 4, r, eyes, mouth_kind, wink)
    return L


def fox_ear(L, tip, base_l, base_r, fur, inner):
    L.both("poly", [tip, base_r, base_l], fill=fur, outline=OUTLINE, width=1.0)
    tx, ty = tip
    L.pic.poly([(tx + (base_l[0] - tx) * 0.2, ty + (base_l[1] - ty) * 0.25),
                (base_l[0] + (base_r[0] - base_l[0]) * 0.25, base_l[1] - 2),
                (base_l[0] + (base_r[0] - base_l[0]) * 0.75, base_r[1] - 2)], inner)


def puffball(L, cx, cy, r, eyes):
    """Fenna's round little companion."""
    L.both("circle", cx, cy, r, fill=(255, 246, 236), outline=OUTLINE, width=1.0)
    for a in range(0, 360, 40):
        t = math.radians(a)
        L.pic.circle(cx + math.cos(t) * r * 0.78, cy + math.sin(t) * r * 0.78, r * 0.22,
                     (255, 246, 236))
    L.pic.ellipse(cx, cy - r * 0.15, r * 0.9, r * 0.72, (255, 250, 244))
    # a leaf on its head
    L.both("poly", [(cx, cy - r + 1), (cx + r * 0.6, cy - r * 1.35), (cx + r * 0.35, cy - r * 0.8)],
           fill=(128, 186, 110), outline=OUTLINE, width=0.8)
    L.pic.ellipse(cx - r * 0.55, cy + r * 0.25, r * 0.15, r * 0.09, BLUSH)
    L.pic.ellipse(cx + r * 0.55, cy + r * 0.25, r * 0.15, r * 0.09, BLUSH)
    lid_eye(L.pic, cx - r * 0.3, cy - r * 0.05, r * 0.17, eyes)
    lid_eye(L.pic, cx + r * 0.3, cy - r * 0.05, r * 0.17, eyes)
    L.pic.arc(cx, cy + r * 0.12, r * 0.12, 20, 160, MOUTH, 0.7)


def acorn_sprite(L, cx, cy, eyes):
    """A tiny acorn peeking over the card; its eyes sit in a 16 by 16 tile."""
    L.pic.ellipse(cx, cy + 3, 9, 8, (214, 156, 96), outline=OUTLINE, width=0.8)
    L.pic.d.chord(L.pic.box(cx - 10.5, cy - 10, cx + 10.5, cy + 4), 180, 360,
                  fill=(150, 96, 56))
    L.pic.rect(cx - 10.5, cy - 3.5, cx + 10.5, cy - 2.5, (120, 76, 44))
    L.pic.line([(cx, cy - 10), (cx + 1.5, cy - 13.5)], (120, 76, 44), 1.4)
    lid_eye(L.pic, cx - 3.3, cy + 2, 2.0, eyes)
    lid_eye(L.pic, cx + 3.3, cy + 2, 2.0, eyes)


def fenna(e, eyes="open", mouth_kind="cat", wink=False, critters="open"):
    w, h = e["size"]
    L = Layers(w, h)
    e["sprinkles"] = [(38, 26, 5), (60, 150, 4), (26, 128, 3.5), (136, 176, 3.5)]
    card_and_panel(L, e, (2, 6, 274, 193))
    fur, fur_dark, cream = (236, 128, 62), (204, 98, 42), (255, 240, 220)
    cx, cy, r = 216, 64, 36
    body(L, cx, 100, 193, 34, (110, 150, 120), (84, 120, 96), cream)
    # tail curling up behind her
    L.both("ellipse", 258, 150, 15, 28, fill=fur, outline=OUTLINE, width=1.0)
    L.pic.ellipse(262, 128, 9, 9, cream)
    # ears
    fox_ear(L, (cx - 30, cy - 60), (cx - 38, cy - 18), (cx - 8, cy - 30), fur, cream)
    fox_ear(L, (cx + 30, cy - 60), (cx + 8, cy - 30), (cx + 38, cy - 18), fur, cream)
    # hair and head
    L.both("ellipse", cx, cy + 2, r + 7, r + 4, fill=fur_dark)
    L.pic.ellipse(cx, cy + 2, r + 5.6, r + 2.6, fur)
    L.both("circle", cx, cy + 6, r, fill=SKIN, outline=SKIN_SHADE, width=1)
    L.pic.d.chord(L.pic.box(cx - r - 4, cy - r - 4, cx + r + 4, cy + r - 22), 180, 360,
                  fill=fur)
    for k in (-2, -1, 0, 1, 2):
        L.pic.poly([(cx + k * 13 - 9, cy - 14), (cx + k * 13 + 9, cy - 14),
                    (cx + k * 13 + 3, cy - 5 + abs(k))], fur)
    # side locks
    L.pic.poly([(cx - r - 3, cy - 4), (cx - r + 8, cy - 4), (cx - r + 2, cy + 34)], fur)
    L.pic.poly([(cx + r + 3, cy - 4), (cx + r - 8, cy - 4), (cx + r - 2, cy + 34)], fur)
    face_features(L.pic, cx, cy + 6, r, eyes, mouth_kind, wink)
    puffball(L, 168, 170, 17, critters)
    acorn_sprite(L, 104, 134, critters)
    return L


def quill(e, eyes="open", mouth_kind="smile", wink=False):
    w, h = e["size"]
    L = Layers(w, h)
    e["sprinkles"] = [(42, 34, 5), (60, 176, 4), (110, 186, 6), (26, 160, 3.5)]
    card_and_panel(L, e, (2, 10, 270, 225))
    hair, hair_dark = (58, 70, 110), (40, 48, 84)
    cx, cy, r = 198, 60, 40
    body(L, cx, 104, 225, 40, (96, 132, 196), (70, 100, 160), (255, 252, 244))
    # a scarf
    L.pic.rrect(cx - 24, 100, cx + 24, 110, 5, (240, 196, 80), outline=OUTLINE, width=0.8)
    L.pic.rrect(cx + 8, 104, cx + 18, 136, 4, (240, 196, 80), outline=OUTLINE, width=0.8)
    # hair
    L.both("ellipse", cx, cy, r + 7, r + 6, fill=hair_dark)
    L.pic.ellipse(cx, cy, r + 5.6, r + 4.6, hair)
    L.both("circle", cx, cy + 6, r, fill=SKIN, outline=SKIN_SHADE, width=1)
    L.pic.d.chord(L.pic.box(cx - r - 4, cy - r - 2, cx + r + 4, cy + r - 20), 180, 360,
                  fill=hair)
    for k in (-2, -1, 0, 1, 2):
        L.pic.poly([(cx + k * 14 - 9, cy - 12), (cx + k * 14 + 9, cy - 12),
                    (cx + k * 14 - 2, cy - 1 + abs(k))], hair)
    # beret with a quill pen tucked in
    L.both("ellipse", cx - 6, cy - 42, 36, 13, fill=(176, 64, 84), outline=OUTLINE, width=1.0)
    L.both("circle", cx - 6, cy - 55, 3.4, fill=(176, 64, 84), outline=OUTLINE, width=0.8)
    qx, qy = cx + 24, cy - 36
    feather = [(qx, qy)]
    for i in range(1, 9):
        t = i / 8
        feather.append((qx + 26 * t + math.sin(t * math.pi) * 2, qy - 18 * t - math.sin(t * math.pi) * 5))
    for i in range(8, 0, -1):
        t = i / 8
        feather.append((qx + 26 * t + math.sin(t * math.pi) * 3, qy - 18 * t + math.sin(t * math.pi) * 5))
    L.both("poly", feather, fill=(250, 250, 255), outline=OUTLINE, width=0.9)
    L.pic.line([(qx - 3, qy + 2), (qx + 26, qy - 18)], (150, 160, 200), 0.8)
    face_features(L.pic, cx, cy + 6, r, eyes, mouth_kind, wink)
    return L


def render(letter, **kw):
    e = EDITIONS[letter]
    draw = {"a": wren, "b": fenna, "c": quill}[letter]
    return draw(e, **kw)


# --- finishing -------------------------------------------------------------
def fill_holes(mask):
    """The mask with every gap it encloses filled: a window shape has no holes."""
    w, h = mask.size
    probe = ImageChops.invert(mask)
    border = [(x, y) for x in range(w) for y in (0, h - 1)] + \
             [(x, y) for y in range(h) for x in (0, w - 1)]
    for xy in border:
        if probe.getpixel(xy) == 255:
            ImageDraw.floodfill(probe, xy, 128)
    return probe.point(lambda v: 0 if v == 128 else 255)


def sticker(L):
    """The drawing cut to its outline: a cream rim, a dark line, magenta outside."""
    w, h = L.pic.w, L.pic.h
    colour = L.pic.final()
    cover = L.mask.img.resize((w, h), Image.BOX)
    inside = cover.point(lambda v: 255 if v >= 128 else 0)
    inside = fill_holes(inside)
    rim = fill_holes(inside.filter(ImageFilter.MaxFilter(3)))
    line = fill_holes(rim.filter(ImageFilter.MaxFilter(3)))
    out = Image.new("RGB", (w, h), KEY)
    out.paste(OUTLINE, (0, 0), line)
    out.paste(STICKER, (0, 0), rim)
    out.paste(colour, (0, 0), inside)
    return out, line


def indexed(images, reserve):
    """One palette for several pictures: `reserve` colours first, exact, then the rest."""
    w = max(im.size[0] for im in images)
    h = sum(im.size[1] for im in images)
    sheet = Image.new("RGB", (w, h), reserve[1])
    y = 0
    for im in images:
        sheet.paste(im, (0, y))
        y += im.size[1]
    q = sheet.quantize(colors=256 - len(reserve), method=Image.Quantize.MEDIANCUT,
                       dither=Image.Dither.NONE)
    pal = list(reserve) + [tuple(q.getpalette()[i * 3:i * 3 + 3])
                           for i in range(256 - len(reserve))]
    palimg = Image.new("P", (1, 1))
    palimg.putpalette([c for rgb in pal for c in rgb])
    return pal, palimg


def bmp8(img, pal):
    w, h = img.size
    px = img.load()
    stride = (w + 3) & ~3
    rows = []
    for y in range(h - 1, -1, -1):
        row = bytes(px[x, y] for x in range(w))
        rows.append(row + b"\0" * (stride - w))
    bits = b"".join(rows)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in pal)
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, len(bits), 2835, 2835,
                       len(pal), 0)
    head = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return head + info + palette + bits


def keyed_indices(im, outside, pal, palimg):
    """Palette indices with index 0 (the key) exactly where `outside` is set."""
    inner = Image.new("RGB", im.size, pal[1])
    inner.paste(im, (0, 0), ImageChops.invert(outside))
    q = inner.quantize(palette=palimg, dither=Image.Dither.NONE)
    # the key is entry 0 and never the nearest colour of a pixel inside: it is not in the
    # quantized part of the palette, and an inside pixel equal to it is impossible
    q.paste(0, (0, 0), outside)
    return q


def backgrounds(letter):
    e = EDITIONS[letter]
    fx, fy, fw, fh = e["face"]
    base_layers = render(letter)
    base, shape = sticker(base_layers)
    outside = ImageChops.invert(shape)
    faces = {"a": [dict(wink=True), dict(eyes="half"), dict(eyes="happy", mouth_kind="open")],
             "b": [dict(wink=True), dict(eyes="half"), dict(eyes="happy", mouth_kind="open")],
             "c": [dict(eyes="half"), dict(eyes="closed"), dict(eyes="closed", mouth_kind="o")]}
    variants = [sticker(render(letter, **kw))[0] for kw in faces[letter]]
    critter = []
    if letter == "b":
        critter = [sticker(render(letter, critters=k))[0] for k in ("open", "half", "closed")]
    inside_only = []
    for im in [base] + variants + critter:
        im = im.copy()
        im.paste(STICKER, (0, 0), outside)
        inside_only.append(im)
    pal, palimg = indexed(inside_only, [KEY, WHITE])
    # every picture maps through the same palette, so tiles match the background exactly
    pal[0] = KEY
    palimg.putpalette([c for rgb in pal for c in rgb])
    pic104 = keyed_indices(base, outside, pal, palimg)

    fw_total, fh_total = e["frames"]
    frames = Image.new("P", (fw_total, fh_total), 0)
    for n, v in enumerate(variants):
        tile = keyed_indices(v, outside, pal, palimg).crop((fx, fy, fx + fw, fy + fh))
        frames.paste(tile, (n * fw, 0))
    if letter == "b":
        for n, v in enumerate(critter):
            q = keyed_indices(v, outside, pal, palimg)
            frames.paste(q.crop((152, 152, 184, 184)), (96 + 32 * n, 40))
            frames.paste(q.crop((96, 128, 112, 144)), (48 + 16 * n, 40))
    return bmp8(pic104, pal), bmp8(frames, pal)


# --- glyph strip -----------------------------------------------------------
def coverage_text(size, text, font_path, font_size, stroke=0, dx=0, dy=0, spacing=0):
    """A text's coverage, centred in a box of `size`, drawn at 4x and reduced."""
    w, h = size
    big = Image.new("L", (w * 4, h * 4), 0)
    font = ImageFont.truetype(font_path, font_size * 4)
    d = ImageDraw.Draw(big)
    if spacing:
        widths = [d.textlength(ch, font=font) for ch in text]
        total = sum(widths) + spacing * 4 * (len(text) - 1)
        x = (w * 4 - total) / 2 + dx * 4
        for ch, cw in zip(text, widths):
            d.text((x, h * 2 + dy * 4), ch, font=font, fill=255, anchor="lm",
                   stroke_width=stroke, stroke_fill=255)
            x += cw + spacing * 4
    else:
        d.text((w * 2 + dx * 4, h * 2 + dy * 4), text, font=font, fill=255, anchor="mm",
               stroke_width=stroke, stroke_fill=255)
    return big.resize((w, h), Image.BOX)


def glyph_strip(letter):
    e = EDITIONS[letter]
    ink, accent = e["ink"], e["accent"]
    sun, sat = (214, 70, 70), (60, 100, 200)
    colour = Image.new("RGB", (284, 48), BLACK)
    cover = Image.new("L", (284, 48), 0)
    solid = {}

    def put(x, y, cov, col, backdrop=PANEL):
        """Ink of colour `col` over the panel colour, kept where the coverage is not zero."""
        w, h = cov.size
        cov = cov.point(lambda v: round(v / 17) * 17)  # 16 shades keep the palette small
        blend = Image.composite(Image.new("RGB", (w, h), col),
                                Image.new("RGB", (w, h), backdrop), cov)
        m = cov.point(lambda v: 255 if v > 0 else 0)
        colour.paste(blend, (x, y), m)
        cover.paste(m, (x, y), m)

    for n, name in enumerate(["SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"]):
        col = sun if n == 0 else sat if n == 6 else ink
        put(n * 28, 0, coverage_text((28, 12), name, GOTHIC, 10, dy=0.3, spacing=0.3),
            col)
    for d in range(10):
        put(196 + d * 8, 0, coverage_text((8, 12), str(d), GOTHIC, 11, dx=0, dy=0.5), ink)
    dot = Pic(8, 12, 0, s=4, mode="L")
    dot.circle(4, 8.8, 1.3, 255)
    put(276, 0, dot.final(), ink)

    for d in range(10):
        cov = coverage_text((24, 36), str(d), PGOTHIC, 35, stroke=3, dy=1)
        put(d * 24, 12, cov, ink)
    colon = Pic(16, 36, 0, s=4, mode="L")
    colon.circle(8, 13, 2.6, 255)
    colon.circle(8, 27, 2.6, 255)
    put(240, 12, colon.final(), accent)

    # am, pm and the alarm mark: white letters on a small coloured pill
    for y, text, w, pill in ((12, "am", 20, (240, 170, 70)), (24, "pm", 20, (110, 130, 210)),
                             (36, "alm", 24, accent)):
        shape = Pic(w, 12, 0, s=4, mode="L")
        shape.rrect(0, 0.5, w, 11.5, 5, 255)
        pill_cov = shape.final()
        put(256, y, pill_cov, pill)
        letters = coverage_text((w, 12), text, PGOTHIC, 11, dy=-0.6).point(
            lambda v: round(v / 17) * 17)
        blend = Image.composite(Image.new("RGB", (w, 12), WHITE),
                                Image.new("RGB", (w, 12), pill), letters)
        inner = pill_cov.point(lambda v: 255 if v >= 250 else 0)
        colour.paste(blend, (256, y), ImageChops.multiply(inner, letters.point(
            lambda v: 255 if v > 0 else 0)))

    strip = Image.new("RGB", (284, 96), WHITE)
    strip.paste(colour, (0, 0))
    mask = Image.new("RGB", (284, 48), WHITE)
    mask.paste(BLACK, (0, 0), cover)
    strip.paste(mask, (0, 48))
    colours = sorted(set(strip.getdata()) - {BLACK, WHITE})
    pal = [BLACK, WHITE] + colours
    assert len(pal) <= 256, len(pal)
    pal += [BLACK] * (256 - len(pal))
    index = {c: i for i, c in enumerate(pal[:2 + len(colours)])}
    out = Image.new("P", strip.size)
    out.putdata([index[c] for c in strip.getdata()])
    return bmp8(out, pal)


# --- icons -----------------------------------------------------------------
def heart_icon(letter, size):
    e = EDITIONS[letter]
    p = Pic(size, size, (0, 0, 0, 0), s=8, mode="RGBA")
    k = size / 32
    p.poly(heart_points(1 * k, 2 * k, 31 * k, 30.5 * k), OUTLINE + (255,))
    p.poly(heart_points(2.6 * k, 3.8 * k, 29.4 * k, 28.6 * k), e["card"] + (255,))
    p.circle(16 * k, 14.5 * k, 8.2 * k, WHITE + (255,), outline=e["ink"] + (255,),
             width=max(1.0, 1.2 * k))
    p.line([(16 * k, 14.5 * k), (16 * k, 9.5 * k)], e["ink"] + (255,), max(1.0, 1.5 * k))
    p.line([(16 * k, 14.5 * k), (19.5 * k, 16 * k)], e["ink"] + (255,), max(1.0, 1.5 * k))
    img = p.final()
    # hard edges: fully opaque or fully clear, so the icon's mask is exact
    alpha = img.getchannel("A").point(lambda v: 255 if v >= 128 else 0)
    img.putalpha(alpha)
    return img


def main(base):
    write = base.write
    for letter in "abc":
        base, frames = backgrounds(letter)
        write("tamsel/res/%s/picture104.bmp" % letter, base)
        write("tamsel/res/%s/picture148.bmp" % letter, frames)
        write("tamsel/res/%s/glyphs115.bmp" % letter, glyph_strip(letter))
        write("tamsel/res/%s/icon132.ico" % letter,
              ico_bytes([heart_icon(letter, n) for n in (32, 16, 48)]))
        write("tamsel/res/%s/icon141.ico" % letter, ico_bytes([heart_icon(letter, 16)]))
