"""Hand-set letters for the icon sizes too small to scale the master drawing cleanly.

Each letter is drawn upright, one string per pixel row from the cap line down to the baseline:
'#' is a letter pixel, '+' two thirds, '-' one third, '.' background. The icon leans the word
by shifting whole rows, every LEAN_ROWS rows from the baseline one pixel further right, so
stems stay one crisp colour.
"""

LEVELS = {"#": 1.0, "+": 2.0 / 3.0, "-": 1.0 / 3.0, ".": 0.0}

FACES = {
    16: {
        "lean_rows": 4,
        "gap": 1,
        "letters": [
            [
                "###-",
                "##.#",
                "##.#",
                "###-",
                "##.#",
                "##.#",
                "##.#",
                "###-",
            ],
            [
                "##...##",
                "###.###",
                "#######",
                "##+#+##",
                "##.-.##",
                "##...##",
                "##...##",
                "##...##",
            ],
            ["##"] * 8,
        ],
    },
    24: {
        "lean_rows": 4,
        "gap": 1,
        "letters": [
            [
                "######-",
                "#######",
                "###..##",
                "###..##",
                "######-",
                "######+",
                "###..##",
                "###..##",
                "###..##",
                "###..##",
                "#######",
                "######-",
            ],
            [
                "###+.+###",
                "####-####",
                "#########",
                "###+#+###",
                "###.#.###",
                "###.-.###",
                "###...###",
                "###...###",
                "###...###",
                "###...###",
                "###...###",
                "###...###",
            ],
            ["###"] * 12,
        ],
    },
}


def word_rows(face):
    """The upright word as rows of coverage values, the letters set side by side."""
    letters = face["letters"]
    gap = [0.0] * face["gap"]
    rows = []
    for row in range(len(letters[0])):
        cells = []
        for index, letter in enumerate(letters):
            if index:
                cells += gap
            cells += [LEVELS[mark] for mark in letter[row]]
        rows.append(cells)
    return rows
