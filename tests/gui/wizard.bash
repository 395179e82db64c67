# Shared functions of the wizard and install-driver scripts: a prefix that draws legible dialogs
# and records the web pages the setup opens, the setup started from a package, and checks of the
# wizard frame as winctl and wiz_ctl see it. Source it after tests/e2e/lib.bash.
WIZ=$LMT_BUILD_DIR/tests/tools/wiz_ctl.exe
RECORDER=$LMT_BUILD_DIR/tests/tools/wiz_urlrecorder.exe
FRAME_ID=1002
BOX_ID=65535
# The frame's captions: the setup's own, and the one it takes while the agreement is shown.
S="Lumetra Setup"
A="Please accept the License Agreement"

# wiz_prepare NAME: e2e_init plus the classic dialog font (so dialog units are the pixels the
# templates were drawn for), title bars drawn by Wine, the recording browser, and a package.
wiz_prepare() {
    e2e_init "$1"
    # Wine links the user's Desktop and document folders to the Linux home: shortcuts put there
    # would land outside the prefix, and a test would see those of every other prefix.
    local link
    for link in "$WINEPREFIX"/drive_c/users/*/{Desktop,Documents,Downloads,Music,Pictures,Videos}; do
        if [ -L "$link" ]; then
            rm -f "$link"
            mkdir -p "$link"
        fi
    done
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    e2e_reg_add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f ||
        fail "could not turn off the window manager's title bars"
    URL_LOG=$E2E_TMP/urls.log
    STANDIN_LOG=$E2E_TMP/standin.log
    : >"$URL_LOG"
    : >"$STANDIN_LOG"
    local command
    command="\"$(e2e_winpath "$RECORDER")\" \"$(e2e_winpath "$URL_LOG")\" \"%1\""
    e2e_reg_add 'HKLM\Software\Classes\http\shell\open\command' /ve /t REG_SZ /d "$command" /f ||
        fail "could not register the recording browser"
    PKG=$E2E_TMP/pkg
    e2e_package "$PKG"
    PKG_WIN=$(e2e_winpath "$PKG")
}

# wiz_start [--cwd DIR] ARGS...: starts the package's setup with those arguments (each one word of
# the command line, quoted by Wine when it holds a blank) in the background, in the package's
# folder unless named. Its full exit code is written straight into a file: a pipe would stay open
# as long as the application the setup starts, which inherits it.
wiz_start() {
    local cwd=$PKG
    if [ "${1:-}" = --cwd ]; then
        cwd=$2
        shift 2
    fi
    rm -f "$E2E_TMP/rc"
    (cd "$cwd" && LMT_STANDIN_LOG=$(e2e_winpath "$STANDIN_LOG") exec "$WINE" "$LMT_BUILD_DIR/tests/tools/exitcode.exe" \
        "$PKG_WIN\\setup.exe" "$@" >"$E2E_TMP/rc" 2>/dev/null </dev/null) &
    SETUP_PID=$!
}

# wiz_wait_exit: waits (60 s at most) for the setup started by wiz_start; its exit code in
# $EXIT_CODE.
wiz_wait_exit() {
    e2e_wait_for grep -qs '^exit=' "$E2E_TMP/rc" || fail "the setup did not end"
    EXIT_CODE=$(tr -d '\r' <"$E2E_TMP/rc" | sed -n 's/^exit=//p')
    wait "$SETUP_PID" 2>/dev/null || true
}

# wiz_dump CAPTION: the frame of that caption as winctl sees it, in $DUMP.
wiz_dump() { DUMP=$(e2e_winctl dump "$1" --has-id $FRAME_ID 2>/dev/null) || DUMP=; }

# wiz_wait CAPTION PATTERN...: dumps the frame until every pattern (grep -E) matches, 20 s at most.
wiz_wait() {
    local caption=$1 pattern ok
    shift
    for _ in $(seq 1 100); do
        wiz_dump "$caption"
        ok=1
        for pattern in "$@"; do
            grep -qE -- "$pattern" <<<"$DUMP" || { ok=0; break; }
        done
        [ $ok = 1 ] && return 0
        sleep 0.2
    done
    echo "$DUMP" >&2
    fail "frame \"$caption\" never showed: $*"
}

# wiz_next CAPTION NEXT_CAPTION PATTERN...: presses Next on the frame, then waits for the frame
# (under its next caption) to show every pattern.
wiz_next() {
    e2e_winctl click "$1" 1 --has-id $FRAME_ID
    shift
    wiz_wait "$@"
}

# wiz_browse_to PATH: on the destination page, Browse, pick PATH in the folder tree, OK.
wiz_browse_to() {
    e2e_winctl click "$S" 1005 --has-id $FRAME_ID
    "$WINE" "$WIZ" browse-wait >/dev/null || fail "no browse dialog"
    "$WINE" "$WIZ" browse-select "$1" || fail "cannot select $1"
    "$WINE" "$WIZ" browse-ok
}

# ctrl ID CLASS: the dump line of that control.
ctrl() { grep -m1 "^ctrl id=$1 class=$2 " <<<"$DUMP" || true; }
ctrl_text() { ctrl "$1" "$2" | sed 's/^.* text=//'; }

# expect_ctrl ID CLASS "visible=1 enabled=1 ..." [TEXT]: the control's state fields (in dump
# order) and, when given, its text.
expect_ctrl() {
    local line
    line=$(ctrl "$1" "$2")
    [ -n "$line" ] || fail "no control $1 ($2) in: $DUMP"
    [[ $line == *" $3 "* ]] || fail "control $1: expected [$3] in [$line]"
    [ $# -lt 4 ] || expect_eq "$(ctrl_text "$1" "$2")" "$4" "text of control $1"
}

# expect_frame CAPTION BACK NEXT_TEXT NEXT CANCEL_TEXT CANCEL PICTURE: the frame's own parts, each
# state written as winctl prints it ("visible=1 enabled=1 focus=1").
expect_frame() {
    grep -q "^window caption=$1 class=#32770" <<<"$DUMP" || fail "frame caption: $(head -n1 <<<"$DUMP")"
    expect_ctrl 3 Button "$2" "< &Back"
    expect_ctrl 1 Button "$4" "$3"
    expect_ctrl 2 Button "$6" "$5"
    expect_ctrl $FRAME_ID Static "$7"
}

# expect_page_beside_picture CAPTION: the page right of the picture by 4 pixels, level with its top.
expect_page_beside_picture() {
    local layout px py pw page_x page_y
    layout=$("$WINE" "$WIZ" layout "$1" | tr -d '\r')
    read -r px py pw <<<"$(sed -n 's/^picture x=\(-*[0-9]*\) y=\(-*[0-9]*\) w=\([0-9]*\).*/\1 \2 \3/p' <<<"$layout")"
    read -r page_x page_y <<<"$(sed -n 's/^page x=\(-*[0-9]*\) y=\(-*[0-9]*\).*/\1 \2/p' <<<"$layout")"
    expect_eq "$page_x,$page_y" "$((px + pw + 4)),$py" "page position beside the picture ($layout)"
}

# box_answer ID: waits for a message box of the setup, answers it, leaves its dump in $BOX.
box_answer() {
    BOX=$(e2e_winctl answer "Lumetra Setup" "$1" --has-id $BOX_ID) || fail "no message box to answer"
}

# expect_box TEXT ICON DEFAULT: the last answered box.
expect_box() {
    grep -qF "msgbox text=$1 icon=$2 default=$3" <<<"$BOX" || fail "message box: expected [$1 icon=$2 default=$3] in [$BOX]"
}

# expect_no_box: no message box of the setup comes up within 1.5 s.
expect_no_box() {
    if e2e_winctl wait "Lumetra Setup" --has-id $BOX_ID --timeout 1500 >/dev/null 2>&1; then
        box_answer 2
        fail "unexpected message box: $BOX"
    fi
}

# shot NAME [CAPTION]: a screenshot of the frame (or the whole screen), after painting settles.
shot() {
    sleep 0.3
    if [ $# -gt 1 ]; then
        e2e_screenshot "$1" "$2" --has-id $FRAME_ID >/dev/null
    else
        e2e_screenshot "$1" >/dev/null
    fi
}

# Text of a file as winctl shows a control's text: CRs dropped, line breaks as \n.
as_dump_text() { tr -d '\r' <"$1" | awk 'BEGIN { ORS = "" } { print $0 "\\n" }'; }
