#!/usr/bin/env bash
# The stand-in application's "-takeover" switch: it takes image extensions over the way the
# application does (the opening program set to a text containing "LmtCap6.exe", the previous
# text kept in "LmtCapOld"), which the uninstall tests build on; with "-stay" it runs on as a
# listed copy.
. "$(dirname "$0")/lib.bash"
e2e_init instances_takeover
app=$LMT_BUILD_DIR/LmtCap6.exe
PROBE=$LMT_BUILD_DIR/tests/tools/inst_probe.exe
fe='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts'
log=$E2E_TMP/standin.log
export LMT_STANDIN_LOG="$(e2e_winpath "$E2E_TMP")\\standin.log"

reg() { "$WINE" reg "$@" >/dev/null 2>&1; }
expect_value() { # KEY VALUE EXPECTED ('' for a missing value)
    local got
    got=$(e2e_reg_query "$1" "$2") || got=
    expect_eq "$got" "$3" "$1 [$2]"
}

e2e_reg_add "$fe\\.png" /v Application /d "OtherViewer.exe" /f
e2e_reg_add "$fe\\.gif" /f
reg delete "$fe\\.jpg" /f || true
reg delete "$fe\\.tga" /f || true
e2e_reg_add 'HKCR\.jpg' /ve /d jpegfile /f
reg delete 'HKCR\.tga' /f || true

note "takeover of a per-user choice, a classes-root default, a missing key and an empty choice"
"$WINE" "$app" -takeover .png .jpg .tga .gif </dev/null >/dev/null 2>&1 || fail "stand-in failed"
expect_value "$fe\\.png" Application LmtCap6.exe
expect_value "$fe\\.png" LmtCapOld OtherViewer.exe
expect_value 'HKCR\.jpg' '' LmtCap6.exe
expect_value 'HKCR\.jpg' LmtCapOld jpegfile
expect_value 'HKCR\.tga' '' LmtCap6.exe
expect_value 'HKCR\.tga' LmtCapOld ''
expect_value "$fe\\.gif" Application LmtCap6.exe
expect_value "$fe\\.gif" LmtCapOld ''
for ext in .png .jpg .tga .gif; do
    grep -q "takeover $ext\$" "$log" || fail "no record of $ext"
done
grep -q ' end$' "$log" || fail "the stand-in did not end after the takeover"

note "a second takeover keeps the first previous owner"
"$WINE" "$app" -takeover .png </dev/null >/dev/null 2>&1
expect_value "$fe\\.png" LmtCapOld OtherViewer.exe

note "-stay: runs on as a listed copy with its main window"
: >"$log"
"$WINE" "$app" -takeover .bmp -stay </dev/null >/dev/null 2>&1 &
e2e_wait_for grep -q 'takeover .bmp' "$log" || fail "no takeover with -stay"
pid=$(sed -n 's/^pid=\([0-9]*\) start.*/\1/p' "$log")
"$WINE" "$PROBE" wait-window "$pid" >/dev/null || fail "no main window with -stay"
"$WINE" "$PROBE" show | tr -d '\r' | grep -q "ids=$pid " || fail "not listed"
"$WINE" "$PROBE" close >/dev/null
"$WINE" "$PROBE" wait-gone "$pid" >/dev/null || fail "not closed"
note "ok"
