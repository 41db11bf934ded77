#!/bin/bash
# SPDX-License-Identifier: MIT
# Usage: bash clang_tidy.sh BUILD_DIR SOURCE_DIR. Runs clang-tidy, with the
# checks .clang-tidy names, over every source file under src/ that the build
# compiles, as compile_commands.json compiles it: the tests and the files
# CMake generates are not checked, nor headers outside src/. Exit 77 means
# clang-tidy is missing.
set -euo pipefail
build=$1 top=$2
command -v clang-tidy >/dev/null || { echo "SKIP: clang-tidy is not installed (scripts/deps.sh installs it)"; exit 77; }
[ -f "$build/compile_commands.json" ] || { echo "FAIL: $build has no compile_commands.json" >&2; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Each file once, though the benchmarks compile some of them again. GCC's
# precompiled header is no header clang can read, and clang would take it
# for the header it was made from: that header is included from a copy.
python3 - "$build/compile_commands.json" "$top/src" "$tmp" <<'PY'
import json, os, shlex, shutil, sys
database, src, out = sys.argv[1:]
entries, copies = {}, {}
for entry in json.load(open(database)):
    file = os.path.normpath(os.path.join(entry["directory"], entry["file"]))
    if not file.startswith(src + os.sep) or not file.endswith(".cpp") or file in entries:
        continue
    args = entry["arguments"] if "arguments" in entry else shlex.split(entry["command"])
    kept = []
    for arg in args:
        if arg == "-Winvalid-pch":
            continue
        if arg.endswith("cmake_pch.hxx") and kept[-1:] == ["-include"]:
            pch = os.path.join(entry["directory"], arg)
            if pch not in copies:
                copies[pch] = os.path.join(out, "pch%d.hxx" % len(copies))
                shutil.copyfile(pch, copies[pch])
            arg = copies[pch]
        kept.append(arg)
    entries[file] = {"directory": entry["directory"], "file": file, "arguments": kept}
json.dump(list(entries.values()), open(os.path.join(out, "compile_commands.json"), "w"))
open(os.path.join(out, "files"), "w").write("".join(f + "\0" for f in sorted(entries)))
PY
files=$(tr -cd '\0' <"$tmp/files" | wc -c)
[ "$files" -gt 0 ] || { echo "FAIL: compile_commands.json compiles nothing under $top/src" >&2; exit 1; }
echo "clang-tidy over $files files"
# Any finding fails (WarningsAsErrors); the count of system headers'
# warnings, which it leaves out, is only noise.
xargs -0 -P "$(nproc)" -n 1 clang-tidy -p "$tmp" --quiet --header-filter="^$top/src/" <"$tmp/files" 2>&1 |
  sed '/^[0-9]* warnings\{0,1\} generated\.$/d'
