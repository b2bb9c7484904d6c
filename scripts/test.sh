#!/usr/bin/env bash
# Sets up, builds and runs every test headless, then each fuzz target for a
# short time ($VELMORA_FUZZ_SECONDS, 15 by default). Exits non-zero when any fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" "$@"
build=${VELMORA_BUILD_DIR:-$root/build}
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure --timeout 600
# A parser that crashes, hangs or breaks its property on the corpus fails the run.
bash "$root/scripts/fuzz.sh" all "${VELMORA_FUZZ_SECONDS:-15}"
