#!/usr/bin/env bash
# An installation through the wizard for the current user, with a program group of two levels
# that the user typed, then the uninstall started from that group's "Uninstall Lumetra 6"
# shortcut: the group the user chose, its emptied parent and the user's shortcuts go with the
# installation.
. "$(dirname "$0")/lib.bash"
if [ ! -f "$LMT_SOURCE_DIR/wizard/SetupDlg.cpp" ]; then
    echo "SKIPPED: this tree has no setup wizard yet (wizard/SetupDlg.cpp); nothing to install through"
    exit 0
fi
e2e_init uninstall_wizard
S="Lumetra Setup"
A="Please accept the License Agreement"
FRAME_ID=1002
INSTALL_DIR='C:\Program Files\Lumetra 6'
GROUP='My Tools\Lumetra Six'

e2e_package "$E2E_TMP/pkg"
pkg=$(e2e_winpath "$E2E_TMP/pkg")

# page CAPTION CONTROL_ID: waits (30 s at most) until the wizard shows the page that holds the
# control.
page() {
    for _ in $(seq 1 150); do
        e2e_winctl dump "$1" --has-id $FRAME_ID 2>/dev/null | grep -q "^ctrl id=$2 " && return 0
        sleep 0.2
    done
    fail "the wizard never showed the page with control $2 under \"$1\""
}
next() { e2e_winctl click "$1" 1 --has-id $FRAME_ID >/dev/null; }

note "the wizard: current user, group \"$GROUP\""
e2e_exitcode "$pkg\\setup.exe" >"$E2E_TMP/rc" &
setup_pid=$!
page "$S" 1003
next "$S"
page "$A" 1000
next "$A"
page "$S" 1013
e2e_winctl dump "$S" --has-id $FRAME_ID | grep -q '^ctrl id=1001 class=Button .* checked=1 ' ||
    fail "current user is not the chosen scope"
next "$S"
page "$S" 1008
e2e_winctl settext "$S" 1000 "$GROUP" --has-id $FRAME_ID >/dev/null
next "$S"
page "$S" 1010
next "$S"
for _ in $(seq 1 300); do
    e2e_winctl dump "$S" --has-id $FRAME_ID 2>/dev/null | grep -q '^ctrl id=1 class=Button .* text=&Finish >$' && break
    sleep 0.2
done
next "$S"
wait $setup_pid || true
expect_eq "$(tr -d '\r\n' <"$E2E_TMP/rc")" 0 "exit code of the wizard's installation"

programs=$(e2e_reg_query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' Programs)
desktop=$(e2e_reg_query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' Desktop)
group_dir=$(e2e_c "$programs\\$GROUP")
expect_file "$group_dir/Uninstall Lumetra 6.lnk"
expect_file "$(e2e_c "$desktop\\Lumetra 6.lnk")"
expect_eq "$(e2e_reg_query 'HKLM\SOFTWARE\Orvanta\Lumetra 6' AllUsers)" A "installation scope"

note "the group's uninstall shortcut, answered Yes"
e2e_wine start "$programs\\$GROUP\\Uninstall Lumetra 6.lnk"
e2e_winctl answer "$S" 6 --has-id 65535 --timeout 30000 >/dev/null || fail "no confirmation box"
out=$(e2e_winctl answer "$S" 1 --has-id 65535 --timeout 60000) || fail "no completion message"
grep -qF 'Lumetra 6 has been completely uninstalled from this computer.' <<<"$out" || fail "message: $out"
"$WINE" "$LMT_BUILD_DIR/tests/tools/uni_proc.exe" wait-gone 'uni*.tmp' --timeout 30000 >/dev/null ||
    fail "temporary copy still running"

expect_no_file "$(e2e_c "$INSTALL_DIR")"
expect_no_file "$group_dir"
expect_no_file "$(e2e_c "$programs\\My Tools")"
expect_file "$(e2e_c "$programs")"
expect_no_file "$(e2e_c "$desktop\\Lumetra 6.lnk")"
for key in 'HKLM\SOFTWARE\Orvanta' 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Lumetra 6'; do
    ! e2e_reg_key_exists "$key" || fail "registry key should be gone: $key"
done
echo "PASS"
