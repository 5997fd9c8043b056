#!/usr/bin/env python3
"""Every text the window shows has a finished form in each of its translations.

Extracts the texts of the sources afresh with lupdate (the committed .ts files may lag behind
new code) and lists, per translation, each text that is missing, unfinished or empty, and each
form that drops or invents a %1-style place holder. Exit 1 when anything is listed.

    tests/translations/check_translations.py [--lupdate PATH] [--sources DIR]... [TS]...

Without TS, the .ts files of app/translations. To fill in what it lists: run the build's
korven_app_lupdate target (it adds the new texts to every .ts, unfinished), then translate them.
"""
import argparse
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
LANGUAGES = ("en", "zh_CN", "zh_TW")
PLACEHOLDER = re.compile(r"%L?(\d+)")


def messages(path):
    """{(context, source): (translation, finished)} of a .ts file."""
    found = {}
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name") or ""
        for message in context.iter("message"):
            translation = message.find("translation")
            text = translation.text if translation is not None else None
            kind = translation.get("type") if translation is not None else "unfinished"
            finished = kind not in ("unfinished", "vanished", "obsolete")
            found[(name, message.findtext("source") or "")] = (text or "", finished)
    return found


def findlupdate(given):
    for candidate in (given, shutil.which("lupdate"), "/usr/lib/qt6/bin/lupdate",
                      "/usr/lib/x86_64-linux-gnu/qt6/bin/lupdate"):
        if candidate and os.path.isfile(candidate) and os.access(candidate, os.X_OK):
            return candidate
    sys.exit("check_translations: lupdate not found (give --lupdate)")


def extract(lupdate, sources):
    with tempfile.TemporaryDirectory() as folder:
        target = os.path.join(folder, "texts.ts")
        subprocess.run([lupdate, "-silent", "-no-obsolete", "-locations", "none", "-I", ROOT, *sources,
                        "-ts", target], check=True, stdout=subprocess.DEVNULL)
        return messages(target)


def problems(texts, translated):
    for key in sorted(texts):
        context, source = key
        label = "%s: %r" % (context, source)
        if key not in translated:
            yield "missing    " + label
            continue
        text, finished = translated[key]
        if not finished or not text:
            yield "unfinished " + label
        elif set(PLACEHOLDER.findall(text)) != set(PLACEHOLDER.findall(source)):
            yield "holders    %s -> %r" % (label, text)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--lupdate")
    parser.add_argument("--sources", action="append")
    parser.add_argument("ts", nargs="*")
    args = parser.parse_args()
    sources = args.sources or [os.path.join(ROOT, "app")]
    files = args.ts or sorted(glob.glob(os.path.join(ROOT, "app", "translations", "korven_*.ts")))
    texts = extract(findlupdate(args.lupdate), sources)
    failed = False
    have = {os.path.basename(f)[len("korven_"):-len(".ts")] for f in files}
    for language in LANGUAGES:
        if not args.ts and language not in have:
            print("no translation file for %s" % language)
            failed = True
    for path in files:
        listed = list(problems(texts, messages(path)))
        for line in listed:
            print("%s: %s" % (os.path.basename(path), line))
        failed |= bool(listed)
    print("%d texts, %d translations: %s" % (len(texts), len(files),
                                             "incomplete" if failed else "complete"))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
