"""The desk clock's seasonal illustrations, bitmap1.bmp onwards.

The same room as bitmap0.bmp (window, curtains, sill, cat, wooden base) through
the year: the view outside, the curtains and what stands on the sill change.
The top band and the date plaque keep the colours of the weekday badges and the
date digits, and the dial stays light so the hands read on it.
"""

import math

# make_artwork hands itself over in main(); its palette and drawing helpers are used here.
art = None
# window frame and the panes inside it, as in the first picture
WX0, WY0, WX1, WY1 = 12, 42, 164, 330
IX0, IY0, IX1, IY1 = WX0 + 6, WY0 + 6, WX1 - 6, WY1 - 2


def puff(p, cx, cy, k, col):
    for dx, dy, r in ((-9, 2, 6), (-3, -3, 8), (5, -1, 7), (11, 3, 5),
                      (1, 4, 6)):
        p.circle(cx + dx * k, cy + dy * k, r * k, col)
    p.rrect(cx - 15 * k, cy + 1 * k, cx + 16 * k, cy + 8 * k, 3.5 * k, col)


def blossom(p, cx, cy, r, col, centre):
    for i in range(5):
        a = math.radians(i * 72 - 90)
        p.circle(cx + math.cos(a) * r * 0.55, cy + math.sin(a) * r * 0.55,
                 r * 0.5, col)
    p.circle(cx, cy, r * 0.28, centre)


def maple(p, cx, cy, r, ang, col, vein):
    pts = []
    for i in range(10):
        a = math.radians(ang + i * 36 - 90)
        rr = r if i % 2 == 0 else r * 0.42
        pts.append((cx + math.cos(a) * rr, cy + math.sin(a) * rr))
    p.poly(pts, col, outline=vein, width=0.5)
    a = math.radians(ang + 90)
    p.line([(cx, cy), (cx + math.cos(a) * r * 0.9, cy + math.sin(a) * r * 0.9)],
           vein, 0.6)


def pot(p, cx, base, col=None, dark=None):
    col, dark = col or art.POT, dark or art.POT_DARK
    p.poly([(cx - 14, base - 24), (cx + 14, base - 24), (cx + 11, base),
            (cx - 11, base)], col, outline=dark, width=1.0)
    p.rrect(cx - 16, base - 27, cx + 16, base - 20, 2, col, outline=dark,
            width=1.0)


# --- the views outside ------------------------------------------------------
def view_spring(v):
    art.vgradient(v, IX0, IY0, IX1, IY1, (170, 214, 240), (246, 240, 236))
    puff(v, 128, 78, 0.8, art.WHITE)
    v.ellipse(40, IY1 + 30, 72, 50, (206, 228, 182))
    v.ellipse(150, IY1 + 24, 60, 46, (178, 214, 160))
    # a cherry branch reaching in from the upper left
    bark = (122, 84, 72)
    v.line([(IX0 - 4, 58), (40, 70), (76, 78), (110, 96)], bark, 3.0)
    v.line([(40, 70), (58, 56), (74, 52)], bark, 1.8)
    v.line([(76, 78), (92, 66)], bark, 1.5)
    pink, deep = (250, 204, 214), (232, 150, 170)
    for x, y, r in ((26, 56, 6), (36, 76, 6.5), (52, 62, 6), (66, 50, 5.5),
                    (78, 56, 5), (62, 82, 6), (86, 70, 5.5), (96, 88, 6),
                    (108, 100, 5), (44, 88, 5), (118, 92, 4.5), (24, 70, 5)):
        blossom(v, x, y, r, pink, deep)
    for x, y, a in ((130, 120, 20), (112, 140, -30), (146, 150, 60),
                    (40, 120, 10), (30, 140, 80), (140, 290, 40),
                    (36, 296, -20)):
        v.ellipse(x, y, 2.2, 1.3, pink)


def view_rain(v):
    art.vgradient(v, IX0, IY0, IX1, IY1, (150, 166, 188), (214, 220, 226))
    for cx, cy, k in ((50, 70, 1.0), (130, 62, 0.9), (96, 96, 0.7)):
        puff(v, cx, cy, k, (226, 230, 236))
    v.ellipse(40, IY1 + 30, 72, 50, (170, 196, 170))
    v.ellipse(150, IY1 + 24, 60, 46, (146, 180, 150))
    streak = (236, 242, 250)
    for i in range(26):
        x = IX0 + (i * 37) % (IX1 - IX0)
        y = IY0 + 20 + (i * 53) % (IY1 - IY0 - 40)
        v.line([(x, y), (x - 3, y + 11)], streak, 0.7)


def view_summer(v):
    art.vgradient(v, IX0, IY0, IX1, IY1, (84, 168, 232), (206, 236, 250))
    v.circle(132, 70, 11, (255, 226, 130))
    for cx, cy, k in ((50, 96, 1.3), (38, 78, 0.9), (64, 80, 1.0)):
        puff(v, cx, cy, k, art.WHITE)
    # the sea from the horizon down to the sill
    sea = 272
    art.vgradient(v, IX0, sea, IX1, IY1, (70, 150, 208), (120, 190, 226))
    for x0, y in ((30, 284), (100, 292), (50, 304), (120, 312)):
        v.line([(x0, y), (x0 + 8, y - 1.5), (x0 + 16, y)], (200, 232, 246),
               0.8)
    # a little sail on the horizon
    v.poly([(118, 268), (118, 250), (130, 268)], art.WHITE)
    v.poly([(112, 269), (134, 269), (130, 273), (116, 273)], (208, 96, 80))


def view_autumn(v):
    art.vgradient(v, IX0, IY0, IX1, IY1, (238, 170, 128), (252, 232, 190))
    v.circle(44, 80, 12, (255, 240, 196))
    v.ellipse(40, IY1 + 30, 72, 50, (222, 150, 96))
    v.ellipse(150, IY1 + 24, 60, 46, (200, 112, 80))
    for x, y in ((110, 70), (124, 64), (136, 74)):
        v.line([(x - 4, y - 2), (x, y + 1), (x + 4, y - 2)], (120, 80, 70),
               0.8)
    # a maple branch from the upper right
    bark = (110, 76, 60)
    v.line([(IX1 + 4, 96), (130, 104), (100, 122)], bark, 2.4)
    v.line([(130, 104), (118, 92)], bark, 1.4)
    reds = ((214, 70, 52), (232, 120, 56), (200, 52, 60))
    for i, (x, y, r, a) in enumerate(((150, 90, 8, 10), (136, 114, 7.5, -20),
                                      (118, 88, 7, 30), (106, 124, 7, 0),
                                      (150, 112, 6.5, 40), (92, 112, 6, -35),
                                      (60, 150, 5, 15), (34, 290, 5, 60),
                                      (140, 296, 4.5, -10))):
        col = reds[i % 3]
        maple(v, x, y, r, a, col, art.mix(col, art.INK, 0.35))


def view_winter(v):
    art.vgradient(v, IX0, IY0, IX1, IY1, (40, 50, 102), (112, 92, 150))
    v.circle(128, 76, 11, (255, 236, 170))
    v.circle(133, 72, 10, (46, 56, 108))  # the crescent's shadow
    for x, y, r in ((36, 62, 1.3), (60, 90, 1.0), (92, 60, 1.4),
                    (148, 110, 1.1), (30, 112, 1.0), (112, 104, 0.9),
                    (70, 70, 0.8), (140, 140, 0.9), (44, 146, 1.0)):
        art.star(v, x, y, r * 2.2, (255, 246, 210))
    v.ellipse(40, IY1 + 30, 72, 50, (214, 222, 242))
    v.ellipse(150, IY1 + 24, 60, 46, (236, 240, 250))
    for i in range(30):
        x = IX0 + 4 + (i * 41) % (IX1 - IX0 - 8)
        y = IY0 + 12 + (i * 67) % (IY1 - IY0 - 24)
        v.circle(x, y, 1.0 + (i % 3) * 0.35, art.WHITE)


# --- what stands on the sill ------------------------------------------------
def tulips(p, cx, base):
    for dx, h, col in ((-8, 44, (232, 92, 96)), (0, 52, (250, 200, 80)),
                       (8, 42, (240, 130, 160))):
        x = cx + dx
        p.line([(x, base - 22), (x, base - h + 6)], art.LEAF_DARK, 1.4)
        art.leaf(p, x, base - 24, -110 if dx < 0 else -70, 16, 0.35)
        p.poly([(x - 5, base - h + 8), (x - 5, base - h), (x - 2.5, base - h + 3),
                (x, base - h - 1), (x + 2.5, base - h + 3), (x + 5, base - h),
                (x + 5, base - h + 8)], col, outline=art.mix(col, art.INK, 0.3),
               width=0.6)
    pot(p, cx, base)


def hydrangea(p, cx, base):
    for ang, ln in ((-160, 18), (-20, 18), (-130, 16), (-50, 16)):
        art.leaf(p, cx, base - 26, ang, ln)
    blues = ((132, 150, 222), (168, 142, 214), (112, 170, 226))
    i = 0
    for ring, n in ((0, 1), (7, 6), (13, 10)):
        for k in range(n):
            a = math.radians(k * 360 / n + ring * 7)
            x = cx + math.cos(a) * ring * 0.9
            y = base - 44 + math.sin(a) * ring * 0.75
            col = blues[i % 3]
            i += 1
            for q in range(4):
                b = math.radians(q * 90 + 45)
                p.circle(x + math.cos(b) * 1.8, y + math.sin(b) * 1.8, 1.9, col)
            p.circle(x, y, 0.8, art.WHITE)
    pot(p, cx, base, (150, 168, 200), (108, 124, 160))


def sunflower(p, cx, base):
    p.line([(cx, base - 22), (cx + 2, base - 60)], art.LEAF_DARK, 2.2)
    art.leaf(p, cx + 1, base - 36, -160, 16)
    art.leaf(p, cx + 1, base - 44, -20, 15)
    fx, fy = cx + 2, base - 62
    for i in range(14):
        a = math.radians(i * 360 / 14)
        p.ellipse(fx + math.cos(a) * 9, fy + math.sin(a) * 9, 4.4, 4.4,
                  (252, 204, 60))
    p.circle(fx, fy, 7, (150, 96, 50), outline=(110, 70, 40), width=0.8)
    pot(p, cx, base)


def furin(p, x, top):
    # a glass wind chime on a string from the curtain rod
    p.line([(x, 40), (x, top)], art.INK, 0.5)
    p.poly([(x - 7, top + 12), (x - 6, top + 3), (x, top), (x + 6, top + 3),
            (x + 7, top + 12)], (220, 240, 250), outline=(140, 170, 190),
           width=0.6)
    p.line([(x - 5, top + 7), (x + 5, top + 7)], (220, 80, 80), 1.0)
    p.line([(x, top + 12), (x, top + 18)], art.INK, 0.4)
    p.rect(x - 2, top + 18, x + 2, top + 30, (236, 120, 110))


def teruteru(p, x, top):
    # the doll hung in the window to wish for fine weather
    p.line([(x, 40), (x, top)], art.INK, 0.5)
    p.poly([(x - 3, top + 7), (x + 3, top + 7), (x + 8, top + 22),
            (x - 8, top + 22)], art.WHITE, outline=(170, 170, 180), width=0.6)
    p.circle(x, top + 5, 6, art.WHITE, outline=(170, 170, 180), width=0.6)
    p.line([(x - 3, top + 11), (x + 3, top + 11)], (220, 90, 90), 0.8)
    p.circle(x - 2, top + 4.5, 0.7, art.INK)
    p.circle(x + 2, top + 4.5, 0.7, art.INK)
    p.arc(x, top + 6, 2, 20, 160, art.INK, 0.5)


def persimmons(p, cx, base):
    p.ellipse(cx, base - 6, 17, 6, (182, 120, 80), outline=art.WOOD_DARK,
              width=0.8)
    for dx, dy in ((-8, -12), (7, -12), (0, -20)):
        x, y = cx + dx, base + dy
        p.ellipse(x, y, 7, 6, (240, 128, 48), outline=(196, 90, 36), width=0.7)
        p.poly([(x - 3, y - 5), (x, y - 7), (x + 3, y - 5), (x, y - 4)], art.LEAF)
    p.rect(cx - 17, base - 6, cx + 17, base - 0.5, (182, 120, 80))


def snowman(p, cx, base):
    p.circle(cx, base - 11, 11, art.WHITE, outline=(190, 200, 220), width=0.8)
    p.circle(cx, base - 29, 8, art.WHITE, outline=(190, 200, 220), width=0.8)
    p.line([(cx - 9, base - 15), (cx - 19, base - 24)], (120, 84, 60), 1.0)
    p.line([(cx + 9, base - 15), (cx + 19, base - 24)], (120, 84, 60), 1.0)
    p.circle(cx - 3, base - 31, 0.9, art.INK)
    p.circle(cx + 3, base - 31, 0.9, art.INK)
    p.poly([(cx, base - 29), (cx + 6, base - 28), (cx, base - 27)],
           (240, 140, 60))
    p.rrect(cx - 8, base - 41, cx + 8, base - 36, 1.5, (200, 70, 70))
    # two mandarins beside it
    for x in (cx + 16, cx + 24):
        p.circle(x, base - 4, 4, (250, 160, 50), outline=(210, 120, 40),
                 width=0.6)


def scarf(p, cx, base, k):
    red, dark = (200, 60, 64), (150, 40, 48)
    p.rrect(cx - 14 * k, base - 29 * k, cx + 14 * k, base - 24 * k, 2 * k, red,
            outline=dark, width=0.6)
    p.poly([(cx + 5 * k, base - 26 * k), (cx + 10 * k, base - 26 * k),
            (cx + 11 * k, base - 12 * k), (cx + 6 * k, base - 12 * k)], red,
           outline=dark, width=0.6)


# --- the room around the view ----------------------------------------------
def room(view, curtain, curtain_dark, sill, hang=None, cat_extra=None):
    p = art.Pic(art.FACE_W, art.FACE_H, art.WALL)
    p.rrect(WX0, WY0, WX1, WY1, 5, art.WOOD_LIGHT, outline=art.WOOD_DARK, width=1.2)
    v = art.Pic(art.FACE_W, art.FACE_H, art.WHITE, s=p.s)
    view(v)
    pane = tuple(p.box(IX0, IY0, IX1, IY1))
    pane = pane[:2] + (pane[2] + 1, pane[3] + 1)
    p.img.paste(v.img.crop(pane), pane[:2])
    p.rect(87, IY0, 90, IY1, art.WOOD_LIGHT)
    p.rect(IX0, 180, IX1, 183, art.WOOD_LIGHT)
    p.d.rectangle(p.box(IX0, IY0, IX1, IY1), outline=art.WOOD_DARK,
                  width=max(1, round(0.8 * p.s)))
    if hang:
        hang(p)

    for side in (-1, 1):
        x_edge = 4 if side < 0 else 172
        x_in = 30 if side < 0 else 146

        def edge(y, k=1.0):
            pinch = math.exp(-((y - 170) / 55) ** 2)
            return x_edge + (x_in - x_edge) * (1 - 0.62 * pinch) * k

        pts = [(x_edge, 36), (x_in, 36)]
        pts += [(edge(36 + i / 20 * 290), 36 + i / 20 * 290)
                for i in range(1, 21)]
        pts.append((x_edge, 326))
        p.poly(pts, curtain, outline=curtain_dark, width=1.0)
        for k in (0.35, 0.7):
            p.line([(edge(40 + i / 20 * 280, k), 40 + i / 20 * 280)
                    for i in range(21)], curtain_dark, 0.7)
        tx = x_edge + (x_in - x_edge) * 0.38
        p.ellipse(tx, 170, 4, 3, art.GOLD, outline=art.WOOD_DARK, width=0.8)
    p.rrect(2, 36, 174, 40.5, 2, art.WOOD, outline=art.WOOD_DARK, width=0.8)
    p.circle(4, 38.25, 3.0, art.WOOD, outline=art.WOOD_DARK, width=0.8)
    p.circle(172, 38.25, 3.0, art.WOOD, outline=art.WOOD_DARK, width=0.8)

    p.rrect(2, 326, 174, 338, 3, art.WOOD, outline=art.WOOD_DARK, width=1.0)
    p.rect(4, 328, 172, 329.4, art.WOOD_LIGHT)

    # the same light dial as the first picture, so the hands read alike
    p.circle(art.DIAL_CX, art.DIAL_CY + 1.5, 86.5, (226, 206, 178))
    p.circle(art.DIAL_CX, art.DIAL_CY, 86, art.DIAL_RIM)
    p.circle(art.DIAL_CX, art.DIAL_CY, 83.2, art.DIAL)
    p.circle(art.DIAL_CX, art.DIAL_CY, 62, (254, 248, 236))
    p.circle(art.DIAL_CX, art.DIAL_CY, 61, art.DIAL)
    for i in range(12):
        a = math.radians(i * 30)
        ux, uy = math.sin(a), -math.cos(a)
        r0, r1, wd = (66, 71, 2.0) if i % 3 == 0 else (67.5, 70.5, 1.4)
        p.line([(art.DIAL_CX + ux * r0, art.DIAL_CY + uy * r0),
                (art.DIAL_CX + ux * r1, art.DIAL_CY + uy * r1)], art.DIAL_TICK, wd)

    sill(p, 30, 326)
    art.draw_cat(p, 147, 326, 0.86)
    if cat_extra:
        cat_extra(p, 147, 326, 0.86)

    p.rrect(0, 346, 176, 420, 6, art.WOOD, outline=art.WOOD_DARK, width=1.2)
    p.rect(1.2, 348, 174.8, 350, art.WOOD_LIGHT)
    p.rrect(40, 360, 136, 405, 5, art.BOTTOM, outline=art.WOOD_DARK, width=1.2)
    grain = art.mix(art.WOOD, art.WOOD_DARK, 0.35)
    for x0, x1, y in ((6, 30, 362), (14, 34, 396), (142, 168, 366),
                      (146, 166, 400)):
        p.line([(x0, y), ((x0 + x1) / 2, y - 1.2), (x1, y)], grain, 0.8)
    for x in (12, 164):
        p.circle(x, 384, 2.5, art.WOOD_DARK)
        p.circle(x - 0.5, 383.5, 1.2, art.WOOD_LIGHT)

    img = p.final()
    art.check_flat(img, art.TOP, 0, 0, art.FACE_W, 35)
    art.check_flat(img, art.BOTTOM, 44, 364, 132, 401)
    return img


# name (Shift-JIS in Illust.ini) and picture, bitmap1.bmp onwards
SEASONS = (
    ("春の桜", lambda: room(view_spring, (245, 196, 206), (222, 156, 172),
                         tulips)),
    ("雨とあじさい", lambda: room(view_rain, (196, 190, 226), (150, 142, 196),
                            hydrangea, hang=lambda p: teruteru(p, 124, 52))),
    ("夏の海", lambda: room(view_summer, (170, 214, 222), (116, 176, 190),
                         sunflower, hang=lambda p: furin(p, 62, 50))),
    ("紅葉の夕暮れ", lambda: room(view_autumn, (236, 196, 128), (200, 150, 84),
                             persimmons)),
    ("雪の夜", lambda: room(view_winter, (206, 96, 96), (160, 62, 66), snowman,
                         cat_extra=scarf)),
)


def main(base):
    """Writes bitmap1.bmp onwards and adds their names to Illust.ini."""
    global art
    art = base
    path = base.os.path.join(base.ROOT, "orvanedesk/data/Illust.ini")
    with open(path, "rb") as f:
        first = f.read().split(b"\r\n")[0]
    lines = [first]
    for i, (name, draw) in enumerate(SEASONS, start=1):
        base.write("orvanedesk/data/bitmap%d.bmp" % i, base.bmp_bytes(draw()))
        lines.append(name.encode("cp932"))
    base.write("orvanedesk/data/Illust.ini", b"".join(l + b"\r\n" for l in lines))
