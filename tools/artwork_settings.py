"""Pictures of the desk clock's settings sheet: the banner 143 that sits in the
lower right of the settings pages and the wizard pages, and the play and stop
icons 116 and 117 of the sound page's test buttons."""


def banner(base):
    w, h = 152, 44
    p = base.Pic(w, h, base.WALL)
    base.vgradient(p, 0, 0, w, 33, base.WALL, base.mix(base.WALL, base.TAN, 0.35))
    # a wooden shelf the little things stand on
    p.rect(0, 33, w, 38, base.WOOD)
    p.rect(0, 33, w, 34, base.WOOD_LIGHT)
    p.rect(0, 37, w, 38, base.WOOD_DARK)
    p.rect(0, 38, w, h, base.PAPER)
    # the desk clock itself, small
    p.rrect(10, 5, 34, 33, 5, base.WOOD, outline=base.WOOD_DARK, width=1.2)
    p.circle(22, 15, 8, base.DIAL, outline=base.WOOD_DARK, width=1.0)
    p.line([(22, 15), (22, 9.5)], base.INK, 1.4)
    p.line([(22, 15), (26, 17)], base.INK, 1.4)
    p.circle(22, 15, 1.1, base.CORAL)
    p.rrect(15, 26, 29, 30, 1.0, base.PAPER)
    # a bell, a note and a letter for the alarms, sounds and messages
    body = [(50, 14), (53, 15.5), (54, 19), (54.5, 24), (57, 27),
            (43, 27), (45.5, 24), (46, 19), (47, 15.5)]
    p.circle(50, 28.5, 2, base.WOOD_DARK)
    p.poly(body, base.GOLD, outline=base.WOOD_DARK, width=1.0)
    p.circle(50, 12.8, 1.4, base.WOOD_DARK)
    for hx, hy, sx in ((67, 28.5, 69.6), (77, 26.5, 79.6)):
        p.ellipse(hx, hy, 3.2, 2.4, base.BLUE, outline=base.INK, width=0.9)
        p.rect(sx, 14, sx + 1, hy, base.INK)
    p.poly([(69.6, 13), (80.6, 10.5), (80.6, 13.5), (69.6, 16)], base.INK)
    p.rrect(88, 16, 110, 31, 1.5, base.PAPER, outline=base.INK_SOFT, width=1.0)
    p.line([(89.5, 17.5), (99, 24.5), (108.5, 17.5)], base.INK_SOFT, 1.0)
    # a sleepy plant at the right end
    for ang, ln in ((-150, 10), (-120, 13), (-95, 14), (-70, 13), (-40, 10)):
        base.leaf(p, 133, 22, ang, ln)
    p.poly([(125, 21), (141, 21), (139, 33), (127, 33)], base.POT,
           outline=base.POT_DARK, width=1.0)
    p.rrect(124, 19, 142, 23, 1.2, base.POT, outline=base.POT_DARK, width=0.9)
    return p.final()


def button_icon(base, shape):
    p = base.rgba_pic(16)
    ink = base.INK + (255,)
    if shape == "play":
        p.poly([(4, 2), (13.5, 8), (4, 14)], base.LEAF + (255,), outline=ink,
               width=1.0)
    else:
        p.rrect(3, 3, 13, 13, 1.2, base.CORAL + (255,), outline=ink, width=1.0)
    return p.final()


def main(base):
    base.write("orvanedesk/res/banner143.bmp", base.bmp_bytes(banner(base)))
    base.write("orvanedesk/res/icon116.ico",
               base.ico_bytes([button_icon(base, "play")]))
    base.write("orvanedesk/res/icon117.ico",
               base.ico_bytes([button_icon(base, "stop")]))
