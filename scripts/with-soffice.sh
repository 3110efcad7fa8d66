#!/usr/bin/env bash
# Runs a Python driver of headless LibreOffice (Debian's /usr/bin/python3, which has uno)
# with a throwaway folder for its profile and soffice's process id: whatever happens,
# soffice is stopped by that id and the folder removed. The driver gets at most 300 s.
#
#   scripts/with-soffice.sh DRIVER.py ARGS...
set -euo pipefail

work=$(mktemp -d)
chmod 755 "$work" # the profile inside is nobody's when run as root
cleanup() {
    if [ -s "$work/soffice.pid" ]; then
        kill -KILL "$(cat "$work/soffice.pid")" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

TMPDIR=$work VC_SOFFICE_PID_FILE=$work/soffice.pid \
    timeout --signal=TERM --kill-after=20 300 /usr/bin/python3 "$@"
