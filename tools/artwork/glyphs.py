"""The letters B, M and I of the program icon as outlines.

A face is a set of measures: the cap height, stem and bar thicknesses, letter widths and gaps,
all in one unit. DESIGN is the master drawing (cap height 100) that the 64, 48 and 32 pixel
icons scale; the smaller ones are set by hand in pixel_letters.py. Coordinates are y up from the
baseline and x from the word's left edge; outer contours run one way and counters the other, so
a non-zero fill cuts the counters out. The letters are a heavy, slightly condensed sans serif.
"""

from shapes import superellipse_arc

# Squarer than an ellipse: bold grotesque bowls, which also keep their counters open when small.
BOWL_EXPONENT = 2.6

DESIGN = {
    "cap": 100.0, "gap": 7.0,
    "b_stem": 25.0, "b_bar": 19.0, "b_waist": 54.0, "b_width": 62.0, "b_top_width": 57.0,
    "b_side": 21.0, "b_join": 30.0,
    "m_stem": 23.0, "m_width": 84.0, "m_shoulder": 7.0, "m_notch": 40.0, "m_vee": 12.0,
    "m_inner_top": 62.0, "m_vee_half": 7.0,
    "i_stem": 25.0,
}


def _b(f):
    cap, stem, bar, waist = f["cap"], f["b_stem"], f["b_bar"], f["b_waist"]
    width, top_width, side, join = f["b_width"], f["b_top_width"], f["b_side"], f["b_join"]
    upper_mid = (cap + waist) / 2
    outer = [(0.0, 0.0), (0.0, cap)]
    outer += superellipse_arc(join, upper_mid, top_width - join, cap - upper_mid, 90, -90,
                              BOWL_EXPONENT)
    outer += superellipse_arc(join, waist / 2, width - join, waist / 2, 90, -90, BOWL_EXPONENT)

    def counter(top, bottom, right):
        points = [(stem, bottom), (stem, top)]
        points += superellipse_arc(join, (top + bottom) / 2, right - side - join,
                                   (top - bottom) / 2, 90, -90, BOWL_EXPONENT)
        return list(reversed(points))

    upper = counter(cap - bar, waist + bar / 2, top_width)
    lower = counter(waist - bar / 2, bar, width)
    return [outer, upper, lower], width


def _m(f):
    cap, stem, width, shoulder = f["cap"], f["m_stem"], f["m_width"], f["m_shoulder"]
    mid, vee, half = width / 2, f["m_vee"], f["m_vee_half"]
    outline = [
        (0.0, 0.0), (0.0, cap), (stem + shoulder, cap), (mid, f["m_notch"]),
        (width - stem - shoulder, cap), (width, cap), (width, 0.0), (width - stem, 0.0),
        (width - stem, f["m_inner_top"]), (mid + half, vee), (mid - half, vee),
        (stem, f["m_inner_top"]), (stem, 0.0),
    ]
    return [outline], width


def _i(f):
    stem = f["i_stem"]
    return [[(0.0, 0.0), (0.0, f["cap"]), (stem, f["cap"]), (stem, 0.0)]], stem


def bmi_outlines(face):
    """The word as contours in the face's units, and its width without any slant."""
    contours = []
    pen = 0.0
    for shapes, width in (_b(face), _m(face), _i(face)):
        contours += [[(x + pen, y) for x, y in shape] for shape in shapes]
        pen += width + face["gap"]
    return contours, pen - face["gap"]
