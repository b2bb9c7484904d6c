#!/usr/bin/env bash
# Sets up, builds and starts the editor.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
build=${VELMORA_BUILD_DIR:-$root/build}
if [ -x "$build/bin/velmora" ]; then
  exec "$build/bin/velmora"
fi
echo "Built. The editor window is not part of this build yet."
