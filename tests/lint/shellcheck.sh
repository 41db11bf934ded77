#!/bin/bash
# SPDX-License-Identifier: MIT
# Usage: bash shellcheck.sh SOURCE_DIR. Puts every shell script in the
# tree, known by its name (*.sh) or its #! line, through shellcheck, which
# follows what each one sources from the top of the tree, where the scripts
# run. Build trees and node_modules are not ours. Exit 77 means shellcheck
# is missing.
set -euo pipefail
cd "$1"
command -v shellcheck >/dev/null || { echo "SKIP: shellcheck is not installed (scripts/deps.sh installs it)"; exit 77; }
scripts=()
while IFS= read -r -d '' file; do
  if [[ $file == *.sh ]] || head -n 1 "$file" | grep -Eq '^#! */(usr/)?bin/(env +)?(ba|da)?sh\b'; then
    scripts+=("$file")
  fi
done < <(find . \( -path './build*' -o -name node_modules -o -name .git \) -prune -o -type f -print0 | sort -z)
# .ci/run is known by its #! line alone: without it, that way would be untried.
# Matched in the shell: a grep -q at the end of a pipe stops reading at the
# first match, and the writer's SIGPIPE then fails the pipe (pipefail).
[[ " ${scripts[*]} " == *" ./.ci/run "* ]] || { echo "FAIL: .ci/run is not among the scripts found" >&2; exit 1; }
echo "shellcheck over ${#scripts[@]} scripts"
shellcheck -x -P . "${scripts[@]}"
