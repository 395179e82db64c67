#!/usr/bin/env bash
# Replacing files in use, through a restart of the prefix: a file held open with share mode 0
# waits in T.new while its deletion and the rename of T.new are pending; a running program is
# moved to T.old, which is pending deletion. After the restart the new content is in place and
# the side files are gone.
. "$(dirname "$0")/lib.bash"
e2e_init restart_replace
TOOL=$LMT_BUILD_DIR/tests/tools/replace_tool.exe
src=$(e2e_c 'C:\pkg')
dst=$(e2e_c 'C:\inst')
mkdir -p "$src" "$dst"
printf 'new data' >"$src/held.dat"
printf 'old data' >"$dst/held.dat"
printf 'new program' >"$src/app.exe"

note "replacing while the files are in use"
out=$(e2e_wine "$TOOL" 'C:\pkg' 'C:\inst' | tr -d '\r')
echo "$out"
expect_eq "$out" "$(printf 'held=0\napp=1\nrestart=1')" "copy results"
expect_eq "$(cat "$dst/held.dat")" "old data" "held file before the restart"
expect_eq "$(cat "$dst/held.dat.new")" "new data" "T.new"
expect_eq "$(cat "$dst/app.exe")" "new program" "moved-aside program replaced at once"
expect_file "$dst/app.exe.old"

note "the pending operations, in order"
pending=$("$WINE" reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' /v PendingFileRenameOperations \
    2>/dev/null | tr -d '\r' | grep PendingFileRenameOperations) || fail "no pending operations recorded"
echo "$pending"
# reg prints REG_MULTI_SZ strings joined by \0; each deletion is followed by an empty string.
ops=$(sed 's/.*REG_MULTI_SZ[[:space:]]*//; s/\\0/\n/g' <<<"$pending")
del_line=$(grep -n -x '\\??\\C:\\inst\\held.dat' <<<"$ops" | head -n1 | cut -d: -f1)
ren_line=$(grep -n -x '\\??\\C:\\inst\\held.dat.new' <<<"$ops" | head -n1 | cut -d: -f1)
old_line=$(grep -n -x '\\??\\C:\\inst\\app.exe.old' <<<"$ops" | head -n1 | cut -d: -f1)
[ -n "$del_line" ] && [ -n "$ren_line" ] && [ -n "$old_line" ] || fail "missing pending operations"
[ "$del_line" -lt "$ren_line" ] || fail "the held file must be deleted before T.new is renamed to it"
expect_eq "$(sed -n "$((ren_line + 1))p" <<<"$ops")" '\??\C:\inst\held.dat' "rename destination"

note "restart"
lmt_session_stop "$WINEPREFIX"
"$WINE" wineboot -r </dev/null >/dev/null 2>&1
lmt_session_stop "$WINEPREFIX"
expect_eq "$(cat "$dst/held.dat")" "new data" "held file after the restart"
expect_no_file "$dst/held.dat.new"
expect_no_file "$dst/app.exe.old"
expect_eq "$(cat "$dst/app.exe")" "new program" "program after the restart"
echo "PASS"
