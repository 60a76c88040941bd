#!/usr/bin/env bash
# Fails when a C++ source differs from the repository's .clang-format.
#   tests/shape/check-format.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/../..}"
formatter=${CLANG_FORMAT:-clang-format}
command -v "$formatter" >/dev/null || { echo "$formatter is missing (scripts/deps.sh test installs it)" >&2; exit 1; }

prune=(-name node_modules)
dirs=()
for d in src tests bench fuzz; do [ -d "$d" ] && dirs+=("./$d"); done
mapfile -t files < <(find "${dirs[@]}" \( "${prune[@]}" \) -prune -o -type f \
                        \( -name '*.cpp' -o -name '*.h' -o -name '*.hpp' -o -name '*.cc' \) -print | sort)
[ ${#files[@]} -gt 0 ] || { echo "no sources found" >&2; exit 1; }
"$formatter" --dry-run -Werror "${files[@]}"
echo "${#files[@]} files match .clang-format"
