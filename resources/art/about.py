# The About picture down the left side of the About box: the product name over an evening sky,
# a hive on its branch and bees on their looping flight lines.
SIZE = (164, 314)
DEPTH = 8

# A 5 x 7 font with just the letters of the name.
FONT = {
    "Z": ["#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"],
    "u": [".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#"],
    "m": [".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#.#.#"],
    "b": ["#....", "#....", "####.", "#...#", "#...#", "#...#", "####."],
    "l": [".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "e": [".....", ".....", ".###.", "#...#", "#####", "#....", ".###."],
}

NAVY = (24, 28, 84)
HONEY = (255, 200, 40)
AMBER = (214, 140, 20)
BROWN = (110, 64, 16)
DARK = (40, 24, 8)
WING = (220, 234, 250)
LEAF = (52, 120, 40)


def sky(canvas):
    # Dusk from deep blue at the top to warm amber at the bottom, in 64 bands.
    width, height = SIZE
    for band in range(64):
        t = band / 63
        colour = (round(24 + t * (250 - 24)), round(28 + t * (190 - 28)),
                  round(84 + t * (110 - 84)))
        canvas.fill(0, band * height // 64, width, (band + 1) * height // 64, colour)


def hive(canvas, cx, top):
    canvas.fill(cx - 2, top - 30, cx + 3, top + 2, BROWN)          # the hanging stalk
    canvas.line(cx - 70, top - 34, cx + 81, top - 26, BROWN, 5)    # the branch
    canvas.ellipse(cx - 40, top - 44, 14, 6, LEAF)
    canvas.ellipse(cx + 44, top - 40, 12, 5, LEAF)
    widths = [16, 26, 34, 40, 44, 46, 44, 38, 28]
    for i, half in enumerate(widths):
        y = top + i * 14
        canvas.ellipse(cx, y + 7, half, 8, AMBER if i % 2 else HONEY)
        canvas.line(cx - half + 4, y + 14, cx + half - 4, y + 14, BROWN, 2)
    canvas.ellipse(cx, top + 100, 9, 7, DARK)                      # the entrance


def bee(canvas, x, y):
    canvas.ellipse(x - 3, y - 7, 5, 4, WING)
    canvas.ellipse(x + 4, y - 7, 5, 4, WING)
    canvas.ellipse(x, y, 9, 5, HONEY)
    for stripe in (-4, 0, 4):
        canvas.fill(x + stripe, y - 4, x + stripe + 2, y + 5, DARK)
    canvas.ellipse(x - 9, y, 3, 3, DARK)


def flight(canvas, points):
    # Dotted, as a bee's path is drawn: every third step of the line.
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        steps = max(abs(x1 - x0), abs(y1 - y0))
        for i in range(0, steps, 3):
            canvas.fill(x0 + (x1 - x0) * i // steps, y0 + (y1 - y0) * i // steps,
                        x0 + (x1 - x0) * i // steps + 2, y0 + (y1 - y0) * i // steps + 2, NAVY)


def draw(canvas):
    sky(canvas)
    # The name, with a dark shadow so it reads on the sky.
    canvas.glyphs(FONT, "Zumble", 12, 22, 4, DARK)
    canvas.glyphs(FONT, "Zumble", 10, 20, 4, HONEY)
    canvas.line(10, 58, 154, 58, HONEY, 2)
    hive(canvas, 82, 150)
    flight(canvas, [(82, 252), (60, 270), (30, 262), (36, 240), (58, 246), (50, 288), (120, 296)])
    flight(canvas, [(94, 252), (130, 240), (150, 210), (138, 190), (120, 206), (140, 110)])
    bee(canvas, 132, 294)
    bee(canvas, 140, 100)
    bee(canvas, 30, 90)
