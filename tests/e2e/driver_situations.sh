#!/usr/bin/env bash
# The install driver's situations, one after the other in one prefix: a first silent installation,
# an upgrade through the wizard, the same version and an older version asked about (declined),
# a silent downgrade, and the installer options ignored over an existing installation. Each run
# is the real setup.exe of a package; its exit code, question and opened page are checked.
. "$(dirname "$0")/lib.bash"
. "$(dirname "$0")/../gui/wizard.bash"
wiz_prepare driver_situations
PRODUCT='HKLM\SOFTWARE\Orvanta\Lumetra 6'
INSTALLED='C:\Program Files\Lumetra 6'

# use_package VERSION: PKG and PKG_WIN name a package of that application version.
use_package() {
    PKG=$E2E_TMP/pkg-$1
    [ -d "$PKG" ] || e2e_package "$PKG" --app-version "$1"
    PKG_WIN=$(e2e_winpath "$PKG")
}
installed_is() { cmp -s "$(e2e_c "$INSTALLED\\LmtCap6.exe")" "$E2E_TMP/pkg-$1/LmtCap6.exe"; }
no_page_opened() { [ ! -s "$URL_LOG" ] || fail "$1: page opened: $(cat "$URL_LOG")"; }

note "no installation, silent: installed for all users, no question, no page"
use_package 6.0.2.0
wiz_start -s
wiz_wait_exit
expect_eq "$EXIT_CODE" 0 "exit code of a silent first installation"
expect_eq "$(e2e_reg_query "$PRODUCT" Path)" "$INSTALLED" "registered path"
expect_eq "$(e2e_reg_query "$PRODUCT" AllUsers)" B "a silent first installation is for all users"
installed_is 6.0.2.0 || fail "6.0.2.0 not installed"
no_page_opened "silent installation"

note "installed 6.0.2.0, package 6.0.3.0: no question, the wizard with the previous scope and group"
use_package 6.0.3.0
printf '[InternetShortcut]\r\nURL=http://www.orvanta.example/\r\n' >"$PKG/HomePage.url"
wiz_start
wiz_wait "$S" '^ctrl id=1003 '
expect_eq "$(ctrl_text 1003 Static | sed 's/\\n.*//')" "Lumetra ver. 6.00.03 " "version shown"
wiz_next "$S" "$A" '^ctrl id=1000 '
wiz_next "$A" "$S" '^ctrl id=1013 '
expect_ctrl 1002 Button "checked=1"
wiz_next "$S" "$S" '^ctrl id=1008 '
expect_ctrl 1000 Edit "visible=1" "Lumetra 6"
wiz_next "$S" "$S" '^ctrl id=1010 '
wiz_next "$S" "$S" '^ctrl id=1 class=Button .* text=&Finish >$'
e2e_winctl click "$S" 1 --has-id $FRAME_ID
wiz_wait_exit
expect_eq "$EXIT_CODE" 0 "exit code of the upgrade"
installed_is 6.0.3.0 || fail "6.0.3.0 not installed"
e2e_wait_for grep -q 'url=' "$URL_LOG" || fail "no page after the upgrade"
expect_eq "$(tr -d '\r' <"$URL_LOG")" "url=http://www.orvanta.example/lmax/installed.asp" "page after an upgrade without query"
: >"$URL_LOG"

note "installed 6.0.3.0, package 6.0.3.0: string 17; No stops with nothing done"
wiz_start
box_answer 7
expect_box 'Lumetra ver. 6.00.03.00 is already installed on this machine.\n\nWould you like to run this setup again to select different options or repair the files?' question 6
wiz_wait_exit
expect_eq "$EXIT_CODE" 1602 "exit code after declining a repair"
e2e_winctl wait "$S" --has-id $FRAME_ID --timeout 500 >/dev/null 2>&1 && fail "the wizard came up after No"
no_page_opened "declined repair"

note "installed 6.0.3.0, package 6.1.0.0 silent: upgraded"
use_package 6.1.0.0
wiz_start -s
wiz_wait_exit
expect_eq "$EXIT_CODE" 0 "exit code of a silent upgrade"
installed_is 6.1.0.0 || fail "6.1.0.0 not installed"
no_page_opened "silent upgrade"

note "installed 6.1.0.0, package 6.0.3.0: string 16 with both versions; No stops"
use_package 6.0.3.0
wiz_start
box_answer 7
expect_box 'Lumetra v. 6.01.00.00 is already installed on this machine. You are trying to install an older version 6.00.03.00 .\n\nDo you still want to continue?' question 6
wiz_wait_exit
expect_eq "$EXIT_CODE" 1602 "exit code after declining a downgrade"
installed_is 6.1.0.0 || fail "the installation changed after No"

note "Yes on string 16 goes on to the wizard"
wiz_start
box_answer 6
wiz_wait "$S" '^ctrl id=1003 '
e2e_winctl click "$S" 2 --has-id $FRAME_ID
box_answer 6
wiz_wait_exit
expect_eq "$EXIT_CODE" 1602 "exit code after cancelling the wizard"

note "installed 6.1.0.0, package 6.0.3.0 silent: installed without a question, no page"
wiz_start -s
wiz_wait_exit
expect_eq "$EXIT_CODE" 0 "exit code of a silent downgrade"
installed_is 6.0.3.0 || fail "6.0.3.0 not installed over 6.1.0.0"
no_page_opened "silent downgrade"

note "over an installation the options are not read: scope from AllUsers, no start, no other folder"
e2e_reg_add "$PRODUCT" /v AllUsers /t REG_SZ /d A /f
mkdir -p "$(e2e_c 'C:\Elsewhere')"
wiz_start -s -allusers -runafter -autostart -instdir 'C:\Elsewhere'
wiz_wait_exit
expect_eq "$EXIT_CODE" 0 "exit code"
expect_eq "$(e2e_reg_query "$PRODUCT" AllUsers)" A "scope kept from the installation"
expect_eq "$(e2e_reg_query "$PRODUCT" Path)" "$INSTALLED" "installation directory kept"
expect_no_file "$(e2e_c 'C:\Elsewhere\Lumetra 6')"
startup_dir=$(e2e_reg_query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' Startup)
expect_no_file "$(e2e_c "$startup_dir\\Lumetra 6.lnk")"
sleep 1
[ -s "$STANDIN_LOG" ] && fail "-runafter was read over an installation: $(cat "$STANDIN_LOG")"
note "driver situations passed"
