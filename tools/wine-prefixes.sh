#!/usr/bin/env bash
# wine-prefixes.sh prepare|shutdown DIR: the test run's prefixes under DIR.
#   prepare: stops any session left from an earlier run and removes the prefixes, and makes sure
#            the pristine prefix exists (so no test pays for it, or races to make it);
#   shutdown: stops every session of the run.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/wine-lib.sh"
action=$1 dir=$2
for prefix in "$dir"/*/; do
    [ -f "$prefix/system.reg" ] && lmt_session_stop "${prefix%/}"
done
case $action in
prepare)
    rm -rf "$dir"
    mkdir -p "$dir"
    lmt_pristine_prefix >/dev/null
    ;;
shutdown) ;;
esac
exit 0
