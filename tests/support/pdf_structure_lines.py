#!/usr/bin/python3
"""Prints the bookmarks and link annotations of a PDF as qpdf reads them, one per line:

  bookmark DEPTH PAGE TOP TITLE          (PAGE 1-based, 0 without a destination)
  link PAGE LEFT BOTTOM RIGHT TOP uri URI
  link PAGE LEFT BOTTOM RIGHT TOP dest PAGE TOP

Coordinates are PDF points as written (origin at the bottom left). Usage: FILE.pdf
"""
import json
import subprocess
import sys


def main(path):
    data = json.loads(subprocess.run(
        ["qpdf", "--json", "--json-key=outlines", "--json-key=pages", "--json-key=qpdf", path],
        check=True, capture_output=True).stdout)
    objects = data["qpdf"][1]
    page_of = {p["object"]: p["pageposfrom1"] for p in data["pages"]}

    def value(ref):
        return objects["obj:" + ref]["value"] if isinstance(ref, str) and ref.endswith(" R") else ref

    def walk(items, depth):
        for item in items:
            dest = item.get("dest") or []
            page = page_of.get(dest[0], 0) if dest else 0
            top = dest[3] if len(dest) > 3 else 0
            print("bookmark", depth, page, top, item["title"])
            walk(item["kids"], depth + 1)

    walk(data["outlines"], 0)
    for page in data["pages"]:
        annots = value(value(page["object"]).get("/Annots", []))
        for ref in annots:
            annot = value(ref)
            rect = " ".join("%g" % v for v in annot["/Rect"])
            if "/Dest" in annot:
                dest = value(annot["/Dest"])
                print("link", page["pageposfrom1"], rect, "dest", page_of.get(dest[0], 0), dest[3])
            else:
                action = value(annot["/A"])
                print("link", page["pageposfrom1"], rect, "uri", action["/URI"][2:] if action["/URI"].startswith("u:") else action["/URI"])


if __name__ == "__main__":
    main(sys.argv[1])
