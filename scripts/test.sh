#!/usr/bin/env bash
# From a fresh clone: installs the dependencies, builds, and runs the whole test suite
# (unit and widget tests, the host test on the built VST3 and LV2, the ThreadSanitizer
# stress test). GUI tests get a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
./scripts/build.sh
xvfb-run -a -s "-screen 0 1920x1080x24" ctest --test-dir build --output-on-failure -j"$(nproc)"
