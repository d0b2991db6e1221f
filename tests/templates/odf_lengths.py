"""Lengths as OpenDocument writes them ("1.2cm", "14pt", ...), read in twips."""

TWIPS_PER_UNIT = {"in": 1440.0, "cm": 1440 / 2.54, "mm": 144 / 2.54, "pt": 20.0, "pc": 240.0}


def twips(length):
    for unit, factor in TWIPS_PER_UNIT.items():
        if length.endswith(unit):
            return float(length[: -len(unit)]) * factor
    raise ValueError(f"unknown length {length!r}")
