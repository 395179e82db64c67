#!/usr/bin/env bash
# A setup runs from a downloads folder, where anyone may have left a DLL. With decoy DLLs of the
# names a program may load by name beside it (and Wine told to prefer such native DLLs), the setup
# loads none of them: not while asking its first question, not through a whole installation.
. "$(dirname "$0")/lib.bash"
e2e_init dll_planting
e2e_package "$E2E_TMP/pkg"
cp "$LMT_BUILD_DIR"/tests/decoy/*.dll "$E2E_TMP/pkg/"
cp "$LMT_BUILD_DIR/tests/tools/loadbyname.exe" "$E2E_TMP/pkg/"
pkg=$(e2e_winpath "$E2E_TMP/pkg")
names=$(cd "$E2E_TMP/pkg" && ls *.dll | grep -v LmtCap6x64 | sed 's/\.dll$//' | paste -sd, -)
export WINEDLLOVERRIDES="$names=n,b;mscoree,mshtml=;winemenubuilder.exe=d"
marker=$(e2e_c 'C:\decoys-loaded.txt')

note "control: a program without protection does load a decoy from its folder"
e2e_wine "$pkg\\loadbyname.exe" version.dll | tr -d '\r'
[ -s "$marker" ] || fail "the decoy mechanism does not work here, so the check below would prove nothing"
rm -f "$marker"

note "the uninstaller's confirmation box loads no decoy"
e2e_wine "$pkg\\LmtUnInst.exe" &
pid=$!
e2e_winctl answer "Lumetra Setup" 7 --has-id 65535 >/dev/null
wait $pid || true
[ ! -s "$marker" ] || fail "loaded: $(cat "$marker")"

note "a whole silent installation loads no decoy"
e2e_wine "$pkg\\setup.exe" -s
[ ! -s "$marker" ] || fail "loaded: $(cat "$marker")"
installed=$(e2e_reg_query 'HKLM\SOFTWARE\Orvanta\Lumetra 6' Path) || fail "the silent installation did not run"
expect_file "$(e2e_c "$installed")/LmtCap6.exe"
