#!/usr/bin/env bash
# The wizard of a first installation, driven from another process as a user would: every step's
# caption and buttons, Enter as Next, "No" on the agreement, Back and Next keeping what the pages
# stored, the destination rules through the real folder-browse dialog, the group-name refusals,
# the installation and Finish with "Run Lumetra" checked; then what the installation left for the
# current user. Screenshots of every page are kept as build artifacts.
. "$(dirname "$0")/../e2e/lib.bash"
. "$(dirname "$0")/wizard.bash"
wiz_prepare wizard_walk

# A licence longer than its box, to see it shown from its first line.
{
    echo "LICENCE AGREEMENT FOR LUMETRA 6"
    for i in $(seq 1 60); do echo "$i. Term number $i of this agreement."; done
} | sed 's/$/\r/' >"$PKG/agreement.txt"

wiz_start

note "welcome: Back hidden, Next focused, the version line"
wiz_wait "$S" '^ctrl id=1003 '
expect_frame "$S" "visible=0" "&Next >" "visible=1 enabled=1 focus=1" "Cancel" "visible=1 enabled=1" "visible=1"
expect_eq "$(ctrl_text 1003 Static)" 'Lumetra ver. 6.00.03 \nCopyright (C) Orvanta Technology LLC.\nAll rights reserved.' "version line"
expect_page_beside_picture "$S"
shot wizard-0-welcome "$S"

note "Enter acts as Next: the agreement, shown from its start with nothing selected"
e2e_winctl key "$S" enter --has-id $FRAME_ID
wiz_wait "$A" '^ctrl id=1000 class=Edit '
expect_frame "$A" "visible=1 enabled=1" "Yes" "visible=1 enabled=1" "No" "visible=1 enabled=1" "visible=0"
expect_eq "$(ctrl_text 1000 Edit)" "$(as_dump_text "$PKG/agreement.txt")" "agreement text"
edit=$("$WINE" "$WIZ" page-edit "$A" 1000 | tr -d '\r')
[[ $edit == "sel=0,0 firstline=0 "* ]] || fail "agreement box not at its start, or text selected: $edit"
layout=$("$WINE" "$WIZ" layout "$A" | tr -d '\r')
grep -q '^page x=4 y=4 ' <<<"$layout" || fail "agreement page not at (4, 4): $layout"
read -r pr pb <<<"$(awk '/^picture/ { split($2,x,"="); split($3,y,"="); split($4,w,"="); split($5,h,"="); print x[2]+w[2], y[2]+h[2] }' <<<"$layout")"
read -r gr gb <<<"$(awk '/^page/ { split($2,x,"="); split($3,y,"="); split($4,w,"="); split($5,h,"="); print x[2]+w[2], y[2]+h[2] }' <<<"$layout")"
[ "$gr" -ge "$pr" ] && [ "$gb" -ge "$pb" ] || fail "agreement page does not cover the picture's area: $layout"
shot wizard-1-agreement "$A"

note "\"No\" asks; answering No leaves the agreement page as it was"
# Clicking moves the focus to the button clicked; all else stays.
without_focus() { sed 's/ focus=[01] / /' <<<"$1"; }
before=$(without_focus "$DUMP")
e2e_winctl click "$A" 2 --has-id $FRAME_ID
box_answer 7
expect_box "Do you really want to cancel Lumetra setup?" question 7
wiz_wait "$A" '^window caption=.* enabled=1$'
expect_eq "$(without_focus "$DUMP")" "$before" "agreement page after declining to cancel"

note "Back on the agreement: the welcome page as at first"
e2e_winctl click "$A" 3 --has-id $FRAME_ID
wiz_wait "$S" '^ctrl id=1003 '
expect_frame "$S" "visible=0" "&Next >" "visible=1 enabled=1 focus=1" "Cancel" "visible=1 enabled=1" "visible=1"

note "the agreement is read again each time it is shown"
echo "ADDENDUM READ ON THE SECOND VISIT" | sed 's/$/\r/' >>"$PKG/agreement.txt"
wiz_next "$S" "$A" 'ADDENDUM READ ON THE SECOND VISIT'

note "Yes: the destination page of a first installation"
wiz_next "$A" "$S" '^ctrl id=1013 '
expect_frame "$S" "visible=1 enabled=1" "&Next >" "visible=1 enabled=1 focus=1" "Cancel" "visible=1 enabled=1" "visible=1"
expect_eq "$(ctrl_text 1013 Static)" 'C:\Program Files\Lumetra 6' "destination"
note_text='To install into a different folder, Click Browse, and select another one.'
expect_eq "$(ctrl_text 1006 Static)" "$note_text" "folder note"
expect_ctrl 1001 Button "checked=1"
expect_ctrl 1002 Button "checked=0"
expect_page_beside_picture "$S"
shot wizard-2-folder "$S"

note "the browse dialog: its title; cancelling removes an empty destination directory"
mkdir -p "$(e2e_c 'C:\Program Files\Lumetra 6')"
e2e_winctl click "$S" 1005 --has-id $FRAME_ID
"$WINE" "$WIZ" browse-wait >/dev/null || fail "no browse dialog"
browse=$("$WINE" "$WIZ" browse-dump | tr -d '\r')
grep -qx 'static text=Select the folder where where Lumetra should be installed.' <<<"$browse" || fail "browse title: $browse"
shot wizard-2-browse
"$WINE" "$WIZ" browse-cancel
"$WINE" "$WIZ" browse-gone || fail "browse dialog stays"
wiz_wait "$S" '^window caption=.* enabled=1$'
expect_no_file "$(e2e_c 'C:\Program Files\Lumetra 6')"
expect_eq "$(ctrl_text 1013 Static)" 'C:\Program Files\Lumetra 6' "destination after cancel"

note "a folder that is not empty gets a Lumetra 6 folder of its own"
wiz_browse_to 'C:\Program Files'
wiz_wait "$S" '^ctrl id=1013 class=Static .* text=C:\\Program Files\\Lumetra 6$'

note "an empty folder is the destination itself, and is removed again"
mkdir -p "$(e2e_c 'C:\Empty Target')"
wiz_browse_to 'C:\Empty Target'
wiz_wait "$S" '^ctrl id=1013 class=Static .* text=C:\\Empty Target$'
expect_no_file "$(e2e_c 'C:\Empty Target')"

note "a folder holding the product is the destination itself; a first installation keeps the template note"
mkdir -p "$(e2e_c 'C:\Product')"
echo stand-in >"$(e2e_c 'C:\Product\LmtCap6.exe')"
echo other >"$(e2e_c 'C:\Product\other.txt')"
wiz_browse_to 'C:\Product'
wiz_wait "$S" '^ctrl id=1013 class=Static .* text=C:\\Product$'
expect_eq "$(ctrl_text 1006 Static)" "$note_text" "note for a first installation"

note "a folder of version 5 is refused, even when it also holds this version"
mkdir -p "$(e2e_c 'C:\Old Five')"
echo old >"$(e2e_c 'C:\Old Five\LmtCap5.exe')"
echo new >"$(e2e_c 'C:\Old Five\LmtCap6.exe')"
wiz_browse_to 'C:\Old Five'
box_answer 1
expect_box "Lumetra ver. 6 can not be installed into the same folder where the old version 4 or 5 is installed. Please select a different folder." exclamation 1
wiz_wait "$S" '^window caption=.* enabled=1$'
expect_eq "$(ctrl_text 1013 Static)" 'C:\Product' "destination after a refused folder"

note "a drive's root gets one backslash before Lumetra 6"
wiz_browse_to 'C:'
wiz_wait "$S" '^ctrl id=1013 class=Static .* text=C:\\Lumetra 6$'

note "the final destination; all users chosen, then the page left by Back"
mkdir -p "$(e2e_c 'C:\Apps')"
echo x >"$(e2e_c 'C:\Apps\tool.txt')"
wiz_browse_to 'C:\Apps'
wiz_wait "$S" '^ctrl id=1013 class=Static .* text=C:\\Apps\\Lumetra 6$'
"$WINE" "$WIZ" page-click "$S" 1002
wiz_wait "$S" '^ctrl id=1002 class=Button .* checked=1 '
e2e_winctl click "$S" 3 --has-id $FRAME_ID
wiz_wait "$A" '^ctrl id=1000 class=Edit '
wiz_next "$A" "$S" '^ctrl id=1013 class=Static .* text=C:\\Apps\\Lumetra 6$' '^ctrl id=1002 class=Button .* checked=1 '
expect_ctrl 1001 Button "checked=0"

note "back to the current user, then Next: the group page"
"$WINE" "$WIZ" page-click "$S" 1001
wiz_wait "$S" '^ctrl id=1001 class=Button .* checked=1 '
wiz_next "$S" "$S" '^ctrl id=1008 '
expect_frame "$S" "visible=1 enabled=1" "&Next >" "visible=1 enabled=1 focus=1" "Cancel" "visible=1 enabled=1" "visible=1"
expect_ctrl 1000 Edit "visible=1" "Lumetra 6"
expect_ctrl 1008 Button "checked=0"
expect_ctrl 1009 Button "checked=1"
expect_page_beside_picture "$S"
shot wizard-3-group "$S"

# refused TEXT ACTION(1 Next, 3 Back) STRING: the name is refused with that message, the page stays.
refused() {
    e2e_winctl settext "$S" 1000 "$1" --has-id $FRAME_ID
    e2e_winctl click "$S" "$2" --has-id $FRAME_ID
    box_answer 1
    expect_box "$3" exclamation 1
    wiz_wait "$S" '^window caption=.* enabled=1$' '^ctrl id=1008 '
    expect_ctrl 1000 Edit "visible=1" "$1"
    expect_frame "$S" "visible=1 enabled=1" "&Next >" "visible=1 enabled=1" "Cancel" "visible=1 enabled=1" "visible=1"
}
too_short="Error: Please enter a valid group name, minimum 3 letters"
startup="Error: Can not install shortcuts into this group, please select a different name."

note "group names: too short, a Startup folder's name (by Back as by Next)"
refused " ab " 1 "$too_short"
refused "" 3 "$too_short"
e2e_winctl click "$S" 1008 --has-id $FRAME_ID
e2e_winctl click "$S" 1009 --has-id $FRAME_ID
wiz_wait "$S" '^ctrl id=1008 class=Button .* checked=1 ' '^ctrl id=1009 class=Button .* checked=0 '
refused "Startup" 3 "$startup"
refused "STARTUP" 1 "$startup"
# A refused name keeps the boxes as the user set them.
expect_ctrl 1008 Button "checked=1"
expect_ctrl 1009 Button "checked=0"

note "a name that only contains Startup is accepted, trimmed, and stored when leaving by Back"
e2e_winctl settext "$S" 1000 "  Startup Tools  " --has-id $FRAME_ID
e2e_winctl click "$S" 3 --has-id $FRAME_ID
wiz_wait "$S" '^ctrl id=1013 '
wiz_next "$S" "$S" '^ctrl id=1000 class=Edit .* text=Startup Tools$'
expect_ctrl 1008 Button "checked=1"
expect_ctrl 1009 Button "checked=0"

note "three digits are a name; Enter acts as Next: the ready page"
e2e_winctl settext "$S" 1000 "123" --has-id $FRAME_ID
e2e_winctl key "$S" enter --has-id $FRAME_ID
wiz_wait "$S" '^ctrl id=1010 '
expect_frame "$S" "visible=1 enabled=1" "&Next >" "visible=1 enabled=1 focus=1" "Cancel" "visible=1 enabled=1" "visible=1"
expect_ctrl 1010 Static "visible=1" "You are now ready to install Lumetra."
expect_ctrl 1011 Static "visible=1" "Press the Next button to begin the installation or the Back button to change your selections."
expect_ctrl 1009 Static "visible=0" "Installing Lumetra, please wait..."
expect_ctrl 1012 Button "visible=0 enabled=1 focus=0 default=0 checked=0"
expect_page_beside_picture "$S"
shot wizard-4-ready "$S"

note "Back on the ready page shows the group page as stored"
e2e_winctl click "$S" 3 --has-id $FRAME_ID
wiz_wait "$S" '^ctrl id=1000 class=Edit .* text=123$'
expect_ctrl 1008 Button "checked=1"
expect_ctrl 1009 Button "checked=0"
e2e_winctl settext "$S" 1000 "Startup Tools" --has-id $FRAME_ID
wiz_next "$S" "$S" '^ctrl id=1010 '

note "Next installs: the frame while installing"
"$WINE" "$WIZ" watch-install "$S" "$(e2e_winpath "$E2E_TMP/resume")" >"$E2E_TMP/installing" & watcher=$!
sleep 0.5
e2e_winctl click "$S" 1 --has-id $FRAME_ID
e2e_wait_for grep -qE '^(held|missed)' "$E2E_TMP/installing" || fail "install state never seen"
if grep -q '^held' "$E2E_TMP/installing"; then
    shot wizard-5-installing "$S"
    installing=$(tr -d '\r' <"$E2E_TMP/installing")
    for expected in "ctrl id=3 visible=1 enabled=0 text=< &Back" "ctrl id=1 visible=1 enabled=0 text=&Next >" \
        "ctrl id=2 visible=1 enabled=0 text=Cancel" "ctrl id=1010 visible=0" "ctrl id=1011 visible=0" \
        "ctrl id=1009 visible=1 enabled=1 text=Installing Lumetra, please wait..." "ctrl id=1012 visible=0"; do
        grep -qF "$expected" <<<"$installing" || fail "while installing: [$expected] not in [$installing]"
    done
else
    note "the installation ended before it could be held: its state is not checked"
fi
touch "$E2E_TMP/resume"
wait $watcher || true

note "installed: Finish, Back and Cancel disabled, the run check box unchecked"
wiz_wait "$S" '^ctrl id=1 class=Button .* text=&Finish >$'
expect_frame "$S" "visible=1 enabled=0" "&Finish >" "visible=1 enabled=1 focus=1" "Cancel" "visible=1 enabled=0" "visible=1"
expect_ctrl 1010 Static "visible=1" "Lumetra 6 has been successfully installed."
expect_ctrl 1011 Static "visible=1" "Press the Finish button to exit this installation."
expect_ctrl 1009 Static "visible=0"
expect_ctrl 1012 Button "visible=1 enabled=1 focus=0 default=0 checked=0" "Run Lumetra"
shot wizard-5-finished "$S"

note "Escape after the installation cancels nothing"
e2e_winctl key "$S" escape --has-id $FRAME_ID
expect_no_box
wiz_wait "$S" '^ctrl id=1 class=Button .* text=&Finish >$'

note "Finish with Run Lumetra checked"
e2e_winctl click "$S" 1012 --has-id $FRAME_ID
wiz_wait "$S" '^ctrl id=1012 class=Button .* checked=1 '
e2e_winctl click "$S" 1 --has-id $FRAME_ID
wiz_wait_exit
expect_eq "$EXIT_CODE" 0 "exit code"

note "the application started in the installation directory; the page opened with the package's query"
e2e_wait_for grep -q 'start ' "$STANDIN_LOG" || fail "the application was not started"
grep -qF 'start cwd=C:\Apps\Lumetra 6 cmdline="C:\Apps\Lumetra 6\LmtCap6.exe"' "$STANDIN_LOG" ||
    fail "application start: $(cat "$STANDIN_LOG")"
e2e_wait_for grep -q 'url=' "$URL_LOG" || fail "no page opened"
expect_eq "$(tr -d '\r' <"$URL_LOG")" "url=http://www.orvanta.example/lmax/InstScript.asp?ref=demo" "page opened"

note "what the installation left for the current user"
expect_eq "$(e2e_reg_query 'HKLM\SOFTWARE\Orvanta\Lumetra 6' Path)" 'C:\Apps\Lumetra 6' "registered path"
expect_eq "$(e2e_reg_query 'HKLM\SOFTWARE\Orvanta\Lumetra 6' AllUsers)" 'A' "registered scope"
expect_file "$(e2e_c 'C:\Apps\Lumetra 6\LmtCap6.exe')"
expect_file "$(e2e_c 'C:\Apps\Lumetra 6\LmtUnInst.log')"
programs=$(e2e_reg_query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' Programs)
startup_dir=$(e2e_reg_query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' Startup)
desktop=$(e2e_reg_query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' Desktop)
expect_file "$(e2e_c "$programs\\Startup Tools\\Lumetra 6.lnk")"
expect_file "$(e2e_c "$startup_dir\\Lumetra 6.lnk")"
expect_no_file "$(e2e_c "$desktop\\Lumetra 6.lnk")"
stop_standin() {
    local pid
    pid=$(sed -n 's/^pid=\([0-9]*\) start .*/\1/p' "$STANDIN_LOG" | head -n1)
    [ -n "$pid" ] && "$WINE" taskkill /F /PID "$pid" >/dev/null 2>&1 || true
}
stop_standin
note "wizard walk passed"
