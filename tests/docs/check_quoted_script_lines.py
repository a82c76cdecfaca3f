#!/usr/bin/env python3
"""Every script line that the user documentation quotes is one that pellucid really writes.

A quoted line is a line of a fenced or indented block in docs/ that reads like a script call
("Command(...);", with an optional " // Flipped" and an optional "<- note" after it), unless it is
cut short with "..." or "…". Each must occur, byte for byte, in a golden script of the tests or
in the mesh script that `pellucid export mesh` writes for a complete scene document of the docs.

Usage: check_quoted_script_lines.py SOURCE_DIR PELLUCID SCRATCH_DIR
"""

import glob
import json
import os
import re
import subprocess
import sys

from doc_examples import markdown_examples

SCRIPT_LINE = re.compile(r"^(?:\s{4}|\s*)([A-Z][A-Za-z ]*\([^()]*\);(?: // Flipped)?)(?:\s+<-.*)?$")
GOLDEN_SCRIPTS = ("*.mef", "*.bef", "*.zut")


def quoted_lines(source_dir):
    """(where, line) for every script line quoted in the docs' code blocks."""
    quoted = []
    for path in sorted(glob.glob(os.path.join(source_dir, "docs", "**", "*.md"), recursive=True)):
        with open(path, encoding="utf-8") as f:
            lines = f.read().split("\n")
        in_fence = False
        for number, text in enumerate(lines, 1):
            if text.startswith("```"):
                in_fence = not in_fence
                continue
            if not in_fence and not text.startswith("    "):
                continue
            match = SCRIPT_LINE.match(text)
            if match and "..." not in text and "…" not in text:
                where = f"{os.path.relpath(path, source_dir)}:{number}"
                quoted.append((where, match.group(1)))
    return quoted


def golden_lines(source_dir):
    lines = set()
    for pattern in GOLDEN_SCRIPTS:
        for path in glob.glob(os.path.join(source_dir, "tests", "data", "golden", "**", pattern),
                              recursive=True):
            with open(path, "rb") as f:
                lines.update(f.read().decode("latin-1").split("\r\n"))
    return lines


def exported_lines(pellucid, documents, scratch):
    os.makedirs(scratch, exist_ok=True)
    lines = set()
    for number, document in enumerate(documents):
        scene = os.path.join(scratch, f"example-{number}.pscene.json")
        script = os.path.join(scratch, f"example-{number}.mef")
        with open(scene, "w", encoding="utf-8") as f:
            json.dump(document, f)
        subprocess.run([pellucid, "export", "mesh", scene, "-o", script], capture_output=True,
                       timeout=60, check=True)
        with open(script, "rb") as f:
            lines.update(f.read().decode("latin-1").split("\r\n"))
    return lines


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    source_dir, pellucid, scratch = sys.argv[1:]
    known = golden_lines(source_dir) | exported_lines(pellucid, [document for _, document in markdown_examples(source_dir)],
                                                     scratch)
    quoted = quoted_lines(source_dir)
    failures = [f"{where}: {line} is not in any golden script or example export"
                for where, line in quoted if line not in known]
    if len(quoted) < 40:
        failures.append(f"only {len(quoted)} quoted script lines found in the docs")
    for failure in failures:
        print("FAILED: " + failure)
    print(f"{len(quoted) - len(failures)} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
