#!/usr/bin/env bash
# Start-up: the uninstall confirmation box, answered by a separate program as a user would.
. "$(dirname "$0")/lib.sh"
e2e_init startup_modes
e2e_package "$E2E_TMP/pkg"
pkg=$(e2e_winpath "$E2E_TMP/pkg")

note "the uninstaller asks string 6 first; No ends it with nothing changed"
e2e_exitcode "$pkg\\LmtUnInst.exe" >"$E2E_TMP/rc" & pid=$!
e2e_winctl wait "Lumetra Setup" --has-id 65535 || fail "no confirmation box"
sleep 0.5
e2e_screenshot uninstall-confirmation "Lumetra Setup" --has-id 65535 >/dev/null
out=$(e2e_winctl answer "Lumetra Setup" 7 --has-id 65535)
echo "$out"
wait $pid || true
rc=$(cat "$E2E_TMP/rc")
grep -q 'msgbox text=This will completely uninstall Lumetra 6.\\nDo you want to continue? icon=exclamation default=7' <<<"$out" || fail "box text, icon or default"
expect_eq "$rc" 1602 "exit code after No"
