#!/usr/bin/env bash
# Shortcuts made by createShortcut, read back by an independent reader (lnkinfo of liblnk-utils):
# the target without its quotes, the working directory stored unexpanded, no description, no
# arguments; the installed log names exactly the files that were saved.
. "$(dirname "$0")/lib.bash"
command -v lnkinfo >/dev/null || fail "lnkinfo (liblnk-utils) is not installed"
e2e_init lnkinfo_shortcuts
TOOL=$LMT_BUILD_DIR/tests/tools/shortcut_tool.exe
inst=$(e2e_c 'C:\Lumetra 6')
mkdir -p "$inst" "$(e2e_c 'C:\Menu\Lumetra 6')"
printf 'app' >"$inst/LmtCap6.exe"
printf 'readme' >"$inst/readme.txt"

# lnkinfo_field FILE LABEL: the value lnkinfo prints for the label, CRs and padding removed.
lnkinfo_field() {
    lnkinfo "$1" | tr -d '\r' | sed -n "s/^[[:space:]]*$2[[:space:]]*: //p"
}

make_link() { e2e_wine "$TOOL" 'C:\Lumetra 6' "$@" | tr -d '\r'; }

note "application shortcut: quoted target, working directory %APPDATA%"
out=$(make_link 'C:\Menu\Lumetra 6\Lumetra 6.lnk' '"C:\Lumetra 6\LmtCap6.exe"' '%APPDATA%')
expect_eq "$out" "hr=0x00000000" "save status"
link=$(e2e_c 'C:\Menu\Lumetra 6\Lumetra 6.lnk')
expect_file "$link"
lnkinfo "$link" >"$E2E_TMP/app.txt" || fail "lnkinfo cannot read the shortcut"
cat "$E2E_TMP/app.txt"
expect_eq "$(lnkinfo_field "$link" 'Local path')" 'C:\Lumetra 6\LmtCap6.exe' "stored target"
expect_eq "$(lnkinfo_field "$link" 'Working directory')" '%APPDATA%' "working directory, unexpanded"
expect_eq "$(lnkinfo_field "$link" 'Description')" '' "description"
grep -qi 'arguments' "$E2E_TMP/app.txt" && fail "the shortcut carries arguments"

note "read-me shortcut: no working directory"
out=$(make_link 'C:\Menu\Lumetra 6\Read about Lumetra 6.lnk' 'C:\Lumetra 6\readme.txt')
expect_eq "$out" "hr=0x00000000" "save status"
link=$(e2e_c 'C:\Menu\Lumetra 6\Read about Lumetra 6.lnk')
expect_eq "$(lnkinfo_field "$link" 'Local path')" 'C:\Lumetra 6\readme.txt' "stored target"
expect_eq "$(lnkinfo_field "$link" 'Working directory')" '' "no working directory"

note "a folder that does not exist: no file, no log line"
out=$(make_link 'C:\Missing\Lumetra 6.lnk' 'C:\Lumetra 6\LmtCap6.exe')
[ "$out" != "hr=0x00000000" ] || fail "saving into a missing folder reported success"
expect_no_file "$(e2e_c 'C:\Missing\Lumetra 6.lnk')"

expected=$(printf 'Shell Link: C:\\Menu\\Lumetra 6\\Lumetra 6.lnk\r\nShell Link: C:\\Menu\\Lumetra 6\\Read about Lumetra 6.lnk\r\n_')
actual=$(cat "$inst/LmtUnInst.log"; printf _)
expect_eq "$actual" "$expected" "installed log"
echo "PASS"
