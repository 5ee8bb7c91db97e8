#!/usr/bin/env bash
# Regenerates docs/*.png, the README's pictures: the editor with each of its three panels and the
# measured responses of every section. Builds in ./build (scripts/build.sh) and runs the generator
# from there. It paints offscreen and needs no display.
#
# Usage: scripts/make-docs-images.sh [output folder, docs/ by default]
set -euo pipefail
cd "$(dirname "$0")/.."

out="${1:-docs}"
./scripts/build.sh
build/scripts/docsimages/tandrel_docs_images "$out"
