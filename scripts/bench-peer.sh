#!/usr/bin/env bash
# Builds Tandrel and compares its speed with x42's fil4 parametric equaliser (the LV2 that the
# x42-plugins package installs, see scripts/install-deps.sh): both are hosted and fed the same
# signal in one run, and a Markdown table of real-time factors is printed. Arguments go to the
# program (--seconds=S, --processing-seconds=P, --runs=N). Not part of the tests: only the
# figures of one run on one quiet machine compare with each other.
set -euo pipefail
cd "$(dirname "$0")/.."

log="$(mktemp "${TMPDIR:-/tmp}/tandrel-bench-peer.XXXXXX")"
trap 'rm -f "$log"' EXIT

{ ./scripts/install-deps.sh && ./scripts/build.sh; } > "$log" 2>&1 || { cat "$log"; exit 1; }

build/bench/tandrel_peer_bench_artefacts/Release/tandrel_peer_bench "$@"

revision="$(git rev-parse --short HEAD 2> /dev/null || echo unknown)"
if [ -n "$(git status --porcelain --untracked-files=no 2> /dev/null)" ]; then revision="$revision with local changes"; fi
echo "Tandrel $revision, x42-plugins $(dpkg-query -W -f='${Version}' x42-plugins)."
