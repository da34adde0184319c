#!/usr/bin/env bash
# Runs a command with a virtual X display of its own (for Windows test programs that make windows
# under Wine), then stops the display.
set -euo pipefail
ready=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$ready" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -f "$ready"' EXIT
for _ in $(seq 100); do [ -s "$ready" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$ready")
"$@"
