#!/usr/bin/env bash
# Fails when a C++ source of the project differs from what the repository's .clang-format makes of it.
set -euo pipefail
cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/.."
command -v clang-format >/dev/null || { echo "check_format: clang-format is missing (./dev installs it)" >&2; exit 2; }
mapfile -t files < <(find src tests bench fuzz -name '*.cpp' -o -name '*.h' 2>/dev/null | sort)
clang-format --dry-run --Werror "${files[@]}"
echo "${#files[@]} files formatted as .clang-format says"
