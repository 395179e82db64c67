#!/usr/bin/env bash
# The framework's message box: the application title as caption, the default icons (exclamation
# on an OK box, question on a Yes/No box), the icon and default button the caller names, and the
# active window as owner. Each box is answered by a separate program.
. "$(dirname "$0")/lib.bash"
e2e_init framework_msgbox
MSGBOX=$LMT_BUILD_DIR/tests/tools/msgbox.exe

# flags  string-or-text  answer  expected msgbox line  expected result
while IFS='|' read -r flags prompt answer expected result; do
    [ -n "$flags" ] || continue
    note "AfxMessageBox flags $flags, $prompt"
    e2e_wine "$MSGBOX" "$flags" "$prompt" >"$E2E_TMP/out" &
    pid=$!
    dump=$(e2e_winctl answer "Lumetra Setup" "$answer" --has-id 65535)
    wait $pid
    grep -q "^msgbox $expected\$" <<<"$dump" || { echo "$dump"; fail "box for $flags $prompt"; }
    expect_eq "$(tr -d '\r' <"$E2E_TMP/out")" "result=$result" "answer to $flags"
done <<'CASES'
0|23|1|text=Error: Please enter a valid group name, minimum 3 letters icon=exclamation default=1|1
4|11|7|text=Do you really want to cancel Lumetra setup? icon=question default=6|7
124|11|6|text=Do you really want to cancel Lumetra setup? icon=question default=7|6
10|text:SetPath failed!|1|text=SetPath failed! icon=error default=1|1
40|20|1|text=Lumetra 6 has been completely uninstalled from this computer. icon=information default=1|1
CASES

note "the box belongs to the active window"
e2e_wine "$MSGBOX" 0 14 --owner >/dev/null &
pid=$!
dump=$(e2e_winctl answer "Lumetra Setup" 1 --has-id 65535)
wait $pid
grep -q '^owner caption=Lumetra Setup$' <<<"$dump" || { echo "$dump"; fail "owner"; }
