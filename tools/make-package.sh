#!/usr/bin/env bash
# make-package.sh OUTDIR [--build BUILDDIR] [--app-version V] [--source-list FILE]
# Lays out a complete package folder from a build: the setup (also as the uninstaller), the
# stand-in application of the chosen version, its companion files, a subfolder of samples and
# the source list LmtUnInst.log (which names what the setup installs, using every line kind).
set -euo pipefail
out=${1:?usage: make-package.sh OUTDIR [--build DIR] [--app-version V] [--source-list FILE]}
shift
build=${LMT_BUILD_DIR:-}
version=6.0.3.0
source_list=
while [ $# -gt 0 ]; do
    case $1 in
    --build) build=$2; shift 2 ;;
    --app-version) version=$2; shift 2 ;;
    --source-list) source_list=$2; shift 2 ;;
    *) echo "make-package.sh: unknown option $1" >&2; exit 2 ;;
    esac
done
[ -n "$build" ] || { echo "make-package.sh: name the build folder with --build" >&2; exit 2; }

case $version in
6.0.3.0) app=$build/LmtCap6.exe ;;
*) app=$build/standin-$version/LmtCap6.exe ;;
esac
[ -f "$build/setup.exe" ] || { echo "make-package.sh: no setup.exe in $build" >&2; exit 1; }
[ -f "$app" ] || { echo "make-package.sh: no stand-in application of version $version" >&2; exit 1; }

crlf() { sed 's/$/\r/'; }

rm -rf "$out"
mkdir -p "$out/samples/hdr"
cp "$build/setup.exe" "$out/setup.exe"
cp "$build/setup.exe" "$out/LmtUnInst.exe"
cp "$app" "$out/LmtCap6.exe"
printf 'ITSF stand-in help file of Lumetra 6\n' >"$out/LmtCap6Man.chm"
crlf >"$out/readme.txt" <<'TXT'
Lumetra 6
=========
Thank you for installing Lumetra 6. This file is the read-me of the demo package.
TXT
crlf >"$out/HomePage.url" <<'TXT'
[InternetShortcut]
URL=http://www.orvanta.example/?ref=demo
TXT
crlf >"$out/agreement.txt" <<'TXT'
LICENCE AGREEMENT FOR LUMETRA 6

Please read this agreement carefully before you install the software.

1. You may install and use one copy of the software on each computer you own.
2. You may not rent, lease or lend the software.
3. The software is provided as it is, without warranty of any kind.

By clicking "Yes" you accept the terms of this agreement.
TXT
for i in 1 2 3; do printf 'sample picture %s\n' "$i" >"$out/samples/sample$i.lmp"; done
printf 'sample header\n' >"$out/samples/hdr/header.lmh"
printf 'settings written by the 64-bit package\n' >"$out/LmtCap6x64.dll"
printf 'default filters\n' >"$out/filters.dat"

if [ -n "$source_list" ]; then
    cp "$source_list" "$out/LmtUnInst.log"
else
    crlf >"$out/LmtUnInst.log" <<'TXT'
Make Dir: samples
Make Dir: samples\hdr
File Copy: LmtCap6.exe
File Copy: LmtCap6Man.chm
File Copy: readme.txt
File Copy: HomePage.url
File Copy: LmtUnInst.exe
File Copy: samples\*.lmp
File Copy: samples\hdr\*.*
File Copy: filters.dat > LmtFilters.dat
File Copy x64: LmtCap6x64.dll
File Overwrite: LmtCap6.ini | settings the application writes
File Del: LmtCap5Tools.dll | left by version 5
TXT
fi
echo "package: $out (application $version)"
