#!/usr/bin/env bash
# From a fresh clone: installs the dependencies, builds, and runs the whole test suite
# (unit and widget tests, the host test on the built VST3 and LV2, the ThreadSanitizer
# stress test), then the unit, widget and editor tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer and the state fuzzer for a minute, in ./build-asan. GUI tests get
# a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
./scripts/build.sh
xvfb-run -a -s "-screen 0 1920x1080x24" ctest --test-dir build --output-on-failure -j"$(nproc)"

# The sanitizer build uses clang, which brings libFuzzer; with gcc it runs without the fuzzer.
sanitizer_compilers=()
if command -v clang++-14 > /dev/null 2>&1; then
  sanitizer_compilers=(-DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14)
fi
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTANDREL_SANITIZERS=ON ${sanitizer_compilers[@]+"${sanitizer_compilers[@]}"}
cmake --build build-asan -j"$(nproc)"
UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$PWD/tests/sanitizers/ubsan.supp" \
  xvfb-run -a -s "-screen 0 1920x1080x24" ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
