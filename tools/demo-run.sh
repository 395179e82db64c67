#!/usr/bin/env bash
# The demonstration itself (tools/demo.sh sets up, builds and calls this with a display).
#   demo-run.sh            silent install of the demo package, what it left, then the uninstall
#   demo-run.sh --wizard   the same, but the installation runs through the wizard on $DISPLAY
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export LMT_BUILD_DIR=${LMT_BUILD_DIR:-$root/build/x86_64}
export LMT_WINE_DIR=$root/out/demo
. "$root/tests/e2e/lib.bash"
mode=${1:-silent}

export WINEPREFIX=$LMT_WINE_DIR/wineprefix
E2E_TMP=$LMT_WINE_DIR
mkdir -p "$E2E_TMP"
lmt_new_prefix "$WINEPREFIX"
trap 'lmt_session_stop "$WINEPREFIX"' EXIT
lmt_session_start "$WINEPREFIX" "$LMT_KEEPALIVE"

pkg=$LMT_WINE_DIR/package
e2e_package "$pkg"
win_pkg=$(e2e_winpath "$pkg")
echo "Demo package ($win_pkg):"
(cd "$pkg" && find . -type f | sort | sed 's/^\.\//  /')
echo "Source list LmtUnInst.log:"
sed 's/\r$//; s/^/  | /' "$pkg/LmtUnInst.log"

echo
if [ "$mode" = --wizard ]; then
    echo "== Installing through the wizard on display $DISPLAY: click through the pages."
    rc=$(e2e_exitcode "$win_pkg\\setup.exe")
else
    echo "== Silent installation: setup.exe -s"
    rc=$(e2e_exitcode "$win_pkg\\setup.exe" -s)
fi
echo "setup.exe exit code: $rc"

install_dir=$(e2e_reg_query 'HKLM\SOFTWARE\Orvanta\Lumetra 6' Path || true)
if [ -z "$install_dir" ]; then
    echo "No installation was recorded in the registry."
    echo
    echo "== Start-up: the uninstaller asks before it removes anything (answered No here)"
    e2e_exitcode "$win_pkg\\LmtUnInst.exe" >"$E2E_TMP/rc" &
    pid=$!
    e2e_winctl answer "Lumetra Setup" 7 --has-id 65535 | sed -n 's/^msgbox /  /p'
    wait $pid || true
    echo "LmtUnInst.exe exit code: $(cat "$E2E_TMP/rc")"
    exit 0
fi

echo
echo "== Installed into $install_dir"
linux_dir=$(e2e_c "$install_dir")
(cd "$linux_dir" && find . -mindepth 1 | sort | sed 's/^\.\//  /')
echo
echo "== Registry"
for key in 'HKLM\SOFTWARE\Orvanta\Lumetra 6' \
           'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\LmtCap6.exe' \
           'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Lumetra 6'; do
    echo "  [$key]"
    "$WINE" reg query "$key" 2>/dev/null | tr -d '\r' | sed -n 's/^    /    /p'
done
echo
echo "== Shortcuts (read back with lnkinfo)"
grep -a '^Shell Link: ' "$linux_dir/LmtUnInst.log" | tr -d '\r' | while read -r _ _ link; do
    echo "  $link"
    lnkinfo "$(e2e_c "$link")" 2>/dev/null | grep -E 'Local path|Working directory|Command line arguments|Description' | sed 's/^\t*/      /' || true
done
echo
echo "== Installed log $install_dir\\LmtUnInst.log"
sed 's/\r$//; s/^/  | /' "$linux_dir/LmtUnInst.log"

echo
echo "== Uninstall: the installed LmtUnInst.exe -s, as deployment tools start it"
rc=$(e2e_exitcode "$install_dir\\LmtUnInst.exe" -s)
echo "LmtUnInst.exe exit code: $rc (the temporary copy finishes the work)"
# The uninstaller hands over to its temporary copy and ends at once: wait for the copy's work.
"$WINE" "$LMT_BUILD_DIR/tests/tools/uni_proc.exe" wait-gone 'uni*.tmp' --timeout 60000 >/dev/null || true
if [ -d "$linux_dir" ]; then
    echo "Left in the installation directory:"
    (cd "$linux_dir" && find . | sed 's/^/  /')
else
    echo "The installation directory is gone."
fi
e2e_reg_key_exists 'HKLM\SOFTWARE\Orvanta\Lumetra 6' && echo "Product key still there." || echo "The product key is gone."
e2e_reg_key_exists 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Lumetra 6' \
    && echo "Uninstall entry still there." || echo "The Uninstall entry is gone."
echo "Waiting for the next restart (PendingFileRenameOperations):"
"$WINE" reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' /v PendingFileRenameOperations 2>/dev/null \
    | tr -d '\r' | sed -n 's/^ *PendingFileRenameOperations *REG_MULTI_SZ */  /p' | sed 's/\\0/\n  /g'
