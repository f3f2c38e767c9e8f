"""Checks that every test and row that docs/behaviours.md names exists.

A reference is written in backticks: `tests/core/core_test.cpp Calculation.GivesTheWorkedCaptions`
names a GoogleTest test (TEST or TEST_F), `tests/exe/test_quenlow_exe.py Manifest.test_name` a
unittest method, and a quoted row after it, `... Program.Calculating "row name"`, a row of that
test's table, which must stand in the file as a string literal. Any other name (a CTest test, a
function of a script) must stand in the file as it is.
"""

import os
import re
import sys

REFERENCE = re.compile(r'`((?:tests|tools)/[^` ]+) ([\w.]+)(?: "([^"`]+)")?`')


def missing(root, path, name, row):
    try:
        with open(os.path.join(root, path), encoding="utf-8") as source:
            text = source.read()
    except OSError:
        return f"{path}: no such file"
    suite, _, test = name.partition(".")
    if path.endswith(".cpp") and test:
        found = re.search(rf"TEST(_F|_P)?\(\s*{suite},\s*{test}\s*\)", text)
    elif path.endswith(".py") and test:
        found = re.search(rf"class {suite}\b", text) and re.search(rf"def {test}\b", text)
    else:
        found = name in text
    if not found:
        return f"{path}: no test {name}"
    if row and f'"{row}"' not in text:
        return f'{path}: {name} has no row "{row}"'
    return None


def main():
    root = os.path.normpath(os.path.join(os.path.dirname(__file__), "..", ".."))
    with open(os.path.join(root, "docs", "behaviours.md"), encoding="utf-8") as doc:
        references = REFERENCE.findall(doc.read())
    problems = [p for p in (missing(root, *r) for r in references) if p]
    for problem in problems:
        print(f"docs/behaviours.md names what does not exist: {problem}")
    print(f"docs/behaviours.md: {len(references)} references, {len(problems)} missing")
    return 1 if problems or not references else 0


if __name__ == "__main__":
    sys.exit(main())
