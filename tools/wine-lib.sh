# Wine helpers shared by the emulator wrapper, the tests and the demo. Source this file.
#
# Every run gets a prefix of its own, cloned from one pristine prefix that is made once per
# machine (making one takes ~10 s, cloning it a fraction of a second: the system DLLs are
# hard-linked, everything a run may write in place is copied).

WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINEDEBUG=-all
# No Mono/Gecko prompts; no menu builder (it would outlive the caller and hold its pipes).
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
LMT_WINE_CACHE=${LMT_WINE_CACHE:-${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/lumetra-wine}

lmt_pristine_prefix() {
    local pristine=$LMT_WINE_CACHE/pristine
    mkdir -p "$LMT_WINE_CACHE"
    (
        flock 9
        if [ ! -f "$pristine/.complete" ]; then
            rm -rf "$pristine"
            WINEPREFIX=$pristine "$WINE" wineboot -i </dev/null >/dev/null 2>&1
            WINEPREFIX=$pristine "$WINESERVER" -w
            touch "$pristine/.complete"
        fi
    ) 9>"$LMT_WINE_CACHE/.lock"
    echo "$pristine"
}

# lmt_new_prefix DIR: a fresh prefix at DIR (anything there before is removed).
lmt_new_prefix() {
    local dst=$1 pristine f
    pristine=$(lmt_pristine_prefix)
    lmt_session_stop "$dst" 2>/dev/null || true
    rm -rf "$dst"
    mkdir -p "$(dirname "$dst")"
    cp -al "$pristine" "$dst"
    # Break the links of every file outside the system DLL folders: the registry, win.ini and
    # the like are rewritten in place and must not reach the pristine copy.
    find "$dst" -type f -links +1 ! -path '*/windows/system32/*' ! -path '*/windows/syswow64/*' \
        -print0 | while IFS= read -r -d '' f; do cp -p "$f" "$f.tmp" && mv -f "$f.tmp" "$f"; done
    rm -f "$dst/.complete"
    lmt_detach_user_folders "$dst"
}

# Wine links the user's Desktop, Documents and the like to the Linux home folder; a test prefix
# gets folders of its own, so nothing it installs lands in the home folder.
lmt_detach_user_folders() {
    local link
    for link in "$1"/drive_c/users/*/*; do
        if [ -L "$link" ]; then
            rm -f "$link"
            mkdir -p "$link"
        fi
    done
}

# lmt_session_start PREFIX KEEPALIVE_EXE: keeps one Wine session alive for the prefix, started
# with every standard stream on /dev/null, so that wineserver and the desktop process never hold
# a caller's pipe (CTest would wait for them forever).
lmt_session_start() {
    local prefix=$1 keepalive=$2 ready
    ready=$prefix/drive_c/keepalive.ready
    if [ -f "$prefix/keepalive.pid" ] && kill -0 "$(cat "$prefix/keepalive.pid")" 2>/dev/null; then
        return 0
    fi
    rm -f "$ready"
    WINEPREFIX=$prefix setsid "$WINE" "$keepalive" 'C:\keepalive.ready' </dev/null >/dev/null 2>&1 &
    echo $! >"$prefix/keepalive.pid"
    for _ in $(seq 1 600); do
        [ -f "$ready" ] && return 0
        sleep 0.1
    done
    echo "wine session for $prefix did not start" >&2
    return 1
}

lmt_session_stop() {
    local prefix=$1
    [ -d "$prefix" ] || return 0
    WINEPREFIX=$prefix "$WINESERVER" -k >/dev/null 2>&1 || true
    WINEPREFIX=$prefix "$WINESERVER" -w >/dev/null 2>&1 || true
    rm -f "$prefix/keepalive.pid"
}

# lmt_winpath PATH: the Windows name of a Linux path (through drive Z:).
lmt_winpath() { echo "Z:$(readlink -f "$1" | sed 's|/|\\|g')"; }
