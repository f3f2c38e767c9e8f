#!/usr/bin/env python3
"""Writes the corpus texts whose rounding turns on digits far beyond the seventeenth.

In each precision: the midpoint between two neighbouring values, written out in full, and the
same text just above it (many zeros and a final 1 added) and just below it (one unit taken from
the last of many digits). The neighbours are the two largest subnormals for doubles (a tie goes
down to the even one) and the largest subnormal and the least normal for singles (a tie goes up),
whose midpoints have decimal forms as long as any: 768 and 113 significant digits. Run from
anywhere; the files go to tests/fuzz/corpus/.
"""
import struct
from fractions import Fraction
from pathlib import Path

PADDING = 1000  # digits added after the midpoint's: far past any number kept before rounding


def value(bits, real, integer):
    return Fraction(struct.unpack(real, struct.pack(integer, bits))[0])


def text(digits, exponent):
    """digits × 10^exponent in scientific form."""
    digits = str(digits)
    return f"{digits[0]}.{digits[1:]}e{exponent + len(digits) - 1}"


corpus = Path(__file__).resolve().parent.parent / "tests" / "fuzz" / "corpus"
for name, real, integer, lower in (
    ("double", "<d", "<Q", 0x000F_FFFF_FFFF_FFFE),
    ("single", "<f", "<I", 0x007F_FFFF),
):
    midpoint = (value(lower, real, integer) + value(lower + 1, real, integer)) / 2
    places = midpoint.denominator.bit_length() - 1  # a power of two: so many decimals, exactly
    digits = midpoint.numerator * 5**places
    assert Fraction(digits, 10**places) == midpoint
    texts = {
        "midpoint-in-full": text(digits, -places),
        "just-above-midpoint": text(digits * 10**PADDING + 1, -places - PADDING),
        "just-below-midpoint": text(digits * 10**PADDING - 1, -places - PADDING),
    }
    for case, number in texts.items():
        # The first byte picks the point as the decimal separator.
        (corpus / f"text-to-number-{name}-{case}").write_bytes(b"\0" + number.encode())
