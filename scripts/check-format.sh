#!/usr/bin/env bash
# Fails, naming the files, when a C++ file of the project is not laid out as .clang-format
# says. Run it with the tests; `clang-format -i` on a named file puts it right.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
find src tests bench -name '*.cpp' -o -name '*.h' | sort | xargs clang-format --dry-run --Werror
