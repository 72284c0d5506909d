#!/usr/bin/env bash
# Installs what is missing, builds the command-line tool krvmsg and the demo history folder,
# then shows one demo message and extracts its page set the way a preview writes it.
# Usage: scripts/run.sh [BUILD_DIR]   (default: build/native)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=${1:-build/native}
cmake --preset native -B "$build" >/dev/null
cmake --build "$build" -j "$(nproc)" --target krvmsg demo_history

krvmsg="$build/tools/krvmsg/krvmsg"
history="$build/demo/history"
message="$history/4=abc20261103093000.msg"
preview="$build/demo/preview"

echo
echo "\$ krvmsg list $history 4"
"$krvmsg" list "$history" 4
echo
echo "\$ krvmsg show $message"
"$krvmsg" show "$message"
echo
rm -rf "$preview"
mkdir -p "$preview"
echo "\$ krvmsg extract $message $preview"
"$krvmsg" extract "$message" "$preview"
