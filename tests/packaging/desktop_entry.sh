#!/bin/bash
# desktop_entry.sh FILE: the desktop entry passes desktop-file-validate
# without a single error, warning or hint.
set -uo pipefail
. "$(dirname "$0")/common.sh"
file=$1
[ -f "$file" ] || { fail "$file missing"; finish; }
quiet_valid desktop-file-validate "$file"
finish
