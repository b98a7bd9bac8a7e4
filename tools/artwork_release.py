"""Main icons at the three sizes Explorer and the taskbar ask for (16, 32 and 48 pixels)."""


def main(base):
    base.write("tickmoth/res/tickmoth.ico",
               base.ico_bytes([base.round_clock_icon(s) for s in (16, 32, 48)]))
