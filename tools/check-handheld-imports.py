#!/usr/bin/env python3
"""Fails, naming each function, when the item's own object files (or the kit's) import a function the handheld does
not offer.

usage: check-handheld-imports.py --nm NM --api-list FILE [--import-lib LIB ...] [--mapped NAME ...]
                                 OBJECT_OR_ARCHIVE ...

An import is a function the objects take from a system DLL: every `__imp_` reference (a call through a
dllimport declaration), and every plain reference to a C function that one of the import libraries given
with --import-lib provides from a DLL (the C runtime's wcslen and memcpy are called that way). C++ runtime
symbols are not imports: that runtime is linked in statically. Objects in a platform/ folder are skipped:
they are where the desktop is mapped. Names are compared without the i686 decoration (_Name@8 -> Name).
A --mapped name is the desktop side of a call that the source maps under UNDER_CE itself (the messenger kit, a
header with no platform/ folder behind it): it is accepted, and named as mapped.
"""
import argparse
import re
import subprocess
import sys
from pathlib import Path


def fail(message, code=2):
    print(f"check-handheld-imports: {message}", file=sys.stderr)
    sys.exit(code)


def read_api_list(path):
    if not path.is_file():
        fail(f"the handheld API list {path} is missing (the project keeps it as platform/handheld-api.txt)")
    names = set()
    for line in path.read_text(encoding="utf-8").splitlines():
        line = line.strip()
        if line and not line.startswith("#"):
            names.add(line)
    if not names:
        fail(f"the handheld API list {path} names no function")
    return names


def symbols(nm, paths):
    """(file, kind, symbol) for every symbol of the files; file is 'archive:member' for archive members."""
    result = subprocess.run([nm, "-A", *map(str, paths)], capture_output=True, text=True)
    if result.returncode != 0:
        fail(f"{nm} failed:\n{result.stderr}")
    for line in result.stdout.splitlines():
        # path:[member:]  [address] kind symbol
        match = re.match(r"^(.*?):\s*(?:[0-9a-fA-F]+\s+)?([A-Za-z?])\s+(\S+)$", line)
        if match:
            yield match.group(1), match.group(2), match.group(3)


def source_relative(path):
    """CMake keeps objects as <target>.dir/<folder>/<file>.obj: the part after .dir/ names the source folder."""
    text = str(path).replace("\\", "/")
    return text.rsplit(".dir/", 1)[1] if ".dir/" in text else text.rsplit("/", 1)[-1]


def plain_name(symbol):
    """_Name@8 -> Name: the i686 leading underscore and the stdcall argument size go."""
    name = symbol[1:] if symbol.startswith("_") else symbol
    return re.sub(r"@\d+$", "", name)


def dll_provided(nm, import_libs):
    """The linker symbols that the import libraries resolve to a DLL (each has an __imp_ twin)."""
    provided = set()
    for _, kind, symbol in symbols(nm, import_libs):
        if symbol.startswith("__imp_") and kind != "U":
            provided.add(symbol[len("__imp_"):])
    return provided


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--nm", required=True)
    parser.add_argument("--api-list", required=True, type=Path)
    parser.add_argument("--import-lib", action="append", default=[], type=Path)
    parser.add_argument("--mapped", action="append", default=[])
    parser.add_argument("files", nargs="*", type=Path)
    args = parser.parse_args()

    offered = read_api_list(args.api_list)
    # Compiled resources (.res) carry no symbols.
    files = [f for f in args.files
             if f.suffix in (".obj", ".o", ".a") and not source_relative(f).startswith("platform/")]
    if not files:
        fail("no object files or archives were given")
    for f in files:
        if not f.is_file():
            fail(f"{f} does not exist; build it first")

    defined = set()
    references = []  # (file, symbol)
    for path, kind, symbol in symbols(args.nm, files):
        if kind == "U":
            references.append((path, symbol))
        else:
            defined.add(symbol)
    runtime = dll_provided(args.nm, args.import_lib) if args.import_lib else set()

    users = {}  # function -> the files that import it
    for path, symbol in references:
        if symbol.startswith("__imp_"):
            name = plain_name(symbol[len("__imp_"):])
        elif symbol in runtime and symbol not in defined:
            name = plain_name(symbol)
        else:
            continue
        users.setdefault(name, set()).add(source_relative(path))
    if not users:
        fail("the objects import nothing at all, which cannot be right: were the right files given?")

    mapped = set(args.mapped)
    missing = sorted(name for name in users if name not in offered and name not in mapped)
    for name in sorted(users):
        mark = "NOT OFFERED" if name in missing else "mapped" if name in mapped and name not in offered else "ok"
        print(f"{mark:12} {name:28} {', '.join(sorted(users[name]))}")
    if missing:
        sys.stdout.flush()
        print(f"\nThese objects import {len(missing)} function(s) that the handheld does not offer "
              f"(not in {args.api_list}): {', '.join(missing)}.\nPut each call behind platform/, or have the "
              "function checked against the handheld SDK and added to the list.", file=sys.stderr)
        sys.exit(1)
    print(f"\nAll {len(users)} functions that these objects import are offered by the handheld.")


if __name__ == "__main__":
    main()
