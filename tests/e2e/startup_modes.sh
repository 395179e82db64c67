#!/usr/bin/env bash
# Start-up: the run mode each name and switch selects, seen through the first message box the
# program shows (answered by a separate program, as a user would) and its exit code. In a folder
# without package files, install mode ends at the damaged-files message; uninstall mode asks its
# confirmation first.
. "$(dirname "$0")/lib.bash"
e2e_init startup_modes
dir=$E2E_TMP/run
mkdir -p "$dir"
win_dir=$(e2e_winpath "$dir")
printf 'MZ' >"$dir/existing.exe"

confirm='text=This will completely uninstall Lumetra 6.\nDo you want to continue? icon=exclamation default=7'
damaged='text=This setup files are damaged, installation aborted.\n\nPlease download the product again from http://www.orvanta.example and re-try the setup. icon=error default=1'

# file name | arguments | box (confirm, damaged, none) | button pressed | exit code
while IFS='|' read -r name args box button code; do
    [ -n "$name" ] || continue
    args=${args//@EXISTING@/$win_dir\\existing.exe}
    note "$name $args"
    cp "$LMT_BUILD_DIR/setup.exe" "$dir/$name"
    e2e_exitcode "$win_dir\\$name" $args >"$E2E_TMP/rc" &
    pid=$!
    case $box in
    confirm) expected=$confirm ;;
    damaged) expected=$damaged ;;
    *) expected= ;;
    esac
    if [ -n "$expected" ]; then
        if [ "$name" = LmtUnInst.exe ] && [ -z "$args" ]; then
            e2e_winctl wait "Lumetra Setup" --has-id 65535 || fail "no confirmation box"
            sleep 0.5
            e2e_screenshot uninstall-confirmation "Lumetra Setup" --has-id 65535 >/dev/null
        fi
        dump=$(e2e_winctl answer "Lumetra Setup" "$button" --has-id 65535)
        grep -qF "msgbox $expected" <<<"$dump" || { echo "$dump"; fail "first box of $name $args"; }
    fi
    wait $pid || true
    expect_eq "$(cat "$E2E_TMP/rc")" "$code" "exit code of $name $args"
    rm -f "$dir/$name"
done <<'ROWS'
SETUP.EXE||damaged|1|1
mysetup.exe||damaged|1|1
Setup.Exe|-s|damaged|1|1
LmtUnInst.exe||confirm|7|1602
LmtUnInst.exe|-install|damaged|1|1
LmtUnInst.exe|-INSTALL|damaged|1|1
LmtUnInst.exe|-instal|confirm|7|1602
LmtUnInst.exe|-delself|confirm|7|1602
LmtUnInst.exe|-DELSELF @EXISTING@|confirm|7|1602
LmtUnInst.exe|-delself -s|none||87
LmtUnInst.exe|-delself existing.exe|none||87
ROWS
expect_file "$dir/existing.exe"
