#!/usr/bin/env bash
# Regenerates resources/*.png, the images compiled into the plug-in.
# Builds scripts/imagegen in a temporary folder, runs it, and removes the folder again.
# The output is deterministic: running this twice gives byte-identical files.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(mktemp -d "${TMPDIR:-/tmp}/tandrel-imagegen.XXXXXX")"
trap 'rm -rf "$build"' EXIT

generator=()
if command -v ninja > /dev/null 2>&1; then generator=(-G Ninja); fi

cmake -S "$repo/scripts/imagegen" -B "$build" ${generator[@]+"${generator[@]}"} -DCMAKE_BUILD_TYPE=Release > "$build/configure.log" \
    || { cat "$build/configure.log"; exit 1; }
cmake --build "$build" -j "$(nproc 2> /dev/null || echo 4)" > "$build/build.log" \
    || { cat "$build/build.log"; exit 1; }

"$(cat "$build/imagegen-path.txt")" "$repo/resources"
