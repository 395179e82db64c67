#!/usr/bin/env bash
# run-bench.sh [BUILD_DIR] [ROUNDS]: builds the placement benchmark (x86_64), runs it under Wine
# in a scratch prefix of its own on a generated package of 2,000 files, and prints the figures:
# the engine's placement and removal against a plain CopyFileA / DeleteFileA loop.
# The package lies on a memory-backed folder (/dev/shm, as drive T:), so the write-back of
# earlier passes to disk does not land on whichever pass happens to run; LMT_BENCH_DISK=1 puts
# it on the prefix's drive C: instead.
set -euo pipefail
src=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$src/build/bench-x64}
rounds=${2:-9}
if [ -f "$build/CMakeCache.txt" ]; then
    cmake "$build" >/dev/null
else
    cmake -S "$src" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/toolchain-x86_64.cmake" >/dev/null
fi
cmake --build "$build" --target placement_bench -j2 >/dev/null
. "$src/tools/wine-lib.sh"
prefix=$build/wine/bench
lmt_new_prefix "$prefix"
out=$(mktemp)
ram=
if [ "${LMT_BENCH_DISK:-0}" = 1 ] || [ ! -d /dev/shm ]; then
    root='C:\lmt-bench'
else
    ram=$(mktemp -d /dev/shm/lmt-bench.XXXXXX)
    ln -sfn "$ram" "$prefix/dosdevices/t:"
    root='T:\lmt-bench'
fi
trap 'lmt_session_stop "$prefix"; rm -f "$out"; rm -rf "$prefix/drive_c/lmt-bench" ${ram:+"$ram"}' EXIT
# The Wine session's daemons get no pipe of the caller's; the figures go through a file.
WINEPREFIX=$prefix "$WINE" "$build/bench/placement_bench.exe" "$root" "$rounds" </dev/null >"$out" 2>&1
echo "folder: $root"
tr -d '\r' <"$out"
