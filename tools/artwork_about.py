"""The about box's pictures: its banner, the four link plaques and the hand cursor.

Called by make_artwork.py with that module as `base`, for its palette, canvas
and file writers.
"""

import struct

from PIL import Image, ImageDraw, ImageFont

SANS_BOLD = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"
SANS = SANS_BOLD

BANNER_W, BANNER_H = 300, 80
LINK_W, LINK_H = 88, 31


def text(img, xy, s, size, fill, font=SANS_BOLD, anchor="la"):
    """Text drawn at its final size, so the hinting keeps it crisp."""
    f = ImageFont.truetype(font, size)
    ImageDraw.Draw(img).text(xy, s, font=f, fill=fill, anchor=anchor)


def mini_clock(b, p, cx, top, k):
    """The desk clock itself, small: wooden case, round dial, date plaque."""
    p.rrect(cx - 11 * k, top, cx + 11 * k, top + 50 * k, 4 * k, b.WOOD,
            outline=b.WOOD_DARK, width=1.0)
    p.rect(cx - 8 * k, top + 4 * k, cx + 8 * k, top + 36 * k, b.SKY_TOP)
    p.circle(cx, top + 20 * k, 8.5 * k, b.DIAL, outline=b.DIAL_RIM,
             width=1.0)
    p.line([(cx, top + 20 * k), (cx, top + 14 * k)], b.INK, 1.3)
    p.line([(cx, top + 20 * k), (cx + 4.5 * k, top + 22.5 * k)], b.INK, 1.3)
    p.rrect(cx - 6 * k, top + 40 * k, cx + 6 * k, top + 46 * k, 1.2 * k,
            b.PAPER)


def banner(b):
    p = b.Pic(BANNER_W, BANNER_H, b.WALL)
    # a shelf board across the bottom with the clock, a plant and the cat
    b.vgradient(p, 0, 0, BANNER_W, 58, b.WALL, b.PAPER)
    p.rrect(-4, 66, BANNER_W + 4, 74, 2, b.WOOD, outline=b.WOOD_DARK,
            width=1.0)
    p.rect(0, 74, BANNER_W, BANNER_H, b.WOOD_LIGHT)
    p.circle(262, 16, 9, b.SUN)
    b.cloud(p, 222, 22, 0.7)
    mini_clock(b, p, 30, 16, 1.0)
    b.draw_plant(p, 256, 66)
    b.draw_cat(p, 70, 66, 0.62)
    img = p.final()
    text(img, (98, 14), "Orvane", 30, b.INK)
    text(img, (100, 48), "desk clock  1.0", 12, b.INK_SOFT, font=SANS)
    return img


def plaque(b, draw_mark, title, sub, plate):
    """An 88 by 31 link picture: a framed plaque, a mark and two lines."""
    p = b.Pic(LINK_W, LINK_H, b.WOOD_DARK)
    p.rrect(0, 0, LINK_W, LINK_H, 3, plate, outline=b.WOOD_DARK, width=1.0)
    p.rrect(2, 2, 29, 29, 2.5, b.PAPER)
    draw_mark(p)
    img = p.final()
    text(img, (33, 4), title, 11, b.INK)
    text(img, (33, 18), sub, 9, b.INK_SOFT, font=SANS)
    return img


def official(b):
    return plaque(b, lambda p: mini_clock(b, p, 15.5, 3.5, 0.48),
                  "Orvane", "official", b.WOOD_LIGHT)


def kotone(b):
    def cat_head(p):
        for side in (-1, 1):
            p.poly([(15.5 + side * 9, 12), (15.5 + side * 8, 5),
                    (15.5 + side * 3, 9)], b.CAT, outline=b.CAT_DARK,
                   width=0.8)
        p.ellipse(15.5, 16.5, 10, 8.5, b.CAT, outline=b.CAT_DARK, width=0.8)
        for side in (-1, 1):
            p.arc(15.5 + side * 4, 16, 2, 200, 340, b.INK, 0.9)
            p.ellipse(15.5 + side * 6.5, 19.5, 1.8, 1.1, b.PINK)
        p.poly([(14.3, 19), (16.7, 19), (15.5, 20.3)], b.PINK)

    return plaque(b, cat_head, "Kotone", "illust", b.CURTAIN)


def hiyori(b):
    def date_plate(p):
        p.rrect(4, 7, 27, 24, 2, b.BOTTOM, outline=b.WOOD_DARK, width=0.8)

    img = plaque(b, date_plate, "Hiyori", "numbers", b.TAN)
    text(img, (15, 16), "12", 11, b.INK, anchor="mm")
    return img


def ao(b):
    def bell(p):
        body = [(15.5, 5), (19.5, 7), (21, 12), (21.5, 18), (24.5, 21.5),
                (6.5, 21.5), (9.5, 18), (10, 12), (11.5, 7)]
        p.circle(15.5, 23.5, 2.6, b.WOOD_DARK)
        p.poly(body, b.GOLD, outline=b.WOOD_DARK, width=1.0)
        p.line([(12.8, 9.5), (12.2, 16)], (255, 240, 190), 1.2)

    return plaque(b, bell, "Ao", "icons", b.SKY_TOP)


HAND_HOTSPOT = (11, 1)


def hand_cursor(b):
    """A pointing hand, white with a dark outline, its fingertip the hotspot."""
    p = b.Pic(32, 32, (0, 0, 0, 0), s=8, mode="RGBA")
    out, fill = b.INK + (255,), (255, 255, 255, 255)
    # the raised index finger, three folded fingers and the palm
    shape = [(9.5, 3), (10, 1.2), (11.5, 0.6), (13, 1.2), (13.5, 3),
             (13.5, 11), (14.5, 10), (16.5, 10), (17.5, 11.5), (18.5, 11),
             (20.5, 11), (21.5, 12.5), (22.5, 12), (24.5, 12.5), (25.5, 14),
             (25.5, 21), (23.5, 26), (23.5, 29.5), (11.5, 29.5), (11.5, 27),
             (5, 19), (4.5, 16.5), (6, 15.5), (8, 16), (9.5, 18)]
    p.poly(shape, out)
    inner = [(10.6, 3), (11.5, 1.8), (12.4, 3), (12.4, 13), (14, 11.2),
             (16.4, 11.4), (17.3, 13), (18.8, 12.2), (20.4, 12.4),
             (21.3, 14), (22.8, 13.3), (24.4, 14.2), (24.4, 20.8),
             (22.4, 25.8), (22.4, 28.4), (12.6, 28.4), (12.6, 26.6),
             (6.2, 18.8), (5.8, 17.2), (7.6, 17.2), (10.6, 20.6)]
    p.poly(inner, fill)
    for x in (17.3, 21.3):
        p.line([(x, 14), (x, 18)], out, 0.9)
    img = p.final()
    # a cursor is drawn with its mask: keep every pixel either clear or solid
    px = img.load()
    for y in range(32):
        for x in range(32):
            r, g, bl, a = px[x, y]
            px[x, y] = (r, g, bl, 255) if a >= 128 else (0, 0, 0, 0)
    return img


def cur_bytes(b, img, hotspot):
    """A cursor file: an icon file whose type is 2 and whose entry holds the
    hotspot where an icon keeps its planes and bit count."""
    data = bytearray(b.ico_bytes([img]))
    struct.pack_into("<H", data, 2, 2)
    struct.pack_into("<HH", data, 6 + 4, *hotspot)
    return bytes(data)


def main(base):
    base.write("orvanedesk/res/about_banner.bmp", base.bmp_bytes(banner(base)))
    for name, draw in (("official", official), ("kotone", kotone),
                       ("hiyori", hiyori), ("ao", ao)):
        base.write("orvanedesk/res/link_%s.bmp" % name,
                   base.bmp_bytes(draw(base)))
    base.write("orvanedesk/res/link_hand.cur",
               cur_bytes(base, hand_cursor(base), HAND_HOTSPOT))
