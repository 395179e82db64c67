#!/usr/bin/env bash
# The uninstall as a user starts it: a silent installation of the demo package, then the
# installed uninstaller started the way the program group's "Uninstall Lumetra 6" shortcut and
# the installed-programs list start it, its confirmation answered from another program. Checks
# that the installation's files, folders, shortcuts and registry entries are gone, that what
# belongs to others stays, that the image types are given back, and that the uninstaller's
# temporary copy is left to the next restart, which removes it.
. "$(dirname "$0")/lib.bash"
e2e_init uninstall_cycle
UNI_PROC=$LMT_BUILD_DIR/tests/tools/uni_proc.exe
INST_PROBE=$LMT_BUILD_DIR/tests/tools/inst_probe.exe
INSTALL_DIR='C:\Program Files\Lumetra 6'
SESSION_MANAGER='HKLM\System\CurrentControlSet\Control\Session Manager'

e2e_package "$E2E_TMP/pkg"
pkg=$(e2e_winpath "$E2E_TMP/pkg")

install_silently() {
    local rc
    rc=$(e2e_exitcode "$pkg\\setup.exe" -install -s)
    expect_eq "$rc" 0 "exit code of the silent installation"
    expect_file "$(e2e_c "$INSTALL_DIR\\LmtUnInst.exe")"
    e2e_reg_key_exists 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Lumetra 6' || fail "no Uninstall entry"
}

# The Linux paths of the group folder and shortcuts the installed log records.
logged_paths() {
    local line
    tr -d '\r' <"$(e2e_c "$INSTALL_DIR\\LmtUnInst.log")" | while IFS= read -r line; do
        case $line in
        "Made Dir: "* | "Shell Link: "*) e2e_c "${line#*: }" ;;
        esac
    done
}

temp_copies() { find "$WINEPREFIX/drive_c/users" -maxdepth 4 -iname 'uni*.tmp' 2>/dev/null | sort; }

# Shortcuts and a group folder carrying the product's fixed name, as an earlier version left
# them in the current user's folders.
add_fixed_name_leftovers() {
    local desktop programs
    desktop=$(e2e_reg_query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' Desktop)
    programs=$(e2e_reg_query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' Programs)
    LEFTOVERS=("$(e2e_c "$desktop\\Lumetra 6.lnk")" "$(e2e_c "$programs\\Lumetra 6\\Lumetra 5.lnk")")
    mkdir -p "$(e2e_c "$programs\\Lumetra 6")"
    for f in "${LEFTOVERS[@]}"; do echo L >"$f"; done
    KEEP=$(e2e_c "$desktop\\Lumetra 6 notes.txt")
    echo mine >"$KEEP"
}

# What the application and other programs add beside an installation.
add_neighbours() {
    e2e_reg_add 'HKLM\SOFTWARE\Orvanta\Other Product' /v Path /d 'C:\Other' /f
    e2e_reg_add 'HKCU\SOFTWARE\Orvanta\Lumetra 6\Recent' /v File1 /d 'C:\a.lmp' /f
    e2e_reg_add 'HKCR\LM6.Document\shell\open\command' /ve /d "\"$INSTALL_DIR\\LmtCap6.exe\" \"%1\"" /f
    e2e_reg_add 'HKCR\.bmp' /ve /d 'Paint.Picture' /f
    e2e_reg_add 'HKCR\.png' /ve /d 'Viewer.png' /f
    # The application takes the types over as it does on first use.
    e2e_wine "$INSTALL_DIR\\LmtCap6.exe" -takeover .bmp .jpg
    [[ $(e2e_reg_query 'HKCR\.bmp' /ve) == *LmtCap6.exe* ]] || fail "the application did not take .bmp over"
    expect_eq "$(e2e_reg_query 'HKCR\.bmp' LmtCapOld)" Paint.Picture "saved owner of .bmp"
    add_fixed_name_leftovers
}

expect_removed() {
    local path
    expect_no_file "$(e2e_c "$INSTALL_DIR")"
    for path in "${LOGGED[@]}"; do expect_no_file "$path"; done
    for path in "${LEFTOVERS[@]}"; do expect_no_file "$path"; done
    expect_file "$KEEP"
    for key in 'HKLM\SOFTWARE\Orvanta\Lumetra 6' 'HKCU\SOFTWARE\Orvanta' 'HKCR\LM6.Document' \
        'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Lumetra 6' \
        'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\LmtCap6.exe'; do
        ! e2e_reg_key_exists "$key" || fail "registry key should be gone: $key"
    done
    e2e_reg_key_exists 'HKLM\SOFTWARE\Orvanta\Other Product' || fail "another product's key went"
    expect_eq "$(e2e_reg_query 'HKCR\.bmp' /ve)" Paint.Picture ".bmp given back"
    ! e2e_reg_query 'HKCR\.bmp' LmtCapOld >/dev/null || fail ".bmp keeps LmtCapOld"
    # reg shows a key without a default value as "(value not set)".
    expect_eq "$(e2e_reg_query 'HKCR\.jpg' /ve || true)" "(value not set)" ".jpg's opening program"
    expect_eq "$(e2e_reg_query 'HKCR\.png' /ve)" Viewer.png "another program's .png"
}

# The one temporary copy this uninstall made, named among the restart-time operations.
expect_new_copy_pending() {
    local before=$1 copies pending
    copies=$(comm -13 <(echo "$before") <(temp_copies))
    [ "$(grep -c . <<<"$copies")" = 1 ] || fail "expected one new temporary copy, found [$copies]"
    pending=$("$WINE" reg query "$SESSION_MANAGER" /v PendingFileRenameOperations 2>/dev/null | tr -d '\r')
    grep -qiF "$(basename "$copies")" <<<"$pending" || fail "copy $copies not pending: $pending"
    NEW_COPY=$copies
}

note "silent installation; the application takes two image types over"
install_silently
add_neighbours
mapfile -t LOGGED < <(logged_paths)
[ "${#LOGGED[@]}" -ge 5 ] || fail "installed log records no group or shortcuts"
group_link=$(printf '%s\n' "${LOGGED[@]}" | grep '/Uninstall Lumetra 6.lnk$') || fail "no uninstall shortcut logged"
expect_file "$group_link"
link_win=$(grep '^Shell Link: .*\\Uninstall Lumetra 6.lnk' "$(e2e_c "$INSTALL_DIR\\LmtUnInst.log")" | tr -d '\r')
link_win=${link_win#Shell Link: }

note "the group's uninstall shortcut: No leaves everything as it was"
before=$(temp_copies)
e2e_wine start "$link_win"
out=$(e2e_winctl answer "Lumetra Setup" 7 --has-id 65535 --timeout 30000) || fail "no confirmation box"
grep -qF 'msgbox text=This will completely uninstall Lumetra 6.\nDo you want to continue? icon=exclamation default=7' \
    <<<"$out" || fail "confirmation box: $out"
e2e_winctl gone "Lumetra Setup" --timeout 10000 >/dev/null || fail "box still open"
"$WINE" "$UNI_PROC" wait-gone 'LmtUnInst.exe' --timeout 10000 >/dev/null || fail "uninstaller still running"
expect_file "$(e2e_c "$INSTALL_DIR\\LmtUnInst.exe")"
expect_file "$group_link"
expect_eq "$(temp_copies)" "$before" "temporary copies after No"

note "the same shortcut with the application running: Yes closes it, removes the installation"
# Another process keeps the instance list open across the hand-over, as a second setup would, so
# an entry the ending uninstaller left behind would still be there when its copy runs.
holder_ready=$E2E_TMP/holder.ready holder_stop=$E2E_TMP/holder.stop
e2e_wine "$INST_PROBE" write --ready "$(e2e_winpath "$holder_ready")" --stop "$(e2e_winpath "$holder_stop")" \
    --timeout 90 >/dev/null &
e2e_wait_for test -f "$holder_ready" || fail "the instance list holder did not start"
e2e_wine "$INSTALL_DIR\\LmtCap6.exe" &
e2e_winctl wait "Lumetra 6" --timeout 30000 >/dev/null || fail "the application did not start"
e2e_wine start "$link_win"
e2e_winctl wait "Lumetra Setup" --has-id 65535 --timeout 30000 >/dev/null || fail "no confirmation box"
uninstaller_pid=$("$WINE" "$UNI_PROC" list LmtUnInst.exe | tr -d '\r' | sed -n 's/^pid=\([0-9]*\) .*/\1/p')
[ -n "$uninstaller_pid" ] || fail "no uninstaller process while its confirmation shows"
e2e_winctl answer "Lumetra Setup" 6 --has-id 65535 >/dev/null
out=$(e2e_winctl wait "Lumetra Setup" --has-id 65535 --timeout 60000 && e2e_winctl dump "Lumetra Setup" --has-id 65535) ||
    fail "no completion message"
grep -qF 'msgbox text=Lumetra 6 has been completely uninstalled from this computer.' <<<"$out" || fail "message: $out"
# The message comes after all removal.
expect_removed
# The uninstaller left the instance list when it handed over: its id is not among the members.
list=$(e2e_wine "$INST_PROBE" show | tr -d '\r')
ids=$(sed -n 's/.* ids=\([0-9,]*\) .*/\1/p' <<<"$list")
[[ ,$ids, != *",$uninstaller_pid,"* ]] || fail "the ended uninstaller $uninstaller_pid is still listed: $list"
touch "$holder_stop"
e2e_screenshot uninstall-completed "Lumetra Setup" --has-id 65535 >/dev/null
e2e_winctl click "Lumetra Setup" 1 --has-id 65535 >/dev/null
"$WINE" "$UNI_PROC" wait-gone 'uni*.tmp' --timeout 30000 >/dev/null || fail "temporary copy still running"
expect_new_copy_pending "$before"
first_copy=$NEW_COPY

note "reinstalled; the installed-programs list starts the uninstaller"
install_silently
add_fixed_name_leftovers
mapfile -t LOGGED < <(logged_paths)
before=$(temp_copies)
e2e_wine uninstaller --remove 'Lumetra 6' &
list_pid=$!
e2e_winctl answer "Lumetra Setup" 6 --has-id 65535 --timeout 30000 >/dev/null || fail "no confirmation box"
e2e_winctl answer "Lumetra Setup" 1 --has-id 65535 --timeout 60000 >/dev/null || fail "no completion message"
wait $list_pid || true
"$WINE" "$UNI_PROC" wait-gone 'uni*.tmp' --timeout 30000 >/dev/null || fail "temporary copy still running"
expect_removed
expect_new_copy_pending "$before"
second_copy=$NEW_COPY

note "the next restart deletes both temporary copies"
lmt_session_stop "$WINEPREFIX"
e2e_wine wineboot -r >/dev/null 2>&1
expect_no_file "$first_copy"
expect_no_file "$second_copy"
echo "PASS"
