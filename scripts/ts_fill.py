#!/usr/bin/env python3
"""Fills translations into a Qt Linguist .ts file, or lists what is still untranslated.

    scripts/ts_fill.py FILE.ts PAIRS.tsv   set translations: lines "Context<TAB>source<TAB>text";
                                           a text with %n may give one text per plural form,
                                           each after a TAB (English: singular<TAB>plural)
    scripts/ts_fill.py FILE.ts --missing    list untranslated messages; exit 1 when there are any

Run `cmake --build build --target update_translations` first, so that the .ts file holds every
text of the sources.
"""
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ET


def load(path):
    tree = ET.parse(path)
    return tree, tree.getroot()


def messages(root):
    for context in root.iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            yield name, message


def save(tree, path):
    body = ET.tostring(tree.getroot(), encoding="unicode")
    with open(path, "w", encoding="utf-8") as f:
        f.write('<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n')
        f.write(body + "\n")
    # Back to the layout the Qt tools write, so that they and this script agree line by line.
    lconvert = shutil.which("lconvert") or "/usr/lib/qt6/bin/lconvert"
    subprocess.run([lconvert, "-locations", "none", "-i", path, "-o", path], check=True)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    path, arg = sys.argv[1], sys.argv[2]
    tree, root = load(path)
    if arg == "--missing":
        missing = [(c, m.findtext("source")) for c, m in messages(root)
                   if m.find("translation").get("type") == "unfinished"
                   or not "".join(m.find("translation").itertext())]
        for context, source in missing:
            print(f"{context}\t{source}")
        sys.exit(1 if missing else 0)
    pairs = {}
    with open(arg, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            context, source, *texts = line.split("\t")
            pairs[(context, source.replace("\\n", "\n"))] = [t.replace("\\n", "\n") for t in texts]
    used = set()
    for context, message in messages(root):
        key = (context, message.findtext("source"))
        if key in pairs:
            translation = message.find("translation")
            forms = translation.findall("numerusform")
            if forms:  # Chinese has one plural form, English two
                for form, text in zip(forms, pairs[key]):
                    form.text = text
            else:
                translation.text = pairs[key][0]
            translation.attrib.pop("type", None)
            used.add(key)
    for key in pairs.keys() - used:
        print("not in the .ts file:", *key, sep="\t", file=sys.stderr)
    save(tree, path)


if __name__ == "__main__":
    main()
