#!/usr/bin/env bash
# Running copies at start-up: the setup asks about them (string 1 or 4), a declined question
# leaves everything as it was, and an accepted one, a "/s" run or an uninstall closes every
# listed process (stand-in applications with the close request first), but never an unrelated
# process whose id sits in the list. The questions are answered by a separate program, as a user
# would.
. "$(dirname "$0")/lib.bash"
e2e_init instances_startup
e2e_package "$E2E_TMP/pkg"
pkg=$(e2e_winpath "$E2E_TMP/pkg")
PROBE=$LMT_BUILD_DIR/tests/tools/inst_probe.exe
MEMBER=$LMT_BUILD_DIR/tests/tools/inst_member.exe
log=$E2E_TMP/standin.log
export LMT_STANDIN_LOG="$(e2e_winpath "$E2E_TMP")\\standin.log"
: >"$log"

# The setup asks a copy to close and terminates it 10 ms later, so a copy must run at once when the
# request arrives to be seen receiving it. Other tests running beside this one load the processors:
# the copies and this prefix's wine server (through which every message passes) get a higher
# scheduling priority where the test may give one (as root), so that they never wait behind them.
boost() { renice -n -10 -p "$@" >/dev/null 2>&1 || true; }
for server in $(pgrep wineserver || true); do
    if tr '\0' '\n' <"/proc/$server/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
        boost "$server"
    fi
done

probe() { "$WINE" "$PROBE" "$@" | tr -d '\r'; }
alive() { "$WINE" "$PROBE" alive "$1" >/dev/null; }
count_lines() { grep -c -- "$1" "$log" || true; }
# logged LINE: waits for the stand-ins' log to hold LINE. Notices are posted, so a copy may handle
# one only after the process that sent it has gone.
logged() { e2e_wait_for grep -qxF -- "$1" "$log"; }

# standin_start: starts the package's application, waits for its main window, prints its id.
standin_start() {
    local before pid
    before=$(count_lines ' start ')
    "$WINE" "$E2E_TMP/pkg/LmtCap6.exe" </dev/null >/dev/null 2>&1 &
    boost $!
    e2e_wait_for bash -c "[ \$(grep -c ' start ' '$log') -gt $before ]" || fail "stand-in did not start"
    pid=$(grep ' start ' "$log" | tail -1 | sed 's/^pid=\([0-9]*\).*/\1/')
    "$WINE" "$PROBE" wait-window "$pid" >/dev/null || fail "stand-in $pid shows no main window"
    echo "$pid"
}

# member_start ARGS...: a listed test process (see inst_member.cpp), prints its id.
member_start() {
    local mlog=$E2E_TMP/member.log before
    touch "$mlog"
    before=$(grep -c ' ready' "$mlog" || true)
    "$WINE" "$MEMBER" --log "$(e2e_winpath "$E2E_TMP")\\member.log" --timeout 100 "$@" </dev/null >/dev/null 2>&1 &
    e2e_wait_for bash -c "[ \$(grep -c ' ready' '$mlog') -gt $before ]" || fail "member did not start"
    grep ' ready' "$mlog" | tail -1 | sed 's/^pid=\([0-9]*\).*/\1/'
}

# setup_start ARGS...: the package's setup in the background; its full exit code lands in $E2E_TMP/rc.
setup_start() {
    rm -f "$E2E_TMP/rc"
    e2e_exitcode "$pkg\\setup.exe" "$@" >"$E2E_TMP/rc" &
    setup_job=$!
}

# setup_wait: waits for the setup; its exit code is then in $E2E_TMP/rc.
setup_wait() { wait "$setup_job" || true; }

# After the closing the setup goes on to the installation, which is not this test's business.
setup_stop() {
    probe kill-image setup.exe >/dev/null
    wait "$setup_job" || true
}

expect_box() { # OUTPUT TEXT ICON DEFAULT
    grep -qxF "msgbox text=$2 icon=$3 default=$4" <<<"$1" || fail "box: expected [$2 icon=$3 default=$4] in: $1"
    grep -qx 'window caption=Lumetra Setup class=#32770 enabled=1' <<<"$1" || fail "caption: $1"
}

expect_yes_no() {
    grep -q '^ctrl id=6 class=Button.*text=&Yes$' <<<"$1" || fail "no Yes button: $1"
    grep -q '^ctrl id=7 class=Button.*text=&No$' <<<"$1" || fail "no No button: $1"
    ! grep -q '^ctrl id=[12] class=Button' <<<"$1" || fail "more buttons than Yes and No: $1"
}

string1='1 instance of Lumetra is currently opened. If you click "Yes" button, SETUP will try to close it without saving any editing work you may have done. \n\nContinue installation?'
string4() { echo "$1"' instances of Lumetra are currently opened. ff you click "Yes" button, SETUP will try to close them without saving any editing work you may have done. \n\nContinue installation?'; }
string3='Setup of Lumetra aborted. Please close other instances of Lumetra manually, saving any editing work you have done in them, then restart this setup program.'

answer_no_then_ok() { # EXPECTED-QUESTION
    local out
    out=$(e2e_winctl answer "Lumetra Setup" 7 --has-id 65535 --timeout 30000) || fail "no question box"
    expect_box "$out" "$1" exclamation 6
    expect_yes_no "$out"
    out=$(e2e_winctl answer "Lumetra Setup" 1 --has-id 65535 --timeout 30000) || fail "no string 3 box"
    expect_box "$out" "$string3" information 1
    grep -q '^ctrl id=2 class=Button.*text=OK$\|^ctrl id=1 class=Button.*text=OK$' <<<"$out" || fail "no OK button: $out"
}

note "one running copy: string 1; No shows string 3 and changes nothing"
s1=$(standin_start)
expect_eq "$(probe show | sed 's/ tail=.*//')" "marker=1 count=1 ids=$s1" "list with one stand-in"
setup_start
answer_no_then_ok "$string1"
setup_wait
expect_eq "$(cat "$E2E_TMP/rc")" 1602 "exit code after No"
alive "$s1" || fail "stand-in $s1 was ended"

note "two running copies: string 4 with 2; No again leaves both running"
s2=$(standin_start)
setup_start -s
answer_no_then_ok "$(string4 2)"
setup_wait
expect_eq "$(cat "$E2E_TMP/rc")" 1602 "exit code after No"
alive "$s1" && alive "$s2" || fail "a stand-in was ended"
expect_eq "$(count_lines 'close wparam')" 0 "close requests after No"
expect_eq "$(probe show | sed 's/ tail=.*//')" "marker=1 count=2 ids=$s1,$s2" "list after the declined setups left"
logged "pid=$s1 notice 1946 lparam=$s2" || fail "stand-in $s1 was not told of $s2"
# Each setup told the copies of its arrival and of its departure.
setups=$(sed -n "s/^pid=$s2 notice 1946 lparam=\([0-9]*\)$/\1/p" "$log")
expect_eq "$(wc -w <<<"$setups")" 1 "setups announced to $s2"
for pid in "$s1" "$s2"; do
    logged "pid=$pid notice 1947 lparam=$setups" || fail "stand-in $pid not told of the setup's departure"
done

note "three running copies: string 4 with 3; Yes closes each after its close request"
s3=$(standin_start)
setup_start
out=$(e2e_winctl answer "Lumetra Setup" 6 --has-id 65535 --timeout 30000) || fail "no question box"
expect_box "$out" "$(string4 3)" exclamation 6
for pid in "$s1" "$s2" "$s3"; do
    "$WINE" "$PROBE" wait-gone "$pid" >/dev/null || fail "stand-in $pid still runs"
    grep -qx "pid=$pid close wparam=1001" "$log" || fail "stand-in $pid got no close request"
done
setup_stop

note "\"-install /s\": no question; processes without a main window are ended too, a stale id's process is not"
s4=$(standin_start)
s5=$(standin_start)
m1=$(member_start)
m2=$(member_start --window "My Lumetra")
m3=$(member_start --window "Lumetra owned" --owned)
m4=$(member_start --window "Lumetra tool" --tool)
stranger=$(member_start --unregistered --window "Lumetra look-alike")
probe append "$stranger" >/dev/null || fail "could not list the stranger"
setup_start -install /s
for pid in "$s4" "$s5" "$m1" "$m2" "$m3" "$m4"; do
    "$WINE" "$PROBE" wait-gone "$pid" >/dev/null || fail "process $pid still runs"
done
for pid in "$s4" "$s5"; do
    grep -qx "pid=$pid close wparam=1001" "$log" || fail "stand-in $pid got no close request"
done
! grep -q 'close wparam' "$E2E_TMP/member.log" || fail "a process without a main window got a close request"
alive "$stranger" || fail "the unrelated process under a listed id was ended"
setup_stop

note "a full list: the application runs on, unlisted"
"$WINE" "$PROBE" write --fill 1000 --ready 'C:\full.ready' --stop 'C:\full.stop' --timeout 100 >/dev/null 2>&1 &
e2e_wait_for test -f "$(e2e_c 'C:\full.ready')" || fail "full list not written"
before=$(probe show)
s8=$(standin_start)
expect_eq "$(probe show)" "$before" "full list after the application started"
alive "$s8" || fail "the application did not run on"
touch "$(e2e_c 'C:\full.stop')"
"$WINE" "$PROBE" kill-image LmtCap6.exe >/dev/null
note "a setup that ends through exit (damaged setup files) leaves the list as well"
mkdir -p "$E2E_TMP/damaged"
cp "$E2E_TMP/pkg/setup.exe" "$E2E_TMP/damaged/setup.exe"
"$WINE" "$PROBE" write --ready 'C:\empty.ready' --stop 'C:\empty.stop' --timeout 100 >/dev/null 2>&1 &
e2e_wait_for test -f "$(e2e_c 'C:\empty.ready')" || fail "empty list not written"
rm -f "$E2E_TMP/rc"
e2e_exitcode "$(e2e_winpath "$E2E_TMP/damaged")\\setup.exe" >"$E2E_TMP/rc" &
setup_job=$!
e2e_winctl wait "Lumetra Setup" --has-id 65535 --timeout 30000 >/dev/null || fail "no damaged-files box"
probe show | grep -q ' count=1 ' || fail "the setup is not listed: $(probe show)"
e2e_winctl answer "Lumetra Setup" 1 --has-id 65535 >/dev/null
setup_wait
expect_eq "$(cat "$E2E_TMP/rc")" 1 "exit code of the damaged-files exit"
expect_eq "$(probe show | sed 's/ tail=.*//')" "marker=1 count=0 ids=" "list after the exit"
touch "$(e2e_c 'C:\empty.stop')"

note "the uninstaller closes running copies after its confirmation, without the question"
mkdir -p "$E2E_TMP/installed"
cp "$E2E_TMP/pkg/setup.exe" "$E2E_TMP/installed/LmtUnInst.exe"
s6=$(standin_start)
s7=$(standin_start)
e2e_exitcode "$(e2e_winpath "$E2E_TMP/installed")\\LmtUnInst.exe" >"$E2E_TMP/rc-uninstall" &
out=$(e2e_winctl answer "Lumetra Setup" 6 --has-id 65535 --timeout 30000) || fail "no confirmation"
grep -q '^msgbox text=This will completely uninstall Lumetra 6' <<<"$out" || fail "not the confirmation: $out"
# Were a question asked now, nobody would answer it and the copies would stay.
for pid in "$s6" "$s7"; do
    "$WINE" "$PROBE" wait-gone "$pid" >/dev/null || fail "stand-in $pid still runs"
    grep -qx "pid=$pid close wparam=1001" "$log" || fail "stand-in $pid got no close request"
done
# What the uninstall does next is not this test's business: the session's end stops it.

note "ok"
