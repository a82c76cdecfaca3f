"""The scene documents that the user documentation shows in full, shared by the docs checks."""

import json
import os
import re


def markdown_examples(source_dir):
    """Every ```json block of the docs that holds a whole scene document, as (where, document)."""
    examples = []
    for folder, subfolders, files in os.walk(os.path.join(source_dir, "docs")):
        subfolders.sort()
        for name in sorted(f for f in files if f.endswith(".md")):
            path = os.path.join(folder, name)
            with open(path, encoding="utf-8") as f:
                text = f.read()
            for block in re.finditer(r"```json\n(.*?)```", text, re.DOTALL):
                try:
                    document = json.loads(block.group(1))
                except ValueError:
                    continue  # a fragment, not a document
                if isinstance(document, dict) and "pellucidScene" in document:
                    line = text.count("\n", 0, block.start()) + 1
                    examples.append((f"{os.path.relpath(path, source_dir)}:{line}", document))
    return examples
