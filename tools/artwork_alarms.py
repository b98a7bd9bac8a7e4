"""Pictures of the desk clock's message popup: three 100 by 116 pictures in
256 colours (one is chosen per popup) and the popup's 32 by 32 bell icon."""

import struct

from PIL import Image

W, H = 100, 116


def bmp8_bytes(img):
    """Windows BMP of 8 bits a pixel with a 256-entry palette, bottom-up."""
    q = img.convert("RGB").quantize(colors=256, method=Image.Quantize.MEDIANCUT,
                                    dither=Image.Dither.NONE)
    w, h = q.size
    pal = q.getpalette()[:768]
    pal += [0] * (768 - len(pal))
    px = q.load()
    stride = (w + 3) & ~3
    bits = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(px[x, y] for x in range(w))
        row += b"\0" * (stride - w)
        bits += row
    colours = b"".join(bytes((pal[i * 3 + 2], pal[i * 3 + 1], pal[i * 3], 0))
                       for i in range(256))
    offset = 14 + 40 + len(colours)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, len(bits), 2835,
                       2835, 256, 0)
    head = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return head + info + colours + bytes(bits)


def frame(b, p, top, low):
    """The shared card: a sky window over a wooden sill, with a cream wall."""
    p.rect(0, 0, W, H, b.WALL)
    p.rrect(6, 6, 94, 78, 4, b.CURTAIN, outline=b.WOOD_DARK, width=1.2)
    b.vgradient(p, 9, 9, 91, 75, top, low)
    p.rect(49.3, 9, 50.7, 75, b.WOOD_LIGHT)
    p.rect(9, 41.3, 91, 42.7, b.WOOD_LIGHT)
    p.rrect(2, 76, 98, 82, 2, b.WOOD, outline=b.WOOD_DARK, width=1.0)
    # the desk below, with the drawer plaque of the clock's own face
    p.rect(0, 82, W, H, b.WOOD)
    p.rect(0, 82, W, 84, b.WOOD_DARK)
    p.rrect(22, 92, 78, 108, 3, b.PAPER, outline=b.WOOD_DARK, width=1.0)
    for x in (10, 90):
        p.circle(x, 100, 1.6, b.WOOD_DARK)


def alarm_clock(b, p, cx, cy, r):
    for side in (-1, 1):
        p.circle(cx + side * r * 0.72, cy - r * 0.86, r * 0.36, b.GOLD,
                 outline=b.WOOD_DARK, width=1.0)
        p.line([(cx + side * r * 0.55, cy + r * 0.8),
                (cx + side * r * 0.8, cy + r * 1.15)], b.WOOD_DARK, 1.6)
    p.circle(cx, cy, r, b.CORAL, outline=b.POT_DARK, width=1.2)
    p.circle(cx, cy, r * 0.78, b.DIAL, outline=b.DIAL_RIM, width=0.8)
    p.line([(cx, cy), (cx, cy - r * 0.55)], b.INK, 1.4)
    p.line([(cx, cy), (cx + r * 0.42, cy + r * 0.12)], b.INK, 1.4)
    p.circle(cx, cy, 1.2, b.CORAL)


def picture_morning(b):
    """The cat beside its ringing alarm clock, on a clear morning."""
    p = b.Pic(W, H, b.WALL)
    frame(b, p, b.SKY_TOP, b.SKY_LOW)
    p.circle(24, 24, 7, b.SUN)
    b.cloud(p, 70, 22, 0.7)
    b.draw_cat(p, 30, 78, 0.62)
    alarm_clock(b, p, 70, 62, 10)
    for dx, dy in ((-15, -10), (15, -10)):
        p.line([(70 + dx * 0.9, 62 + dy), (70 + dx * 1.2, 62 + dy * 1.5)],
               b.INK_SOFT, 1.0)
    return p.final()


def picture_letter(b):
    """A letter leaning on the plant pot: a message for the day."""
    p = b.Pic(W, H, b.WALL)
    frame(b, p, b.SKY_TOP, b.HILL_FAR)
    b.cloud(p, 30, 26, 0.6)
    b.draw_plant(p, 30, 77)
    p.poly([(52, 54), (86, 50), (90, 76), (56, 78)], b.PAPER,
           outline=b.INK_SOFT, width=1.0)
    p.line([(53, 55), (71, 67), (86, 51)], b.INK_SOFT, 1.0)
    p.circle(71, 66, 3, b.CORAL)
    return p.final()


def picture_night(b):
    """The cat asleep under the stars: the evening's reminder."""
    p = b.Pic(W, H, b.WALL)
    frame(b, p, b.NIGHT_TOP, b.NIGHT_LOW)
    p.circle(72, 24, 8, b.GOLD)
    p.circle(76, 21, 7, b.NIGHT_TOP)
    for x, y, r in ((20, 18, 2.6), (36, 30, 1.8), (58, 14, 2.0), (28, 56, 1.6),
                    (84, 52, 2.2)):
        b.star(p, x, y, r, (255, 240, 190))
    b.draw_cat(p, 50, 78, 0.62)
    alarm_clock(b, p, 82, 68, 7)
    return p.final()


def bell_icon(b, size):
    p = b.rgba_pic(size)
    k = size / 32
    a = 255
    p.circle(16 * k, 27 * k, 3.2 * k, b.WOOD_DARK + (a,))
    body = [(16, 3), (21.5, 5.5), (23.5, 12), (24, 19), (28.5, 24), (3.5, 24),
            (8, 19), (8.5, 12), (10.5, 5.5)]
    p.poly([(x * k, y * k) for x, y in body], b.GOLD + (a,),
           outline=b.WOOD_DARK + (a,), width=1.4 * k)
    p.line([(12.5 * k, 8 * k), (11.5 * k, 17 * k)], (255, 240, 190, a),
           1.6 * k)
    p.circle(16 * k, 3 * k, 1.8 * k, b.CORAL + (a,),
             outline=b.WOOD_DARK + (a,), width=0.8 * k)
    return p.final()


def main(base):
    pictures = {146: picture_morning, 151: picture_letter, 152: picture_night}
    for rid, draw in pictures.items():
        base.write("orvanedesk/res/popup%d.bmp" % rid, bmp8_bytes(draw(base)))
    base.write("orvanedesk/res/icon150.ico",
               base.ico_bytes([bell_icon(base, 32), bell_icon(base, 16)]))
