#!/usr/bin/env bash
# Installs the web page's npm packages (the chart library, the bundler and the browser
# driver of its tests) exactly as web/package-lock.json pins them, when they are missing or
# older than the lock file. Needs node with npm (scripts/install-deps.sh) and, the first
# time, the npm registry.
set -euo pipefail
cd "$(dirname "$0")/../web"

if [ ! -d node_modules ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
    npm ci --no-audit --no-fund --loglevel=error
fi
