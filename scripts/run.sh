#!/usr/bin/env bash
# From a fresh clone: installs the dependencies, builds, installs the VST3 and LV2 into the
# user's plug-in folders and starts the Standalone.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
./scripts/build.sh

artefacts=build/Tandrel_artefacts/Release
mkdir -p "$HOME/.vst3" "$HOME/.lv2"
rm -rf "$HOME/.vst3/Tandrel.vst3" "$HOME/.lv2/Tandrel.lv2"
cp -r "$artefacts/VST3/Tandrel.vst3" "$HOME/.vst3/"
cp -r "$artefacts/LV2/Tandrel.lv2" "$HOME/.lv2/"
echo "Installed $HOME/.vst3/Tandrel.vst3 and $HOME/.lv2/Tandrel.lv2"
echo "LV2 plug-ins found in ~/.lv2:"
LV2_PATH="$HOME/.lv2" lv2ls

exec "$artefacts/Standalone/Tandrel"
