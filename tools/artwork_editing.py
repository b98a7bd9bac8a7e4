"""Pictures of the alarm wizard's pages: 136 by 164 pixels, in the desk clock's style.

147 greets (the cat at the window beside the desk clock), 149 asks for the title and the
message (a letter and a bell on the sill), 148 asks for the time (a calendar page and a clock).
All three share the wall, the window and the sill, so the wizard reads as one scene.
"""

W, H = 136, 164


def scene(base):
    p = base.Pic(W, H, base.WALL)
    # a window high on the wall, its view cut to the panes
    wx0, wy0, wx1, wy1 = 10, 10, 126, 100
    p.rrect(wx0, wy0, wx1, wy1, 4, base.WOOD_LIGHT, outline=base.WOOD_DARK,
            width=1.2)
    ix0, iy0, ix1, iy1 = wx0 + 5, wy0 + 5, wx1 - 5, wy1 - 2
    view = base.Pic(W, H, base.SKY_LOW, s=p.s)
    base.vgradient(view, ix0, iy0, ix1, iy1, base.SKY_TOP, base.SKY_LOW)
    view.circle(34, 32, 8, base.SUN)
    base.cloud(view, 96, 34, 0.8)
    view.ellipse(30, iy1 + 24, 56, 36, base.HILL_FAR)
    view.ellipse(118, iy1 + 20, 48, 34, base.HILL)
    pane = tuple(p.box(ix0, iy0, ix1, iy1))
    pane = pane[:2] + (pane[2] + 1, pane[3] + 1)
    p.img.paste(view.img.crop(pane), pane[:2])
    p.rect(66.5, iy0, 69.5, iy1, base.WOOD_LIGHT)
    p.rect(ix0, 54, ix1, 57, base.WOOD_LIGHT)
    # the sill the objects stand on and the wooden desk under it
    p.rrect(4, 100, 132, 107, 2, base.WOOD, outline=base.WOOD_DARK, width=1.0)
    p.rect(0, 140, W, H, base.WOOD)
    p.rect(0, 140, W, 142, base.WOOD_DARK)
    return p


def small_clock(base, p, cx, base_y, k=1.0):
    p.rrect(cx - 13 * k, base_y - 34 * k, cx + 13 * k, base_y, 5 * k,
            base.WOOD, outline=base.WOOD_DARK, width=1.0)
    cy = base_y - 20 * k
    p.circle(cx, cy, 10 * k, base.DIAL, outline=base.WOOD_DARK, width=0.9)
    p.line([(cx, cy), (cx, cy - 6.5 * k)], base.INK, 1.4)
    p.line([(cx, cy), (cx + 4.5 * k, cy + 2.5 * k)], base.INK, 1.4)
    p.circle(cx, cy, 1.1 * k, base.CORAL)
    p.rrect(cx - 7 * k, base_y - 7 * k, cx + 7 * k, base_y - 3 * k, 1,
            base.PAPER)


def intro(base):
    p = scene(base)
    base.draw_cat(p, 46, 100, 0.9)
    small_clock(base, p, 98, 100)
    # a few notes in the air: the clock is about to ring
    for x, y in ((76, 62), (116, 52)):
        p.ellipse(x, y, 3, 2.3, base.BLUE, outline=base.INK, width=0.8)
        p.line([(x + 2.6, y), (x + 2.6, y - 9)], base.INK, 1.0)
    return p.final()


def texts(base):
    p = scene(base)
    # a letter leaning on the window and a bell beside it
    p.poly([(24, 100), (30, 66), (78, 70), (74, 100)], base.PAPER,
           outline=base.INK_SOFT, width=1.0)
    for i in range(4):
        y = 78 + i * 5
        p.line([(34, y), (70, y + 0.6)], base.INK_SOFT, 0.8)
    body = [(104, 66), (111, 69), (113, 78), (114, 88), (120, 94), (88, 94),
            (94, 88), (95, 78), (97, 69)]
    p.circle(104, 97, 3.5, base.WOOD_DARK)
    p.poly(body, base.GOLD, outline=base.WOOD_DARK, width=1.1)
    p.line([(100, 73), (98.5, 84)], (255, 240, 190), 1.4)
    # the pen on the desk
    p.line([(20, 152), (64, 146)], base.CORAL, 3.0)
    p.line([(64, 146), (70, 145.2)], base.INK, 1.4)
    return p.final()


def schedule(base):
    p = scene(base)
    # a calendar page on the wall, its top row red for the day
    p.rrect(22, 60, 62, 100, 2, base.PAPER, outline=base.INK_SOFT, width=1.0)
    p.rect(23, 61, 61, 70, base.CORAL)
    for row in range(3):
        for col in range(5):
            x, y = 27 + col * 7, 75 + row * 8
            p.rect(x, y, x + 4, y + 4, base.DIAL_TICK)
    p.rect(41, 83, 45, 87, base.CORAL)
    small_clock(base, p, 100, 100, 1.1)
    base.draw_cat(p, 68, 160, 0.55)
    return p.final()


def main(base):
    write = base.write
    write("orvanedesk/res/wizard147.bmp", base.bmp_bytes(intro(base)))
    write("orvanedesk/res/wizard148.bmp", base.bmp_bytes(schedule(base)))
    write("orvanedesk/res/wizard149.bmp", base.bmp_bytes(texts(base)))
