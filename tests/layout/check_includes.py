#!/usr/bin/env python3
"""Fails when an #include breaks the layering of the source tree below the given root.

The core's layers may include only themselves and the layers below them
(base < generate < word < app) and nothing outside the C++ standard library (zlib aside, for
the .docx container in core/word). The edges (office/, system/, paint/) never include ui/
nor each other, but for the office edges' and the painters' use of system/'s helpers; the two
office edges never include each other, nor do the two painters.
"""

import pathlib
import re
import sys

LAYERS = ["base", "generate", "word", "app"]
STANDARD_HEADERS = set("""
algorithm any array atomic bit bitset cassert cctype cerrno cfloat charconv chrono cinttypes
climits clocale cmath compare complex concepts condition_variable cstddef cstdint cstdio
cstdlib cstring ctime cwchar cwctype deque exception execution filesystem format fstream
functional future initializer_list iomanip ios iosfwd iostream istream iterator limits list
locale map memory memory_resource mutex new numbers numeric optional ostream queue random
ranges ratio regex scoped_allocator set shared_mutex source_location span sstream stack
stdexcept stop_token streambuf string string_view system_error thread tuple type_traits
typeindex typeinfo unordered_map unordered_set utility valarray variant vector version
""".split())
ZLIB_HEADERS = {"zlib.h"}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def violations(root: pathlib.Path, folder: str):
    for path in sorted((root / folder).rglob("*")):
        if path.suffix not in (".cpp", ".hpp", ".h") or not path.is_file():
            continue
        parts = path.relative_to(root).parts
        for match in INCLUDE.finditer(path.read_text(encoding="utf-8")):
            quoted, name = match.group(1) == '"', match.group(2)
            reason = check(parts, quoted, name)
            if reason:
                closing = '"' if quoted else ">"
                yield f"{path.relative_to(root)}: #include {match.group(1)}{name}{closing}: {reason}"


def check(parts, quoted, name):
    top = parts[0]
    if top == "core" and len(parts) > 2:
        layer = LAYERS.index(parts[1]) if parts[1] in LAYERS else None
        if not quoted:
            if name in STANDARD_HEADERS or (parts[1] == "word" and name in ZLIB_HEADERS):
                return None
            return "the core includes only the C++ standard library"
        target = name.split("/")
        if target[0] != "core" or len(target) < 3 or target[1] not in LAYERS:
            return "the core includes nothing outside core/"
        if layer is None or LAYERS.index(target[1]) > layer:
            return f"core/{parts[1]} may not include a higher layer"
        return None
    if top in ("office", "system", "paint") and quoted and name.startswith("ui/"):
        return f"{top}/ never includes ui/"
    edges = ("office/", "system/", "paint/")
    if top in ("office", "system", "paint") and quoted and name.startswith(edges) and not name.startswith(top + "/"):
        if not (top in ("office", "paint") and name.startswith("system/")):
            return "the edges never include each other"
    if top == "office" and quoted and len(parts) > 2:
        other = {"uno": "office/com/", "com": "office/uno/"}.get(parts[1])
        if other and name.startswith(other):
            return "the office edges never include each other"
    if top == "paint" and quoted and len(parts) > 2:
        other = {"qt": "paint/win32/", "win32": "paint/qt/"}.get(parts[1])
        if other and name.startswith(other):
            return "the painters never include each other"
    return None


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    folders = [folder for folder in ("core", "ui", "office", "system", "paint") if (root / folder).is_dir()]
    found = [line for folder in folders for line in violations(root, folder)]
    for line in found:
        print(line)
    if not folders:
        print(f"no source folders under {root}")
        return 1
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
