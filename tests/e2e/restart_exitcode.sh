#!/usr/bin/env bash
# An upgrade that finds an installed file held open (neither deletable nor movable) leaves the new
# copy for the next restart and says so with exit code 3010; after the restart the new content is
# in place.
. "$(dirname "$0")/lib.bash"
e2e_init restart_exitcode
e2e_package "$E2E_TMP/old" --app-version 6.0.2.0
e2e_package "$E2E_TMP/new"
printf 'read-me of the new version\r\n' >"$E2E_TMP/new/readme.txt"

note "first installation: exit code 0"
expect_eq "$(e2e_exitcode "$(e2e_winpath "$E2E_TMP/old")\\setup.exe" -s)" 0 "exit code of the first installation"
dir=$(e2e_c 'C:\Program Files\Lumetra 6')
expect_file "$dir/readme.txt"

note "upgrade while readme.txt is held open with share mode 0: exit code 3010"
e2e_wine "$LMT_BUILD_DIR/tests/tools/holdfile.exe" 'C:\Program Files\Lumetra 6\readme.txt' 'C:\held.ready' &
holder=$!
e2e_wait_for test -f "$(e2e_c 'C:\held.ready')" || fail "the file was not held"
expect_eq "$(e2e_exitcode "$(e2e_winpath "$E2E_TMP/new")\\setup.exe" -s)" 3010 "exit code of the upgrade"
expect_eq "$(tr -d '\r' <"$dir/readme.txt.new")" "read-me of the new version" "content waiting in readme.txt.new"
pending=$("$WINE" reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' /v PendingFileRenameOperations | tr -d '\r')
grep -q 'readme.txt.new' <<<"$pending" || { echo "$pending"; fail "no rename pending"; }
expect_eq "$(e2e_reg_query 'HKLM\SOFTWARE\Orvanta\Lumetra 6' Path)" 'C:\Program Files\Lumetra 6' "installation recorded"

note "after the restart the new content is in place"
kill $holder 2>/dev/null || true
lmt_session_stop "$WINEPREFIX"
"$WINE" wineboot -r >/dev/null 2>&1
"$WINESERVER" -w
expect_eq "$(tr -d '\r' <"$dir/readme.txt")" "read-me of the new version" "content after the restart"
expect_no_file "$dir/readme.txt.new"
