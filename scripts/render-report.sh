#!/bin/bash
# Writes a report from a simulated Pike-3 and renders it in a headless
# browser, to look at how it shows:
#
#     bash scripts/render-report.sh [BUILD_DIR] [OUT_DIR]
#
# Leaves OUT_DIR/report.htm and OUT_DIR/report.png (default: build/report-render).
set -euo pipefail
build=${1:-build}
out=${2:-$build/report-render}
browser=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$browser" ]; then
    echo "no chromium: apt-get install chromium" >&2
    exit 1
fi
mkdir -p "$out"
out=$(cd "$out" && pwd)
link="$out/modem"
"$build/sim/telvio-sim" --firmware maker --set +CGATT=1 --link "$link" > "$out/sim.log" 2>&1 &
sim=$!
trap 'kill "$sim" 2>/dev/null || true; rm -f "$link"' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
"$build/cli/telvio-cli" --port "$link" send 'AT+CSCA="+46708251018"' > /dev/null
"$build/cli/telvio-cli" --port "$link" diag --report "$out/report.htm"
"$browser" --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size=1000,2200 \
    --screenshot="$out/report.png" "file://$out/report.htm" 2> "$out/browser.log"
echo "$out/report.png"
