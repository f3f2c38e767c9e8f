"""Anti-aliased coverage of filled outlines on a square pixel grid.

Outlines are lists of (x, y) points in pixel units, y pointing down, filled by the non-zero
winding rule so that letters may overlap and counters are cut by contours drawn the other way.
Each pixel row is sampled on SUBROWS horizontal lines; along a line the spans are measured
exactly, so vertical edges come out crisp and slanted ones smooth.
"""

SUBROWS = 16


def _crossings(contours, y):
    """The points where the sample line at height y crosses the outline, with their direction."""
    found = []
    for contour in contours:
        count = len(contour)
        for i in range(count):
            x0, y0 = contour[i]
            x1, y1 = contour[(i + 1) % count]
            if y0 == y1:
                continue
            low, high = (y0, y1) if y0 < y1 else (y1, y0)
            if low <= y < high:
                x = x0 + (y - y0) * (x1 - x0) / (y1 - y0)
                found.append((x, 1 if y1 > y0 else -1))
    found.sort()
    return found


def _add_span(row, left, right, weight):
    """Adds weight times the part of each pixel of row that [left, right) covers."""
    size = len(row)
    left = max(left, 0.0)
    right = min(right, float(size))
    if right <= left:
        return
    first, last = int(left), min(int(right), size - 1)
    if first == last:
        row[first] += (right - left) * weight
        return
    row[first] += (first + 1 - left) * weight
    for column in range(first + 1, last):
        row[column] += weight
    row[last] += (right - last) * weight


def coverage(contours, size):
    """A size x size grid of the fraction (0..1) of each pixel that the outline covers."""
    grid = []
    weight = 1.0 / SUBROWS
    for y in range(size):
        row = [0.0] * size
        for sub in range(SUBROWS):
            winding = 0
            span_start = 0.0
            for x, direction in _crossings(contours, y + (sub + 0.5) / SUBROWS):
                if winding == 0:
                    span_start = x
                winding += direction
                if winding == 0:
                    _add_span(row, span_start, x, weight)
        grid.append([min(value, 1.0) for value in row])
    return grid
