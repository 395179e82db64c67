# Shared functions of the end-to-end and wizard test scripts. Source it; then e2e_init NAME.
set -euo pipefail
: "${LMT_BUILD_DIR:?run through CTest, or set LMT_BUILD_DIR}"
LMT_SOURCE_DIR=${LMT_SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
LMT_WINE_DIR=${LMT_WINE_DIR:-$LMT_BUILD_DIR/wine}
LMT_KEEPALIVE=${LMT_KEEPALIVE:-$LMT_BUILD_DIR/tests/tools/keepalive.exe}
. "$LMT_SOURCE_DIR/tools/wine-lib.sh"
WINCTL=$LMT_BUILD_DIR/tests/tools/winctl.exe
E2E_ARTIFACTS=$LMT_BUILD_DIR/artifacts

fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "== $*"; }
expect_eq() { [ "$1" == "$2" ] || fail "$3: expected [$2], got [$1]"; }
expect_file() { [ -e "$1" ] || fail "missing: $1"; }
expect_no_file() { [ ! -e "$1" ] || fail "should be gone: $1"; }

# A display of the test's own, so tests can run side by side without seeing (or covering in a
# screenshot) each other's windows. Display numbers are handed out in turn from a counter shared
# by every run on the machine, never the lowest free one: a server that is still shutting down
# after its test ended holds its number's sockets for a moment, and a new server given that
# number then leaves its clients connected to the dying one (they end silently when it goes).
e2e_next_display() {
    local counter=/tmp/lumetra-display.next n
    (
        flock 9
        n=$(cat "$counter" 2>/dev/null || true)
        case $n in '' | *[!0-9]*) n=200 ;; esac
        [ "$n" -ge 200 ] && [ "$n" -lt 2000 ] || n=200
        echo $((n + 1)) >"$counter"
        echo "$n"
    ) 9>/tmp/lumetra-display.lock
}

e2e_start_display() {
    local fd_file=$E2E_TMP/display n
    for _ in $(seq 1 20); do
        n=$(e2e_next_display)
        : >"$fd_file"
        # Xvfb refuses a number in use by a live server; the next one is tried then.
        Xvfb ":$n" -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
        E2E_XVFB_PID=$!
        for _ in $(seq 1 100); do
            [ -s "$fd_file" ] && break
            kill -0 "$E2E_XVFB_PID" 2>/dev/null || break
            sleep 0.05
        done
        if [ -s "$fd_file" ]; then
            export DISPLAY=:$n
            return 0
        fi
        kill "$E2E_XVFB_PID" 2>/dev/null || true
    done
    fail "Xvfb did not start"
}

e2e_cleanup() {
    lmt_session_stop "$WINEPREFIX"
    [ -n "${E2E_XVFB_PID:-}" ] && kill "$E2E_XVFB_PID" 2>/dev/null
    return 0
}

# A fresh prefix of the test's own with a live session (so the session's daemons never hold the
# caller's pipes), stopped again when the script ends.
e2e_init() {
    E2E_NAME=$1
    export WINEPREFIX=$LMT_WINE_DIR/e2e-$E2E_NAME
    E2E_TMP=$LMT_BUILD_DIR/e2e-tmp/$E2E_NAME
    rm -rf "$E2E_TMP"
    mkdir -p "$E2E_TMP" "$E2E_ARTIFACTS/screenshots"
    e2e_start_display
    lmt_new_prefix "$WINEPREFIX"
    trap e2e_cleanup EXIT
    lmt_session_start "$WINEPREFIX" "$LMT_KEEPALIVE"
}

# e2e_wine PROGRAM ARGS...: runs a Windows program in the test prefix; its exit code (only the
# low byte reaches a Linux parent: use e2e_exitcode for the full code).
e2e_wine() { "$WINE" "$@"; }

# e2e_exitcode 'COMMAND LINE': runs a Windows command line (quote paths with spaces inside it) and
# prints the program's full exit code.
e2e_exitcode() {
    e2e_exit_of "$WINE" "$LMT_BUILD_DIR/tests/tools/exitcode.exe" "$@"
}

# e2e_exit_of COMMAND...: runs a tool that reports "exit=N" and prints N. When no such line
# comes, what the tool printed and how wine ended are shown, so that the failing check says why.
e2e_exit_of() {
    local out status=0
    out=$("$@" | tr -d '\r') || status=$?
    if ! grep -q '^exit=' <<<"$out"; then
        echo "no exit code from: $* (wine status $status, output [$out])" >&2
    fi
    sed -n 's/^exit=//p' <<<"$out"
}

e2e_winpath() { lmt_winpath "$1"; }

# e2e_c 'C:\dir\file': the Linux path of a path on the prefix's drive C.
e2e_c() {
    local p=${1#[Cc]:}
    p=${p//\\//}
    echo "$WINEPREFIX/drive_c$p"
}

# e2e_reg_add ARGS...: "reg add ARGS..." in the test prefix; what reg printed is shown when it
# fails.
e2e_reg_add() {
    local out
    out=$("$WINE" reg add "$@" 2>&1 </dev/null) && return 0
    echo "reg add $*: $out" >&2
    return 1
}

# e2e_reg_query KEY VALUE ('' or /ve for the default value): prints the data; exit 1 when missing.
e2e_reg_query() {
    local key=$1 value=$2 out
    if [ -z "$value" ] || [ "$value" = /ve ]; then
        out=$("$WINE" reg query "$key" /ve 2>/dev/null | tr -d '\r') || return 1
        printf '%s\n' "$out" | awk -F'    ' '/\(Default\)|<NO NAME>/ {print $4; found=1} END {exit !found}'
    else
        out=$("$WINE" reg query "$key" /v "$value" 2>/dev/null | tr -d '\r') || return 1
        printf '%s\n' "$out" | awk -F'    ' -v v="$value" 'tolower($2) == tolower(v) {print $4; found=1} END {exit !found}'
    fi
}

e2e_reg_key_exists() { "$WINE" reg query "$1" >/dev/null 2>&1; }

# e2e_package DIR [make-package options]
e2e_package() {
    local dir=$1
    shift
    bash "$LMT_SOURCE_DIR/tools/make-package.sh" "$dir" --build "$LMT_BUILD_DIR" "$@" >/dev/null
}

# e2e_screenshot NAME [CAPTION [--has-id N]]: a PNG of the screen, or of one window, kept as a
# build artifact.
e2e_screenshot() {
    local name=$1 file=$E2E_ARTIFACTS/screenshots/$1.png
    shift
    if [ $# -gt 0 ]; then
        local rect
        rect=$("$WINE" "$WINCTL" rect "$@" 2>/dev/null | tr -d '\r') || rect=
        if [ -n "$rect" ]; then
            set -- $rect
            import -display "$DISPLAY" -window root -crop "${3}x${4}+${1}+${2}" +repage "$file"
            echo "$file"
            return 0
        fi
    fi
    import -display "$DISPLAY" -window root "$file"
    echo "$file"
}

# e2e_winctl ARGS...: runs winctl in the test prefix; its output without CRs.
e2e_winctl() { "$WINE" "$WINCTL" "$@" | tr -d '\r'; }

# e2e_wait_for COMMAND... : polls a shell condition for up to 60 s.
e2e_wait_for() {
    for _ in $(seq 1 600); do
        if "$@"; then return 0; fi
        sleep 0.1
    done
    return 1
}
