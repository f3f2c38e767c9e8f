"""Reduction of an RGB image to a palette by median cut, deterministic to the bit."""


def _channel_range(colours, channel):
    values = [colour[channel] for colour, _ in colours]
    return max(values) - min(values)


def median_cut(histogram, limit):
    """histogram: {(r, g, b): count}. Returns at most limit colours, sorted."""
    if len(histogram) <= limit:
        return sorted(histogram)
    boxes = [sorted(histogram.items())]
    while len(boxes) < limit:
        splittable = [box for box in boxes if len(box) > 1]
        if not splittable:
            break
        # Split the box whose widest channel spans most, weighted by how many pixels it holds.
        box = max(splittable, key=lambda b: (
            max(_channel_range(b, c) for c in range(3)) * sum(n for _, n in b), b[0][0]))
        channel = max(range(3), key=lambda c: (_channel_range(box, c), -c))
        ordered = sorted(box, key=lambda item: (item[0][channel], item[0]))
        total = sum(n for _, n in ordered)
        running, cut = 0, 1
        for index, (_, count) in enumerate(ordered[:-1]):
            running += count
            cut = index + 1
            if running * 2 >= total:
                break
        boxes.remove(box)
        boxes += [ordered[:cut], ordered[cut:]]
    palette = set()
    for box in boxes:
        total = sum(n for _, n in box)
        palette.add(tuple(round(sum(c[i] * n for c, n in box) / total) for i in range(3)))
    return sorted(palette)


def nearest(palette, colour):
    """Index of the palette entry closest to colour (squared distance, first on a tie)."""
    return min(range(len(palette)),
               key=lambda i: (sum((a - b) ** 2 for a, b in zip(palette[i], colour)), i))
