#!/usr/bin/env bash
# The naming rule clang-tidy cannot see: no header declares two functions whose names differ
# only in case (a slot savePattern() beside a method SavePattern()).
set -euo pipefail
cd "$(dirname "$0")/.."
status=0
for header in $(find src -name '*.h'); do
  # names followed by "(" that are not called on an object (a.b(), p->b())
  clashes=$( { grep -oE '(^|[^.>A-Za-z0-9_])[A-Za-z_][A-Za-z0-9_]*\(' "$header" || true; } |
            sed -E 's/^[^A-Za-z_]//; s/\($//' | sort -u |
            awk '{ key = tolower($0); if (key in seen && seen[key] != $0) print seen[key] " / " $0; seen[key] = $0 }')
  if [ -n "$clashes" ]; then
    echo "$header: names differ only in case: $clashes"
    status=1
  fi
done
exit $status
