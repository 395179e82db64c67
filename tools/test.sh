#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds both architectures and runs every test under Wine.
# The x86_64 build is run; the i686 build (what ships) is compiled and linked only, since 32-bit
# programs cannot run on these machines.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash tools/deps.sh
jobs=$(nproc)
for arch in x86_64 i686; do
    cmake -S . -B "build/$arch" -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-$arch.cmake" >/dev/null
    cmake --build "build/$arch" -j"$jobs"
done
cd build/x86_64
# One display for the unit tests' windows; the end-to-end and wizard tests start their own.
xvfb-run -a -s "-screen 0 1024x768x24" ctest --output-on-failure -j"$jobs" "$@"
