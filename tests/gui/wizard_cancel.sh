#!/usr/bin/env bash
# Leaving the wizard: Cancel, Escape and "No" with their confirmation; the agreement taken from the
# setup's own folder whatever the working directory; Finish without "Run Lumetra"; and the
# destination page over an existing installation (its note), with Cancel from the group page.
. "$(dirname "$0")/../e2e/lib.bash"
. "$(dirname "$0")/wizard.bash"
wiz_prepare wizard_cancel
confirm="Do you really want to cancel Lumetra setup?"

nothing_installed() {
    e2e_reg_key_exists 'HKLM\SOFTWARE\Orvanta\Lumetra 6' && fail "registry written by a cancelled setup"
    expect_no_file "$(e2e_c 'C:\Program Files\Lumetra 6')"
    [ -s "$URL_LOG" ] && fail "page opened by a cancelled setup: $(cat "$URL_LOG")"
    [ -s "$STANDIN_LOG" ] && fail "application started by a cancelled setup"
    return 0
}

note "started from another folder: Cancel asks, No keeps the welcome page"
elsewhere=$E2E_TMP/elsewhere
mkdir -p "$elsewhere"
echo "A DIFFERENT TEXT LYING IN THE WORKING DIRECTORY" >"$elsewhere/agreement.txt"
wiz_start --cwd "$elsewhere"
wiz_wait "$S" '^ctrl id=1003 '
e2e_winctl click "$S" 2 --has-id $FRAME_ID
box_answer 7
expect_box "$confirm" question 7
wiz_wait "$S" '^window caption=.* enabled=1$'
expect_frame "$S" "visible=0" "&Next >" "visible=1 enabled=1" "Cancel" "visible=1 enabled=1" "visible=1"

note "the agreement comes from the setup's folder"
wiz_next "$S" "$A" '^ctrl id=1000 class=Edit '
expect_eq "$(ctrl_text 1000 Edit)" "$(as_dump_text "$PKG/agreement.txt")" "agreement text"

note "Escape inside the agreement text asks as Cancel does; the page stays"
e2e_winctl key "$A" tab --has-id $FRAME_ID
e2e_winctl key "$A" tab --has-id $FRAME_ID
wiz_wait "$A" '^ctrl id=1000 class=Edit visible=1 enabled=1 focus=1 '
e2e_winctl key "$A" escape --has-id $FRAME_ID
box_answer 7
expect_box "$confirm" question 7
wiz_wait "$A" '^window caption=.* enabled=1$'
expect_ctrl 0 '#32770' "visible=1"
expect_ctrl 1000 Edit "visible=1"

note "\"No\" on the agreement, then Yes: cancelled, nothing installed"
e2e_winctl click "$A" 2 --has-id $FRAME_ID
box_answer 6
expect_box "$confirm" question 7
wiz_wait_exit
expect_eq "$EXIT_CODE" 1602 "exit code after cancelling"
nothing_installed

note "Escape on the welcome page asks too; Yes cancels"
wiz_start
wiz_wait "$S" '^ctrl id=1003 '
e2e_winctl key "$S" escape --has-id $FRAME_ID
box_answer 6
expect_box "$confirm" question 7
wiz_wait_exit
expect_eq "$EXIT_CODE" 1602 "exit code after Escape"
nothing_installed

note "a first installation with the defaults, finished without Run Lumetra"
wiz_start
wiz_wait "$S" '^ctrl id=1003 '
wiz_next "$S" "$A" '^ctrl id=1000 '
wiz_next "$A" "$S" '^ctrl id=1013 '
wiz_next "$S" "$S" '^ctrl id=1008 '
wiz_next "$S" "$S" '^ctrl id=1010 '
wiz_next "$S" "$S" '^ctrl id=1 class=Button .* text=&Finish >$'
e2e_winctl click "$S" 1 --has-id $FRAME_ID
wiz_wait_exit
expect_eq "$EXIT_CODE" 0 "exit code"
expect_eq "$(e2e_reg_query 'HKLM\SOFTWARE\Orvanta\Lumetra 6' Path)" 'C:\Program Files\Lumetra 6' "registered path"
desktop=$(e2e_reg_query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' Desktop)
expect_file "$(e2e_c "$desktop\\Lumetra 6.lnk")"
e2e_wait_for grep -q 'url=' "$URL_LOG" || fail "no page opened"
sleep 1
[ -s "$STANDIN_LOG" ] && fail "the application was started with Run Lumetra unchecked"
: >"$URL_LOG"

note "over that installation: the same version asks string 17"
wiz_start
box_answer 6
expect_box 'Lumetra ver. 6.00.03.00 is already installed on this machine.\n\nWould you like to run this setup again to select different options or repair the files?' question 6

note "the destination holds the product: string 19 at once; another folder brings the template note back"
wiz_wait "$S" '^ctrl id=1003 '
wiz_next "$S" "$A" '^ctrl id=1000 '
wiz_next "$A" "$S" '^ctrl id=1013 '
has_product="This folder already contains a previous copy of Lumetra 6. To upgrade or re-install that copy, please do not change the destination folder."
expect_eq "$(ctrl_text 1006 Static)" "$has_product" "note over the existing installation"
expect_eq "$(ctrl_text 1013 Static)" 'C:\Program Files\Lumetra 6' "destination of the existing installation"
expect_ctrl 1001 Button "checked=1"
shot wizard-2-folder-existing "$S"
wiz_browse_to 'C:\windows'
wiz_wait "$S" '^ctrl id=1013 class=Static .* text=C:\\windows\\Lumetra 6$'
expect_eq "$(ctrl_text 1006 Static)" "To install into a different folder, Click Browse, and select another one." "note elsewhere"
wiz_browse_to 'C:\Program Files\Lumetra 6'
wiz_wait "$S" '^ctrl id=1013 class=Static .* text=C:\\Program Files\\Lumetra 6$'
expect_eq "$(ctrl_text 1006 Static)" "$has_product" "note back on the installation"

note "the group of the existing installation; Escape on the group page asks, Cancel then cancels"
wiz_next "$S" "$S" '^ctrl id=1008 '
expect_ctrl 1000 Edit "visible=1" "Lumetra 6"
e2e_winctl key "$S" escape --has-id $FRAME_ID
box_answer 7
expect_box "$confirm" question 7
wiz_wait "$S" '^window caption=.* enabled=1$' '^ctrl id=1008 '
e2e_winctl click "$S" 2 --has-id $FRAME_ID
box_answer 6
wiz_wait_exit
expect_eq "$EXIT_CODE" 1602 "exit code after cancelling over an installation"
expect_file "$(e2e_c 'C:\Program Files\Lumetra 6\LmtCap6.exe')"
[ -s "$URL_LOG" ] && fail "page opened by a cancelled setup"
note "wizard cancel passed"
