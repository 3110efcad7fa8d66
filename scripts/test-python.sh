#!/usr/bin/env bash
# The Python modules as a user installs them, with Debian's /usr/bin/python3 (another
# python3 may come first on PATH; the build and the tests use the interpreter whose packages
# Debian installed): a venv that sees Debian's numpy, matplotlib and pytest,
# `pip install --no-build-isolation .` with nothing fetched, pytest (comparing with the
# add-ins through the Linux build's sheethost), and the wheel into release-windows/python/.
#
#   scripts/test-python.sh [LINUX_BUILD_DIR]
#
# LINUX_BUILD_DIR holds the Linux build's addins/sheethost (default: $BUILD_DIR or build);
# the venv is made afresh in LINUX_BUILD_DIR-venv.
set -euo pipefail
cd "$(dirname "$0")/.."

linux=${1:-${BUILD_DIR:-build}}
if [ ! -x "$linux/addins/sheethost" ]; then
    echo "No Linux sheethost in $linux/addins: build the Linux tree first" >&2
    exit 1
fi
venv=$linux-venv
rm -rf "$venv"
/usr/bin/python3 -m venv --system-site-packages "$venv"
"$venv/bin/pip" install --quiet --no-index --no-build-isolation .
SHEETHOST=$PWD/$linux/addins/sheethost MPLBACKEND=Agg "$venv/bin/python" -m pytest -q python/tests
"$venv/bin/pip" wheel --quiet --no-index --no-build-isolation --no-deps -w release-windows/python .
ls release-windows/python/*.whl
