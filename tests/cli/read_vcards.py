#!/usr/bin/python3
"""Reads a .vcf file with an independent parser (python3-vobject) and prints
one line per card: the formatted name, then each TEL and EMAIL with its types.
Exit status 77 when the parser is not installed."""
import sys

try:
    import vobject
except ImportError:
    sys.exit(77)

with open(sys.argv[1], encoding="utf-8", newline="") as f:
    text = f.read()
for card in vobject.readComponents(text, validate=True):
    values = []
    for name in ("tel", "email"):
        for item in card.contents.get(name, []):
            types = ",".join(item.params.get("TYPE", []))
            values.append(f"{name.upper()}[{types}]={item.value}")
    print(card.fn.value + " | " + " ".join(values))
