#!/usr/bin/env python3
"""No function in the given folders is longer than 60 lines.

    tests/structure/function_length.py [--limit N] FOLDER...

A function's length runs from the line of its opening brace to the line of its closing brace.
The C++ files are read with a small brace counter: comments, strings and preprocessor lines are
blanked, then every brace at namespace or class level that follows a parameter list (or a
trailing const, noexcept, override, a return type) opens a function body. Prints file:line and
length of each function over the limit; exit code 1 if there is one.
"""
import argparse
import pathlib
import re
import sys

LIMIT = 60
CONTAINER = re.compile(r"^(template\s*<.*>\s*)?(inline\s+)?(namespace|class|struct|union|enum|"
                       r'extern\s+"C")\b', re.S)
AFTER_PARAMETERS = re.compile(r"(\)|\bconst|\bnoexcept|\boverride|\bfinal|\bmutable|"
                              r"->\s*[\w:<>,\s*&]+)\s*$")
INITIALISERS = re.compile(r"\)\s*(noexcept\s*)?:[^:]")
TOKENS = re.compile(r'//[^\n]*|/\*.*?\*/|R"([^(\s]*)\(.*?\)\1"|"(?:\\.|[^"\\\n])*"|'
                    r"'(?:\\.|[^'\\\n])*'|^[ \t]*#(?:\\\n|[^\n])*", re.S | re.M)


def blank(text):
    """The text with comments, literals and preprocessor lines blanked, newlines kept."""
    return TOKENS.sub(lambda m: re.sub(r"[^\n]", " ", m.group(0)), text)


def is_function_body(declaration):
    declaration = declaration.strip()
    if "(" not in declaration or declaration.endswith("=") or CONTAINER.match(declaration):
        return False
    if declaration.endswith("}"):  # a constructor whose initialiser list ends in braces
        return INITIALISERS.search(declaration) is not None
    return AFTER_PARAMETERS.search(declaration) is not None


def functions(text):
    """(first line, last line) of every function body in the blanked text."""
    found = []
    scopes = []  # per open brace: "container", "function" or "other"
    declaration_start = 0
    line = 1
    starts = []
    for index, char in enumerate(text):
        if char == "\n":
            line += 1
        elif char == ";" and all(kind == "container" for kind in scopes):
            declaration_start = index + 1
        elif char == "{":
            inside = all(kind == "container" for kind in scopes)
            declaration = text[declaration_start:index]
            if inside and CONTAINER.match(declaration.strip()):
                scopes.append("container")
            elif inside and is_function_body(declaration):
                scopes.append("function")
            else:
                scopes.append("other")
            starts.append(line)
        elif char == "}" and scopes:
            kind = scopes.pop()
            start = starts.pop()
            if kind == "function":
                found.append((start, line))
            if kind != "other":
                declaration_start = index + 1
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--limit", type=int, default=LIMIT)
    parser.add_argument("folders", nargs="+")
    options = parser.parse_args()
    over = 0
    for folder in options.folders:
        for path in sorted(pathlib.Path(folder).rglob("*")):
            if path.suffix not in (".cpp", ".h"):
                continue
            for first, last in functions(blank(path.read_text(encoding="utf-8"))):
                length = last - first + 1
                if length > options.limit:
                    print(f"{path}:{first}: function of {length} lines (at most {options.limit})")
                    over += 1
    print(f"function length: {over} over {options.limit} lines")
    return 1 if over else 0


if __name__ == "__main__":
    sys.exit(main())
