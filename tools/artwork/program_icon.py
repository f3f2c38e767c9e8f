"""The program icon: white italic "BMI" on a red-to-orange square with rounded corners.

render(size) gives rows of (r, g, b, coverage) with float channels 0..255 and coverage 0..1.
Large sizes scale the master letters and lean them smoothly. Small sizes draw their own
whole-pixel face upright, so stems stay one crisp colour, and lean it by shifting whole rows:
a slant spread over half-covered pixels would blur "BMI" into a smudge at 16 pixels.
"""

from glyphs import DESIGN, bmi_outlines
from pixel_letters import FACES, word_rows
from raster import coverage
from shapes import place, rounded_square

TOP_LEFT = (205, 22, 34)  # red
BOTTOM_RIGHT = (255, 152, 28)  # orange
SHADOW = (110, 8, 12)
WHITE = (255, 255, 255)
SLANT = 0.2  # about 11 degrees
CORNER = 0.19  # corner radius as a fraction of the side


def _mix(a, b, amount):
    return tuple(x + (y - x) * amount for x, y in zip(a, b))


def _shifted(grid, dx, dy):
    size = len(grid)
    return [
        [grid[y - dy][x - dx] if 0 <= y - dy < size and 0 <= x - dx < size else 0.0
         for x in range(size)]
        for y in range(size)
    ]


def _scaled_letters(size):
    """The master letters as large as the square allows, cap height and baseline on whole
    pixels so that the tops and bottoms of the letters stay sharp."""
    contours, advance = bmi_outlines(DESIGN)
    cap = DESIGN["cap"]
    width_units = advance + SLANT * cap
    scale = min(size * 0.84 / width_units, size * 0.5 / cap)
    cap_pixels = round(cap * scale)
    scale = cap_pixels / cap
    baseline = round((size + cap_pixels) / 2)
    left = (size - width_units * scale) / 2
    letters = coverage(place(contours, left, baseline, scale, SLANT), size)
    offset = size / 32.0
    shadow = coverage(place(contours, left + offset, baseline + offset, scale, SLANT), size)
    return letters, shadow


def _pixel_letters(size, face):
    """The hand-set word centred in the square, leaned by whole-row shifts."""
    word = word_rows(face)
    cap = len(word)
    lean_rows = face["lean_rows"]
    lean = (cap - 1) // lean_rows
    width = len(word[0]) + lean
    top = (size - cap) // 2
    left = (size - width + 1) // 2
    letters = [[0.0] * size for _ in range(size)]
    for row, cells in enumerate(word):
        shift = (cap - 1 - row) // lean_rows
        for column, value in enumerate(cells):
            letters[top + row][left + shift + column] = value
    return letters, _shifted(letters, 1, 1)


def render(size):
    square = coverage([rounded_square(0.0, 0.0, float(size), size * CORNER)], size)
    if size in FACES:
        letters, shadow = _pixel_letters(size, FACES[size])
    else:
        letters, shadow = _scaled_letters(size)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            ground = _mix(TOP_LEFT, BOTTOM_RIGHT, (x + y + 1) / (2.0 * size))
            ground = _mix(ground, SHADOW, 0.45 * shadow[y][x])
            r, g, b = _mix(ground, WHITE, letters[y][x])
            row.append((r, g, b, square[y][x]))
        rows.append(row)
    return rows
