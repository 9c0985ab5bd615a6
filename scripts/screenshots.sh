#!/bin/bash
# Screenshots of the app as a technician sees it: starts telvio on the
# simulated Pike-3 under a virtual X server, connects, shows each tab and
# writes one PNG per tab.
#
#   bash scripts/screenshots.sh [BUILD_DIR] [OUT_DIR]
#
# Needs xvfb, xdotool and x11-apps (xwd); setup.sh installs them.
set -euo pipefail
build=${1:-build}
out=${2:-/tmp/telvio-shots}
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out"

if [ -z "${TELVIO_SHOTS_INNER:-}" ]; then
    TELVIO_SHOTS_INNER=1 exec xvfb-run -a -s "-screen 0 1280x900x24" "$0" "$build" "$out"
fi

"$build/telvio" --demo pike3 &
app=$!
trap 'kill $app 2>/dev/null || true' EXIT
sleep 4
xdotool mousemove 53 294 click 1 # Connect
sleep 5
# The tabs' centres on the first row of the sheet.
names=(connection basic serial sms gprs signal diagnostic io callback)
xs=(40 101 146 188 230 277 340 392 438)
for i in "${!names[@]}"; do
    xdotool mousemove "${xs[$i]}" 33 click 1
    sleep 3
    xwd -root -silent > "$out/${names[$i]}.xwd"
    python3 "$here/xwd2png.py" "$out/${names[$i]}.xwd" "$out/${names[$i]}.png"
    rm "$out/${names[$i]}.xwd"
done
echo "screenshots in $out"
