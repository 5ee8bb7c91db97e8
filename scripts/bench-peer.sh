#!/usr/bin/env bash
# Builds Tandrel and compares its speed with x42's fil4 parametric equaliser (the LV2 that the
# x42-plugins package installs, see scripts/install-deps.sh): both are hosted and fed the same
# signal in one run, and a Markdown table of real-time factors is printed. Not part of the
# tests: only the figures of one run on one quiet machine compare with each other.
#
# Usage: scripts/bench-peer.sh [--baseline-revision=REV] [program arguments]
#   --baseline-revision  also builds REV's VST3 (in a temporary worktree, removed afterwards)
#                        and measures it in the same runs; the program then checks that both
#                        builds render bit-identical output
# Other arguments go to the program (--seconds=S, --processing-seconds=P, --runs=N).
set -euo pipefail
cd "$(dirname "$0")/.."

baseline_revision=""
program_args=()
for arg in "$@"; do
  case "$arg" in
    --baseline-revision=?*) baseline_revision="${arg#*=}" ;;
    --baseline-revision*) echo "usage: $0 [--baseline-revision=REV] [program arguments]" >&2; exit 2 ;;
    *) program_args+=("$arg") ;;
  esac
done

scratch="$(mktemp -d "${TMPDIR:-/tmp}/tandrel-bench-peer.XXXXXX")"
baseline_source="$scratch/source"
baseline_build="$scratch/build"
cleanup() {
  if [ -e "$baseline_source" ]; then git worktree remove --force "$baseline_source" || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

# Runs a command with its output kept aside, and shows that output only when it fails.
quietly() {
  "$@" > "$scratch/log" 2>&1 || { cat "$scratch/log"; exit 1; }
}

quietly ./scripts/install-deps.sh
quietly ./scripts/build.sh

if [ -n "$baseline_revision" ]; then
  baseline_commit="$(git rev-parse --short --verify "$baseline_revision^{commit}")"
  quietly git worktree add --detach "$baseline_source" "$baseline_commit"
  # Earlier revisions may not know every option; CMake only warns about those.
  quietly cmake -S "$baseline_source" -B "$baseline_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DTANDREL_BUILD_TESTS=OFF -DTANDREL_BUILD_BENCHMARKS=OFF
  quietly cmake --build "$baseline_build" --target Tandrel_VST3 -j"$(nproc)"
  program_args+=("--baseline=$baseline_build/Tandrel_artefacts/Release/VST3/Tandrel.vst3")
fi

# The program also fails, once its table is out, when the two builds' output differs; the
# revisions are named either way.
status=0
build/bench/tandrel_peer_bench_artefacts/Release/tandrel_peer_bench ${program_args[@]+"${program_args[@]}"} || status=$?

revision="$(git rev-parse --short HEAD 2> /dev/null || echo unknown)"
if [ -n "$(git status --porcelain --untracked-files=no 2> /dev/null)" ]; then revision="$revision with local changes"; fi
if [ -n "$baseline_revision" ]; then revision="$revision against baseline $baseline_commit"; fi
echo "Tandrel $revision, x42-plugins $(dpkg-query -W -f='${Version}' x42-plugins)."
exit "$status"
