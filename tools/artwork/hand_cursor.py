"""The pointing hand shown over the Calculate buttons: black outline, white glove.

'#' black, '.' white, 'o' silver (the shaded side of the fingers), ' ' transparent. The hot
spot is the top of the index finger, so a click lands where the finger points.
"""

BLACK, SILVER, WHITE = 0, 7, 15
HOT_SPOT = (6, 0)

ART = [
    "      ##",
    "     #..#",
    "     #.o#",
    "     #.o#",
    "     #.o#",
    "     #.o###",
    "     #.o#.o###",
    "     #.o#.o#.o##",
    "     #.o#.o#.o#o#",
    " ### #.o#.o#.o#o#",
    " #..##.........o#",
    " #...#.........o#",
    "  #............o#",
    "  #............o#",
    "   #...........o#",
    "   #..........o#",
    "    #.........o#",
    "    #........o#",
    "     #.......o#",
    "     #.......o#",
    "     ##########",
]


def hand_32():
    """Rows of VGA palette indices, None where the screen shows through."""
    marks = {"#": BLACK, ".": WHITE, "o": SILVER, " ": None}
    rows = [[None] * 32 for _ in range(32)]
    for y, line in enumerate(ART):
        for x, mark in enumerate(line):
            rows[y][x] = marks[mark]
    return rows
