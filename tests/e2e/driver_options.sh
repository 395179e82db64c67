#!/usr/bin/env bash
# The install driver's options on a first installation, its damaged-package exit and "-runafter":
# "-instdir" naming the parent (with a trailing backslash, missing, as the last argument), the
# options shown by the wizard, the run check box overriding "-runafter", and the application
# started with the installation directory as its working directory.
. "$(dirname "$0")/lib.bash"
. "$(dirname "$0")/../gui/wizard.bash"
wiz_prepare driver_options
PRODUCT='HKLM\SOFTWARE\Orvanta\Lumetra 6'
APP_PATH='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\LmtCap6.exe'
damaged="This setup files are damaged, installation aborted.\n\nPlease download the product again from http://www.orvanta.example and re-try the setup."

# Forgets the installation, so that the next run is a first installation again.
forget_installation() {
    "$WINE" reg delete "$PRODUCT" /f >/dev/null 2>&1 || true
    "$WINE" reg delete "$APP_PATH" /f >/dev/null 2>&1 || true
    : >"$URL_LOG"
    : >"$STANDIN_LOG"
}

# damaged_run WHAT: the package is damaged: string 18, the vendor's home page, exit code 1.
damaged_run() {
    wiz_start "$@"
    box_answer 1
    expect_box "$damaged" error 1
    wiz_wait_exit
    expect_eq "$EXIT_CODE" 1 "exit code with damaged setup files"
    e2e_wait_for grep -q 'url=' "$URL_LOG" || fail "home page not opened"
    expect_eq "$(tr -d '\r' <"$URL_LOG")" "url=http://www.orvanta.example" "home page"
    e2e_reg_key_exists "$PRODUCT" && fail "registry written from damaged setup files"
    : >"$URL_LOG"
}

note "damaged: no source list"
mv "$PKG/LmtUnInst.log" "$PKG/source-list.saved"
damaged_run
note "damaged: an application without version information, also when silent"
mv "$PKG/source-list.saved" "$PKG/LmtUnInst.log"
cp "$PKG/LmtCap6.exe" "$E2E_TMP/LmtCap6.saved"
echo "not a program" >"$PKG/LmtCap6.exe"
damaged_run -s
cp "$E2E_TMP/LmtCap6.saved" "$PKG/LmtCap6.exe"

note "silent, -runafter, -instdir with a trailing backslash: the application starts in the installation"
parent=$E2E_TMP/apps
mkdir -p "$parent"
parent_win=$(e2e_winpath "$parent")
wiz_start -s -runafter -instdir "$parent_win\\"
wiz_wait_exit
expect_eq "$EXIT_CODE" 0 "exit code"
expect_eq "$(e2e_reg_query "$PRODUCT" Path)" "$parent_win\\Lumetra 6" "installation under the -instdir folder"
expect_eq "$(e2e_reg_query "$PRODUCT" AllUsers)" B "a silent first installation is for all users"
e2e_wait_for grep -q 'start ' "$STANDIN_LOG" || fail "the application was not started"
grep -qF "start cwd=$parent_win\\Lumetra 6 cmdline=\"$parent_win\\Lumetra 6\\LmtCap6.exe\"" "$STANDIN_LOG" ||
    fail "application start: $(cat "$STANDIN_LOG")"
[ ! -s "$URL_LOG" ] || fail "silent installation opened a page"
pid=$(sed -n 's/^pid=\([0-9]*\) start .*/\1/p' "$STANDIN_LOG" | head -n1)
"$WINE" taskkill /F /PID "$pid" >/dev/null 2>&1 || true

note "-instdir naming a missing folder, or as the last argument: the default folder"
for args in "-instdir C:\\no\\such\\folder" "-allusers -instdir"; do
    forget_installation
    # shellcheck disable=SC2086
    wiz_start -s $args
    wiz_wait_exit
    expect_eq "$EXIT_CODE" 0 "exit code ($args)"
    expect_eq "$(e2e_reg_query "$PRODUCT" Path)" 'C:\Program Files\Lumetra 6' "installation folder ($args)"
done

note "interactive first installation with options: the wizard shows them; the check box overrides -runafter"
forget_installation
mkdir -p "$(e2e_c 'C:\Parent Folder')"
wiz_start -allusers -autostart -nodeskico -runafter -instdir 'C:\Parent Folder'
wiz_wait "$S" '^ctrl id=1003 '
wiz_next "$S" "$A" '^ctrl id=1000 '
wiz_next "$A" "$S" '^ctrl id=1013 '
expect_eq "$(ctrl_text 1013 Static)" 'C:\Parent Folder\Lumetra 6' "destination from -instdir"
expect_ctrl 1002 Button "checked=1"
wiz_next "$S" "$S" '^ctrl id=1008 '
expect_ctrl 1008 Button "checked=1"
expect_ctrl 1009 Button "checked=0"
wiz_next "$S" "$S" '^ctrl id=1010 '
wiz_next "$S" "$S" '^ctrl id=1 class=Button .* text=&Finish >$'
expect_ctrl 1012 Button "visible=1 enabled=1 focus=0 default=0 checked=0"
e2e_winctl click "$S" 1 --has-id $FRAME_ID
wiz_wait_exit
expect_eq "$EXIT_CODE" 0 "exit code"
expect_eq "$(e2e_reg_query "$PRODUCT" AllUsers)" B "scope from -allusers"
e2e_wait_for grep -q 'url=' "$URL_LOG" || fail "no page opened"
expect_eq "$(tr -d '\r' <"$URL_LOG")" "url=http://www.orvanta.example/lmax/InstScript.asp?ref=demo" "page opened"
sleep 1
[ ! -s "$STANDIN_LOG" ] || fail "started although Run Lumetra was left unchecked: $(cat "$STANDIN_LOG")"
note "no display and no program for web addresses: the damaged exit and the wizard still end"
# Last: a session started without a display spoils windowed runs in this prefix.
lmt_session_stop "$WINEPREFIX"
(
    unset DISPLAY
    lmt_session_start "$WINEPREFIX" "$LMT_KEEPALIVE"
    "$WINE" reg delete 'HKLM\Software\Classes\http' /f >/dev/null 2>&1 || true
    forget_installation
    mv "$PKG/LmtUnInst.log" "$PKG/source-list.saved"
    wiz_start -s
    wiz_wait_exit
    expect_eq "$EXIT_CODE" 1 "exit code with damaged setup files and no display"
    mv "$PKG/source-list.saved" "$PKG/LmtUnInst.log"
    wiz_start
    wiz_wait_exit
    expect_eq "$EXIT_CODE" 1602 "exit code when the wizard cannot be shown"
    e2e_reg_key_exists "$PRODUCT" && fail "installed without the wizard"
    exit 0
) || exit 1
note "driver options passed"
