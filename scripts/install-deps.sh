#!/usr/bin/env bash
# Installs everything a fresh Debian 12 machine needs to build and test Tandrel.
# Safe to run again: packages already present are left as they are.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake ninja-build pkg-config
  # the framework and the libraries its Linux backends link against
  juce-modules-source lv2-dev
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # plug-in bundle checks and headless GUI runs
  lilv-utils xvfb xauth
  # the sanitizer build and the state fuzzer: clang with its runtime (libFuzzer, the sanitizers)
  # and llvm-symbolizer on the PATH, which names the functions in reports and suppressions
  clang-14 libclang-rt-14-dev llvm
  # a Helvetica-metric sans face for Linux, where Helvetica itself is absent, and the
  # framework's default sans-serif face
  fonts-urw-base35 fonts-dejavu-core
  # benchmark only: x42's "fil4" parametric equaliser (LV2 in /usr/lib/lv2), the peer that
  # scripts/bench-peer.sh and its smoke test compare the engine's speed against
  x42-plugins
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
