#!/usr/bin/env bash
# Regenerates docs/*.png, the README's pictures: the editor with each of its three panels and the
# measured responses of every section. Builds in ./build (scripts/build.sh) and runs the generator
# from there. It paints offscreen and needs no display.
#
# Usage: scripts/make-docs-images.sh [--generator PATH] [output folder, docs/ by default]
#   --generator PATH  run that generator instead of building (the tests pass the one they built)
set -euo pipefail
cd "$(dirname "$0")/.."

generator=""
if [ "${1:-}" = "--generator" ]; then
  generator="$2"
  shift 2
fi

out="${1:-docs}"

if [ -z "$generator" ]; then
  ./scripts/build.sh
  generator=build/scripts/docsimages/tandrel_docs_images
fi

"$generator" "$out"
