#!/usr/bin/env bash
# Runs a test that needs programs a build machine may lack (an X server, a window manager), or
# reports it skipped, with the reason, through ctest's skip status 77.
# Usage: needs.sh PROGRAM... -- COMMAND [ARGS]
set -euo pipefail
while [[ $# -gt 0 && $1 != -- ]]; do
    command -v "$1" >/dev/null || {
        echo "SKIPPED: $1 is not installed"
        exit 77
    }
    shift
done
shift
exec "$@"
