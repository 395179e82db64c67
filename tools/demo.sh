#!/usr/bin/env bash
# The main job on a demo package: sets up the machine, builds, lays out the package and runs the
# setup on it under Wine in a prefix of its own, then shows what it did.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash tools/deps.sh
cmake -S . -B build/x86_64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64.cmake >/dev/null
cmake --build build/x86_64 -j"$(nproc)"
export LMT_BUILD_DIR=$root/build/x86_64
if [ "${1:-}" = --wizard ] && [ -n "${DISPLAY:-}" ]; then
    exec bash tools/demo-run.sh --wizard
fi
exec xvfb-run -a -s "-screen 0 1024x768x24" bash tools/demo-run.sh
