#!/usr/bin/env bash
# Runs a command with a private X server: with_xvfb.sh COMMAND [ARGUMENT...]
# The Windows tests that create windows run under Wine through it; Wine needs a display.
set -uo pipefail
source "$(dirname "$0")/xvfb.sh"
log=$(mktemp)
trap 'stop_xvfb; rm -f "$log"' EXIT
start_xvfb "$log" || exit 1
"$@"
