"""Outline building blocks: rounded squares, squarish arcs and the italic slant."""

import math


def superellipse_arc(cx, cy, rx, ry, start_deg, end_deg, exponent=2.0, steps=24):
    """Points along a superellipse quadrant run; exponent 2 is an ellipse, higher is squarer.

    Angles are counted anticlockwise from the positive x axis with y pointing up, the way the
    glyphs are designed.
    """
    points = []
    for step in range(steps + 1):
        angle = math.radians(start_deg + (end_deg - start_deg) * step / steps)
        c, s = math.cos(angle), math.sin(angle)
        x = cx + rx * math.copysign(abs(c) ** (2.0 / exponent), c)
        y = cy + ry * math.copysign(abs(s) ** (2.0 / exponent), s)
        points.append((x, y))
    return points


def rounded_square(left, top, size, radius, steps=16):
    """A square with circular corners, in pixel coordinates (y down), drawn clockwise."""
    right, bottom = left + size, top + size
    corners = [
        (right - radius, top + radius, -90),
        (right - radius, bottom - radius, 0),
        (left + radius, bottom - radius, 90),
        (left + radius, top + radius, 180),
    ]
    points = []
    for cx, cy, start in corners:
        for step in range(steps + 1):
            angle = math.radians(start + 90 * step / steps)
            points.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    return points


def place(contours, origin_x, baseline_y, scale, slant):
    """Maps design units (y up from the baseline) to pixels, leaning the letters by slant."""
    return [
        [(origin_x + scale * (x + slant * y), baseline_y - scale * y) for x, y in contour]
        for contour in contours
    ]
