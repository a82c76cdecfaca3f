#!/usr/bin/env python3
"""Checks docs/scene-document.schema.json against the scene-document reader of `pellucid`.

The schema is what editors use to complete and check documents as users type, so it must accept
every document the reader accepts, and what it refuses the reader must refuse too:

  documents  every scene document in the repository and every complete example in the docs
             validates; the examples also load with `pellucid info`.
  cases      the curated documents of schema_cases.json: each refused one fails validation and
             `pellucid info` refuses it (exit code 2) with the message the case expects; each
             accepted one (edges of what the reader takes) validates and loads.
  mutations  in every repository document, an unknown field added to any object, or any value
             replaced by one of the wrong kind, fails validation, and `pellucid info` refuses it
             at that very JSON location.

Usage: check_scene_schema.py CASE SOURCE_DIR PELLUCID SCRATCH_DIR
"""

import json
import os
import re
import shutil
import subprocess
import sys

from doc_examples import markdown_examples

try:
    import jsonschema
except ImportError:
    sys.exit("the scene schema tests need Python's jsonschema module (Debian: python3-jsonschema)")

SKIPPED_FOLDERS = {".git", "build", "node_modules"}
# A node tree nests as deep as its longest chain (the bone benchmarks write 256 levels), and the
# validator descends a few Python frames per level.
sys.setrecursionlimit(20000)
# The reader's refusal: "pellucid: FILE: WHERE: WHAT" with WHERE a JSON pointer.
REFUSAL = re.compile(r"^pellucid: .*?\.pscene\.json: (/[^:]*): (.*)$", re.MULTILINE)


class Results:
    def __init__(self):
        self.passed = 0
        self.failures = []

    def check(self, condition, what):
        if condition:
            self.passed += 1
        else:
            self.failures.append(what)

    def finish(self):
        for failure in self.failures:
            print("FAILED: " + failure)
        print(f"{self.passed} passed, {len(self.failures)} failed")
        return 1 if self.failures else 0


def load_validator(source_dir):
    with open(os.path.join(source_dir, "docs", "scene-document.schema.json"), encoding="utf-8") as f:
        schema = json.load(f)
    jsonschema.Draft7Validator.check_schema(schema)
    return jsonschema.Draft7Validator(schema)


def repository_documents(source_dir):
    paths = []
    for folder, subfolders, files in os.walk(source_dir):
        subfolders[:] = sorted(s for s in subfolders if s not in SKIPPED_FOLDERS)
        paths += [os.path.join(folder, f) for f in sorted(files) if f.endswith(".pscene.json")]
    return paths


def first_error(validator, document):
    error = jsonschema.exceptions.best_match(validator.iter_errors(document))
    if error is None:
        return None
    return f"{pointer(list(error.absolute_path)) or '/'}: {error.message[:200]}"


def pointer(parts):
    return "".join("/" + str(p).replace("~", "~0").replace("/", "~1") for p in parts)


def run_info(pellucid, path):
    result = subprocess.run([pellucid, "info", path], capture_output=True, text=True, timeout=60)
    return result.returncode, result.stderr


def run_info_on(pellucid, folder, name, document):
    """`pellucid info` on `document` saved in `folder` as NAME.pscene.json."""
    path = os.path.join(folder, name + ".pscene.json")
    with open(path, "w", encoding="utf-8") as f:
        json.dump(document, f)
    return run_info(pellucid, path)


def mirror_folder(document_path, scratch):
    """A scratch folder in which a document's side files and images are found without leaving it:
    the entries of the document's folder and of its parent folder are linked in (see local_paths)."""
    folder = os.path.dirname(os.path.abspath(document_path))
    mirror = os.path.join(scratch, "mirror")
    shutil.rmtree(mirror, ignore_errors=True)
    os.makedirs(mirror)
    for source in (os.path.dirname(folder), folder):
        for entry in os.listdir(source):
            target = os.path.join(mirror, entry)
            if entry.endswith(".pscene.json") or os.path.join(source, entry) == folder:
                continue
            if os.path.lexists(target):
                os.remove(target)
            os.symlink(os.path.join(source, entry), target)
    return mirror


def local_paths(value):
    """The document with image and side-file paths that climb one folder ("../images/a.png")
    made local ("images/a.png"), as they are found in a mirror folder; the reader refuses paths
    that leave the document's folder."""
    if isinstance(value, dict):
        return {key: (item[3:] if key in ("image", "file") and isinstance(item, str)
                      and item.startswith("../") else local_paths(item))
                for key, item in value.items()}
    if isinstance(value, list):
        return [local_paths(item) for item in value]
    return value


def check_documents(source_dir, pellucid, scratch, results):
    validator = load_validator(source_dir)
    documents = repository_documents(source_dir)
    results.check(len(documents) >= 10, f"only {len(documents)} scene documents found")
    for path in documents:
        with open(path, encoding="utf-8") as f:
            error = first_error(validator, json.load(f))
        results.check(error is None, f"{os.path.relpath(path, source_dir)} does not validate: {error}")

    examples = markdown_examples(source_dir)
    results.check(len(examples) >= 1, "no complete scene document found in the docs")
    os.makedirs(scratch, exist_ok=True)
    for where, document in examples:
        error = first_error(validator, document)
        results.check(error is None, f"the example at {where} does not validate: {error}")
        code, stderr = run_info_on(pellucid, scratch, "example", document)
        results.check(code == 0, f"the example at {where} is refused by the reader: {stderr.strip()}")


def check_cases(source_dir, pellucid, scratch, results):
    validator = load_validator(source_dir)
    with open(os.path.join(os.path.dirname(__file__), "schema_cases.json"), encoding="utf-8") as f:
        cases = json.load(f)
    os.makedirs(scratch, exist_ok=True)
    for number, case in enumerate(cases["refused"]):
        name = case["case"]
        results.check(first_error(validator, case["document"]) is not None,
                      f"{name}: the schema accepts the document")
        code, stderr = run_info_on(pellucid, scratch, f"refused-{number}", case["document"])
        results.check(code == 2 and case["reader"] in stderr,
                      f"{name}: expected exit 2 and \"{case['reader']}\", got {code}: {stderr.strip()}")
    for number, case in enumerate(cases["accepted"]):
        name = case["case"]
        error = first_error(validator, case["document"])
        results.check(error is None, f"{name}: the schema refuses the document: {error}")
        code, stderr = run_info_on(pellucid, scratch, f"accepted-{number}", case["document"])
        results.check(code == 0, f"{name}: the reader refuses the document: {stderr.strip()}")


def mutations(value, parts):
    """((kind, path), replacement) for every object below `value` (an added unknown field) and
    every leaf (a value of another kind: a string for a number or a boolean, true for a string).
    Nulls stay: where null is allowed, any reference id is allowed too."""
    if isinstance(value, dict):
        yield ("field", parts), dict(value, colour=1)
        for key, item in value.items():
            yield from mutations(item, parts + [key])
    elif isinstance(value, list):
        for index, item in enumerate(value):
            yield from mutations(item, parts + [index])
    elif isinstance(value, (bool, int, float)):
        yield ("kind", parts), "x"
    elif isinstance(value, str):
        yield ("kind", parts), True


def replace(document, parts, value):
    if not parts:
        return value
    copy = list(document) if isinstance(document, list) else dict(document)
    copy[parts[0]] = replace(document[parts[0]], parts[1:], value)
    return copy


def shape(parts):
    """The place of a value with array positions left out and child nodes taken as nodes, so that
    each kind of place is tried once."""
    generic = []
    for p in parts:
        generic.append("#" if isinstance(p, int) else p)
        if generic[-3:] == ["#", "children", "#"]:
            del generic[-2:]
    return tuple(generic)


def check_mutations(source_dir, pellucid, scratch, results):
    validator = load_validator(source_dir)
    tried = set()
    for path in repository_documents(source_dir):
        with open(path, encoding="utf-8") as f:
            document = local_paths(json.load(f))
        mirror = None
        for (kind, parts), replacement in mutations(document, []):
            if (kind, shape(parts)) in tried:
                continue
            tried.add((kind, shape(parts)))
            mutated = replace(document, parts, replacement)
            where = pointer(parts + (["colour"] if kind == "field" else []))
            what = "an unknown field" if kind == "field" else "a value of the wrong kind"
            label = f"{os.path.relpath(path, source_dir)} with {what} at {where}"
            results.check(first_error(validator, mutated) is not None,
                          f"{label}: the schema accepts it")
            mirror = mirror or mirror_folder(path, scratch)
            code, stderr = run_info_on(pellucid, mirror, "mutated", mutated)
            refusal = REFUSAL.search(stderr)
            results.check(code == 2 and refusal is not None and refusal.group(1) == where,
                          f"{label}: expected the reader to refuse it there, got {code}: "
                          f"{stderr.strip()}")
    results.check(len(tried) >= 200, f"only {len(tried)} places were tried")


CASES = {"documents": check_documents, "cases": check_cases, "mutations": check_mutations}


def main():
    if len(sys.argv) != 5 or sys.argv[1] not in CASES:
        sys.exit(__doc__)
    case, source_dir, pellucid, scratch = sys.argv[1:]
    results = Results()
    CASES[case](source_dir, pellucid, os.path.join(scratch, case), results)
    return results.finish()


if __name__ == "__main__":
    sys.exit(main())
