#!/usr/bin/env python3
"""The folders of src/ and tools/ include each other only downwards, and never in a circle.

    tests/structure/layers.py [--compile BUILD/compile_commands.json]

Reads every #include "..." of the C++ files, maps each file to its folder and checks that
  - no folder includes a folder of a higher layer (the order is LAYERS below),
  - the card and the backends stay apart: a backend sees the layers up to the platform
    interfaces and other backend folders, and only the entry points see both,
  - neither the folders nor the files include each other in a circle,
  - no include climbs out with "..".
With --compile it also shows that the build enforces the same: for each folder of src/ it
compiles, with the flags of one of the folder's own files, a file that includes a header of
every folder it must not see, and each must fail as not found (one of its own must compile).
Exit code 1 on a fault; each is printed as file:line.
"""
import argparse
import json
import pathlib
import re
import shlex
import subprocess
import sys
import tempfile
from concurrent.futures import ThreadPoolExecutor

ROOT = pathlib.Path(__file__).resolve().parents[2]

# Lowest first. A folder may include its own layer and the layers below it.
LAYERS = [
    {"toolkit", "resources"},
    {"platform"},  # the interfaces the card asks of the operating system
    {"scene", "sound"},
    {"personalise"},
    {"effects", "sequencer"},
    {"startup"},
    {"main", "tools"},  # the entry points: the card on a backend, the build and render tools
]
# Folders under platform/ are the backends: they stand beside the card's subsystems and above
# the platform interfaces; the card never sees them, nor they the card.
BACKEND_RANK = 2
ENTRY_RANK = len(LAYERS) - 1

# Includes that go the wrong way today, each with the reason it is still there.
WAIVED = {}

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


def folder_of(path):
    """The folder a file belongs to: src/<folder>, src/platform/<backend>, or tools."""
    parts = path.relative_to(ROOT).parts
    if parts[0] == "tools":
        return "tools"
    inner = parts[1:-1]
    if inner[:1] == ("platform",) and len(inner) > 1:
        return "platform/" + inner[1]
    return inner[0] if inner else ""


def rank(folder):
    if folder.startswith("platform/"):
        return BACKEND_RANK
    for index, layer in enumerate(LAYERS):
        if folder in layer:
            return index
    return None


def may_include(source, target):
    """Whether a file of folder `source` may include one of folder `target`."""
    source_rank, target_rank = rank(source), rank(target)
    backend_source, backend_target = source.startswith("platform/"), target.startswith("platform/")
    if backend_target:
        return backend_source or source_rank == ENTRY_RANK
    if backend_source:
        return target_rank < BACKEND_RANK
    return target_rank <= source_rank


def may_see(source, target):
    """may_include, widened by the waivers: a waived folder brings what it sees along."""
    waived = [w for s, w in WAIVED if s == source]
    return any(may_include(source, target) or target == w or may_include(w, target)
               for w in [source] + waived)


def read_includes(files):
    """{file: [(line, included file)]} for the includes that name one of our files."""
    graph = {}
    for path in files:
        text = path.read_text(encoding="utf-8")
        found = []
        for match in INCLUDE.finditer(text):
            line = text.count("\n", 0, match.start()) + 1
            name = match.group(1)
            if ".." in pathlib.PurePosixPath(name).parts:
                found.append((line, None, name))
                continue
            for base in (path.parent, ROOT / "src"):
                if (base / name).is_file():
                    found.append((line, (base / name).resolve(), name))
                    break
        graph[path] = found
    return graph


def find_cycle(edges):
    """One circle in the graph {node: set(nodes)} as a list of nodes, or None."""
    state = {}

    def visit(node, trail):
        state[node] = "open"
        trail.append(node)
        for following in sorted(edges.get(node, ())):
            if state.get(following) == "open":
                return trail[trail.index(following):] + [following]
            if following not in state:
                cycle = visit(following, trail)
                if cycle:
                    return cycle
        trail.pop()
        state[node] = "done"
        return None

    for node in sorted(edges):
        if node not in state:
            cycle = visit(node, [])
            if cycle:
                return cycle
    return None


def check_layers(graph, faults, waived_used):
    folder_edges = {}
    for path, includes in graph.items():
        source = folder_of(path)
        where = path.relative_to(ROOT)
        if rank(source) is None:
            faults.append(f"{where}: folder '{source}' has no layer in tests/structure/layers.py")
            continue
        for line, target_path, name in includes:
            if target_path is None:
                faults.append(f'{where}:{line}: "{name}" climbs out of the include roots')
                continue
            target = folder_of(target_path)
            if target == source:
                continue
            if (source, target) in WAIVED:
                waived_used.add((source, target))
                continue
            if rank(target) is None or not may_include(source, target):
                faults.append(f'{where}:{line}: {source} must not include "{name}" ({target})')
            folder_edges.setdefault(source, set()).add(target)
    return folder_edges


def probe_flags(command):
    """The compiler and the flags that find headers, from one compile command."""
    words = shlex.split(command)
    kept = [w for w in words[1:] if w.startswith(("-I", "-D", "-std="))]
    return [words[0], "-fsyntax-only", "-x", "c++"] + kept


def compiles(flags, include, scratch):
    """(compiled, message) of a file that holds just one include."""
    probe = pathlib.Path(scratch) / (include.replace("/", "_") + ".cpp")
    probe.write_text(f'#include "{include}"\n')
    result = subprocess.run(flags + [str(probe)], capture_output=True, text=True)
    return result.returncode == 0, result.stderr


def one_header(folder):
    headers = sorted((ROOT / "src" / folder).glob("*.h"))
    return f"{folder}/{headers[0].name}" if headers else None


def check_build(compile_commands, faults):
    """Each folder's own compile flags hide the folders it must not include."""
    flags = {}
    for entry in json.loads(pathlib.Path(compile_commands).read_text()):
        path = pathlib.Path(entry["file"]).resolve()
        if ROOT / "src" in path.parents and rank(folder_of(path)) is not None:
            flags.setdefault(folder_of(path), probe_flags(entry["command"]))
    targets = sorted({folder_of(p) for p in (ROOT / "src").rglob("*.h")})
    probes = []
    for source in sorted(f for f in flags if one_header(f)):
        probes.append((source, one_header(source), True))
        probes += [(source, one_header(target), False) for target in targets
                   if not may_see(source, target)]
    with tempfile.TemporaryDirectory() as scratch, ThreadPoolExecutor(2) as pool:
        results = pool.map(lambda p: compiles(flags[p[0]], p[1], scratch), probes)
        for (source, include, wanted), (compiled, message) in zip(probes, results):
            if wanted and not compiled:
                faults.append(f'build: {source} cannot compile its own "{include}":\n{message}')
            elif not wanted and (compiled or "No such file" not in message):
                faults.append(f'build: {source} can include "{include}", which it must not see')
    print(f"layers: {len(probes)} includes tried with the build's flags")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--compile", metavar="COMPILE_COMMANDS")
    options = parser.parse_args()
    files = sorted(p for top in ("src", "tools") for p in (ROOT / top).rglob("*")
                   if p.suffix in (".h", ".cpp"))
    graph = read_includes(files)
    faults, waived_used = [], set()
    folder_edges = check_layers(graph, faults, waived_used)
    cycle = find_cycle(folder_edges)
    if cycle:
        faults.append("folders include each other in a circle: " + " -> ".join(cycle))
    file_edges = {str(p.resolve()): {str(t) for _, t, _ in inc if t} for p, inc in graph.items()}
    cycle = find_cycle(file_edges)
    if cycle:
        names = [str(pathlib.Path(node).relative_to(ROOT)) for node in cycle]
        faults.append("files include each other in a circle: " + " -> ".join(names))
    if options.compile:
        check_build(options.compile, faults)
    for pair, reason in sorted(WAIVED.items()):
        state = "still waived" if pair in waived_used else "no longer needed, remove the waiver"
        print(f"layers: {pair[0]} -> {pair[1]} {state} ({reason})")
    for fault in faults:
        print(fault)
    print(f"layers: {len(files)} files, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
