#!/usr/bin/env bash
# make-delaylib.sh TRIPLET DLLNAME OUTPUT: a delay-import library for a system DLL, made from the
# toolchain's ordinary import library (its exported names) with dlltool.
set -euo pipefail
triplet=$1 dll=$2 out=$3
base=${dll%.dll}
implib=/usr/$triplet/lib/lib$base.a
def=${out%.a}.def
{
    echo "LIBRARY $dll"
    echo "EXPORTS"
    # 64-bit names are plain; 32-bit ones carry the stdcall decoration (_Name@N), which the
    # definition keeps without its leading underscore.
    "$triplet-nm" -g --defined-only "$implib" | awk '$2 == "I" && $3 ~ /^__imp_/ { print $3 }' |
        sed -e 's/^__imp_//' | if [ "$triplet" = i686-w64-mingw32 ]; then sed -e 's/^_//'; else cat; fi | sort -u
} >"$def"
if [ "$triplet" = i686-w64-mingw32 ]; then
    "$triplet-dlltool" -m i386 -k -d "$def" -D "$dll" -y "$out"
else
    "$triplet-dlltool" -m i386:x86-64 -d "$def" -D "$dll" -y "$out"
fi
