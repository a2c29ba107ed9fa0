#!/usr/bin/env python3
"""Refreshes the program's translation files from the sources, or checks them.

    translations.py update --lupdate LUPDATE --include DIR --ts ZH.ts --plurals EN.ts SOURCE...
    translations.py check  (the same arguments)

ZH.ts holds the Chinese text of every text of the program; EN.ts holds only the English plural
forms of the texts with %n ("1 channel", "3 channels"). `update` runs lupdate over the sources
into both files (the build's `update_translations` target does this). `check` runs the same
lupdate into temporary copies, leaves the committed files alone, and fails naming every text
that is new in the sources, gone from them, unfinished or without a translation.
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

COMMON_OPTIONS = ["-silent", "-locations", "none", "-no-obsolete"]


def run_lupdate(args, ts, plurals_only):
    command = [args.lupdate, *COMMON_OPTIONS]
    if plurals_only:
        command += ["-pluralonly", "-target-language", "en"]
    command += ["-I", args.include, *args.sources, "-ts", ts]
    subprocess.run(command, check=True)


def messages(path):
    """(context, source) -> list of translation texts (one per plural form), None if unfinished."""
    found = {}
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            translation = message.find("translation")
            forms = translation.findall("numerusform")
            texts = [f.text or "" for f in forms] if forms else [translation.text or ""]
            unfinished = translation.get("type") in ("unfinished", "vanished", "obsolete")
            found[(name, message.findtext("source"))] = None if unfinished else texts
    return found


def problems(committed, updated, plural_forms):
    """The lines of the report for one file: empty when the file is complete and up to date."""
    before, after = messages(committed), messages(updated)
    lines = []
    for key in sorted(after.keys() - before.keys()):
        lines.append("new in the sources, not in the file: %s: %r" % key)
    for key in sorted(before.keys() - after.keys()):
        lines.append("in the file, gone from the sources: %s: %r" % key)
    for key, texts in sorted(after.items()):
        if key not in before:
            continue
        if texts is None:
            lines.append("unfinished: %s: %r" % key)
        elif any(not t.strip() for t in texts):
            lines.append("empty translation: %s: %r" % key)
        elif plural_forms and len(texts) != plural_forms:
            lines.append("%d plural forms, not %d: %s: %r" % (len(texts), plural_forms, *key))
    if not lines:
        with open(committed, "rb") as a, open(updated, "rb") as b:
            if a.read() != b.read():
                lines.append("the file is not as the update writes it (order or layout)")
    return lines


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("mode", choices=["update", "check"])
    parser.add_argument("--lupdate", required=True)
    parser.add_argument("--include", required=True)
    parser.add_argument("--ts", required=True)
    parser.add_argument("--plurals", required=True)
    parser.add_argument("sources", nargs="+")
    args = parser.parse_args()
    files = [(args.ts, False, 0), (args.plurals, True, 2)]  # English has two plural forms

    if args.mode == "update":
        for ts, plurals_only, _ in files:
            run_lupdate(args, ts, plurals_only)
        return 0

    report = []
    with tempfile.TemporaryDirectory() as temp:
        for ts, plurals_only, forms in files:
            copy = os.path.join(temp, os.path.basename(ts))
            shutil.copyfile(ts, copy)
            run_lupdate(args, copy, plurals_only)
            report += ["%s: %s" % (os.path.basename(ts), line)
                       for line in problems(ts, copy, forms)]
    if report:
        print("The translations do not match the program's texts:", *report, sep="\n  ")
        print("Run `cmake --build build --target update_translations`, then fill in the texts "
              "(scripts/ts_fill.py).")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
