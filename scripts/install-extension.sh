#!/usr/bin/env bash
# Installs the Calc extension VelmoraCorvane.oxt into LibreOffice (building it first when
# needed, in BUILD_DIR, default build), with LibreOffice's own unopkg:
#
#   scripts/install-extension.sh            as yourself: for your own LibreOffice profile
#   scripts/install-extension.sh USER       as root: for USER's profile (run as USER)
#   scripts/install-extension.sh --shared   as root: for every user of this installation
#
# unopkg refuses to install into root's own profile. As root, the extension is copied where
# USER can read it and `unopkg add` runs as USER; --shared installs it beside LibreOffice for
# all users. An installed version is replaced. Restart LibreOffice afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."

unopkg=${VC_LIBREOFFICE_PROGRAM:-/usr/lib/libreoffice/program}/unopkg
target=${1:-}
if [ "$(id -u)" -eq 0 ] && [ -z "$target" ]; then
    echo "As root, name the user to install for ($0 USER) or install for all users ($0 --shared):" >&2
    echo "unopkg does not install into root's own profile." >&2
    exit 2
fi
if [ -n "$target" ] && [ "$target" != --shared ] && ! id -u "$target" >/dev/null 2>&1; then
    echo "No user $target" >&2
    exit 2
fi
if [ -n "$target" ] && [ "$(id -u)" -ne 0 ]; then
    echo "Only root installs for another user or for all users; as yourself run $0" >&2
    exit 2
fi

build=${BUILD_DIR:-build}
oxt=$build/libreoffice/VelmoraCorvane.oxt
if [ ! -f "$oxt" ]; then
    echo "Building the extension (cmake --build $build --target oxt)..." >&2
    cmake -S . -B "$build" >/dev/null
    cmake --build "$build" --parallel 2 --target oxt >/dev/null
fi

case $target in
"")
    "$unopkg" add --force --suppress-license "$oxt"
    echo "Installed $oxt for $(id -un); restart LibreOffice." ;;
--shared)
    "$unopkg" add --shared --force --suppress-license "$oxt"
    echo "Installed $oxt for every user of $(dirname "$unopkg"); restart LibreOffice." ;;
*)
    home=$(getent passwd "$target" | cut -d: -f6)
    copy=$(mktemp -d)
    trap 'rm -rf "$copy"' EXIT
    cp "$oxt" "$copy/"
    chmod 755 "$copy" && chmod 644 "$copy/VelmoraCorvane.oxt"
    runuser -u "$target" -- env HOME="$home" "$unopkg" add --force --suppress-license \
        "$copy/VelmoraCorvane.oxt"
    echo "Installed $oxt for $target; $target restarts LibreOffice." ;;
esac
