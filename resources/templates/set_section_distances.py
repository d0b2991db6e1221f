#!/usr/bin/env python3
"""Sets the header and footer distances (twips) of a one-section Word 97-2003 file in place.

LibreOffice writes these two section properties only for pages that have a header or footer;
the templates have none but still carry the distances Word shows for a new header or footer.
usage: set_section_distances.py FILE.doc HEADER_DISTANCE FOOTER_DISTANCE
"""

import sys

import word97


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__.strip().splitlines()[-1])
    path, header, footer = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    with open(path, "rb") as file:
        document = word97.CompoundFile(file.read())
    word97.set_section_distances(document, header, footer)
    with open(path, "wb") as file:
        file.write(document.data)


if __name__ == "__main__":
    main()
