#!/usr/bin/env bash
# Installs what is missing, builds ViewHistory.exe and runs it under Wine from build/run, beside
# a history folder (the demo messages when there is none yet). With a display it runs there
# until its window is closed; without one it runs in its own virtual display, saves a
# screenshot of the window, prints its path and closes the program.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --run

jobs=$(nproc)
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs" --target demo_history
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs" --target ViewHistory

run_dir=build/run
mkdir -p "$run_dir"
cp build/windows/history_window/ViewHistory.exe "$run_dir/"
if [ ! -d "$run_dir/history" ]; then
    cp -r build/native/demo/history "$run_dir/history"
    echo "Demo history: $run_dir/history"
fi

had_display=${DISPLAY:-}
source scripts/wine-env.sh build/windows

if [ -n "$had_display" ]; then
    wine "$run_dir/ViewHistory.exe"
    exit
fi

wine "$run_dir/ViewHistory.exe" &
program=$!
window=
for _ in $(seq 300); do
    window=$(xwininfo -root -tree 2>/dev/null | grep -m1 'KorvanWisplet' || true)
    [ -n "$window" ] && break
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "ViewHistory.exe showed no window" >&2
    kill "$program" 2>/dev/null || true
    exit 1
fi
# Give the window time to paint before it is photographed.
sleep 2
geometry=$(grep -oE '[0-9]+x[0-9]+\+[0-9]+\+[0-9]+' <<<"$window" | head -n 1)
screenshot=$(realpath "$run_dir")/screenshot.png
import -display "$DISPLAY" -window root -crop "$geometry" +repage "$screenshot"
echo "Screenshot: $screenshot"

wine taskkill /im ViewHistory.exe >/dev/null 2>&1 || true
status=0
wait "$program" || status=$?
echo "ViewHistory.exe ended with exit code $status"
