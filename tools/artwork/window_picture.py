"""Icon group 1: a plain window (white page, cyan title bar, grey drop shadow).

Drawn from rectangles straight into the 16 standard VGA colours; the monochrome image uses a
black title bar and a black shadow, the only marks that two colours allow.
"""

BLACK, GREY, AQUA, WHITE = 0, 8, 14, 15
TRANSPARENT = None


def _draw(size, page, title_rows, shadow_depth, title, shadow):
    """page: (left, top, right, bottom), inclusive; returns rows of palette indices or None."""
    left, top, right, bottom = page
    rows = [[TRANSPARENT] * size for _ in range(size)]
    for y in range(top + shadow_depth, bottom + shadow_depth + 1):
        for x in range(left + shadow_depth, right + shadow_depth + 1):
            rows[y][x] = shadow
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            edge = x in (left, right) or y in (top, bottom)
            in_title = top < y <= top + title_rows
            rows[y][x] = BLACK if edge else (title if in_title else WHITE)
        if y == top + title_rows + 1:
            rows[y][left:right + 1] = [BLACK] * (right - left + 1)
    return rows


def window_32_colour():
    return _draw(32, (1, 3, 27, 27), 5, 2, AQUA, GREY)


def window_32_mono():
    """In the two-colour palette 0 is black and 1 white."""
    rows = _draw(32, (1, 3, 27, 27), 5, 2, BLACK, BLACK)
    return [[None if v is None else (1 if v == WHITE else 0) for v in row] for row in rows]


def window_16_colour():
    return _draw(16, (0, 1, 13, 13), 3, 1, AQUA, GREY)
