#!/usr/bin/env bash
# The uninstaller's command line: "-delself" only as the first argument, exactly so written and
# followed by the full path of an existing file, starts the removal phase; anything else removes
# nothing. Then a silent uninstall from the installed-programs entry's command line, with the
# installation under Program Files and a temporary directory whose name holds a space: both paths
# reach the temporary copy whole, nothing is shown, and the copy goes at the next restart.
. "$(dirname "$0")/lib.bash"
e2e_init uninstall_silent
UNI_PROC=$LMT_BUILD_DIR/tests/tools/uni_proc.exe
INSTALL_DIR='C:\Program Files\Lumetra 6'
UNINSTALLER="\"$INSTALL_DIR\\LmtUnInst.exe\""
UNINSTALL_ENTRY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Lumetra 6'
SPACED_TEMP='C:\temp dir'

e2e_package "$E2E_TMP/pkg"
pkg=$(e2e_winpath "$E2E_TMP/pkg")
expect_eq "$(e2e_exitcode "$pkg\\setup.exe" -install -s)" 0 "exit code of the silent installation"
installed_tree=$(cd "$(e2e_c "$INSTALL_DIR")" && find . | sort)
logged=$(tr -d '\r' <"$(e2e_c "$INSTALL_DIR\\LmtUnInst.log")" | sed -n 's/^\(Made Dir\|Shell Link\): //p')
[ -n "$logged" ] || fail "installed log records no group or shortcuts"

# run_uninstaller ARGS...: the uninstaller's full exit code.
run_uninstaller() {
    e2e_exit_of "$WINE" "$UNI_PROC" run -- "$UNINSTALLER" "$@"
}

expect_untouched() {
    expect_eq "$(cd "$(e2e_c "$INSTALL_DIR")" && find . | sort)" "$installed_tree" "installation after $1"
    e2e_reg_key_exists "$UNINSTALL_ENTRY" || fail "Uninstall entry gone after $1"
    e2e_reg_key_exists 'HKLM\SOFTWARE\Orvanta\Lumetra 6' || fail "product key gone after $1"
}

note "\"-delself\" with a switch or a directory for the uninstaller's path: exit 87, nothing removed"
expect_eq "$(run_uninstaller -delself -s)" 87 "exit code of -delself -s"
expect_untouched "-delself -s"
expect_eq "$(run_uninstaller -delself "\"$INSTALL_DIR\"")" 87 "exit code of -delself DIRECTORY"
expect_untouched "-delself DIRECTORY"

note "\"-delself\" alone, or in capitals: the uninstall mode, which asks first (answered No)"
for args in "-delself" "-DELSELF $UNINSTALLER"; do
    run_uninstaller $args >"$E2E_TMP/rc" &
    pid=$!
    out=$(e2e_winctl answer "Lumetra Setup" 7 --has-id 65535 --timeout 30000) || fail "no confirmation for $args"
    grep -qF 'This will completely uninstall Lumetra 6.' <<<"$out" || fail "not the confirmation: $out"
    wait $pid
    expect_eq "$(cat "$E2E_TMP/rc")" 1602 "exit code of $args answered No"
    expect_untouched "$args"
done

note "silent uninstall from the Uninstall entry's command line, temporary directory \"$SPACED_TEMP\""
mkdir -p "$(e2e_c "$SPACED_TEMP")"
command=$(e2e_reg_query "$UNINSTALL_ENTRY" UninstallString)
rc=$("$WINE" "$UNI_PROC" run --env "TEMP=$SPACED_TEMP" --env "TMP=$SPACED_TEMP" -- "$command" -s | tr -d '\r')
expect_eq "$rc" "exit=0" "the uninstaller's end once the copy is started"
# A silent copy shows nothing: a message box would keep it running until the time-out.
"$WINE" "$UNI_PROC" wait-gone 'uni*.tmp' --timeout 60000 >/dev/null || fail "temporary copy did not end"
expect_no_file "$(e2e_c "$INSTALL_DIR")"
while IFS= read -r path; do expect_no_file "$(e2e_c "$path")"; done <<<"$logged"
for key in "$UNINSTALL_ENTRY" 'HKLM\SOFTWARE\Orvanta' \
    'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\LmtCap6.exe'; do
    ! e2e_reg_key_exists "$key" || fail "registry key should be gone: $key"
done

note "the copy was made in the spaced temporary directory and waits for the next restart"
copies=$(find "$(e2e_c "$SPACED_TEMP")" -iname 'uni*.tmp')
[ "$(grep -c . <<<"$copies")" = 1 ] || fail "expected one temporary copy in $SPACED_TEMP, found [$copies]"
pending=$("$WINE" reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' /v PendingFileRenameOperations |
    tr -d '\r')
grep -qiF "$SPACED_TEMP\\$(basename "$copies")" <<<"$pending" || fail "copy not pending: $pending"
lmt_session_stop "$WINEPREFIX"
e2e_wine wineboot -r >/dev/null 2>&1
expect_no_file "$copies"
echo "PASS"
