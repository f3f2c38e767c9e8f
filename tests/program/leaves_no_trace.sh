#!/usr/bin/env bash
# Runs sessions of the driver and fails if the Wine prefix is not as it was before them: the
# registry under HKCU and HKLM, and the files under drive_c (path, size, time of change).
#   leaves_no_trace.sh SESSIONS COMMAND...
# SESSIONS is the driver's gtest filter (names joined by ':'); every one of them must run and
# pass, so that a renamed session cannot leave this check running nothing. COMMAND is the driver
# with the emulator before it.
set -uo pipefail
sessions=$1
shift
prefix=${WINEPREFIX:-$HOME/.wine}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Keys that Wine itself writes while any program runs, left out with all below them:
#   HKCU\Software\Wine\Temporary System Parameters: system parameters set for the session only;
#   HKLM\System\CurrentControlSet\Control\Video: a display device key for each desktop started.
volatile=()
for key in 'HKEY_CURRENT_USER\Software\Wine\Temporary System Parameters' \
    'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Video'; do
    volatile+=(-e "[$key]" -e "[$key\\")
done

# The 64-bit reg sees the 32-bit programs' view too (Wow6432Node); it reads the live wineserver.
# Each value is written after its key, so that a changed value says where it is.
snapshot() {
    local key
    for key in HKCU HKLM; do
        WINEDEBUG=-all /usr/lib/wine/wine64 reg export "$key" "Z:$work/$key.reg" /y >/dev/null 2>&1 ||
            { echo "could not export $key" >&2; return 1; }
        iconv -f UTF-16LE -t UTF-8 "$work/$key.reg" | tr -d '\r' |
            awk '/^\[/ { key = $0; print; next } NF { print key " " $0 }' | grep -v -F "${volatile[@]}"
    done
    # The user folders that Wine links to the Unix home directory are not followed.
    (cd "$prefix/drive_c" && find . -printf '%p %s %T@\n' | LC_ALL=C sort)
}

snapshot >"$work/before" || exit 1
"$@" --gtest_filter="$sessions" 2>&1 | tee "$work/run"
status=${PIPESTATUS[0]}
snapshot >"$work/after" || exit 1

count=$(tr ':' '\n' <<<"$sessions" | grep -c .)
if ! tr -d '\r' <"$work/run" | grep -qE "^\[  PASSED  \] $count tests?\.$"; then
    echo "leaves_no_trace: expected all $count sessions to run and pass: $sessions"
    status=1
fi
if ! diff "$work/before" "$work/after" >"$work/diff"; then
    echo "leaves_no_trace: the sessions left the registry or drive_c changed (< before, > after):"
    grep '^[<>]' "$work/diff" | head -n 40
    status=1
fi
exit "$status"
