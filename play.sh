#!/usr/bin/env bash
# Sets up, builds and runs the game: ./play.sh [PROGRAM], brask-pad-toggle unless named.
set -euo pipefail
cd "$(dirname "$0")"
program=${1:-brask-pad-toggle}
case "$program" in
  brask-pad-toggle|brask-pad-hold|brask-key-toggle|brask-key-hold) ;;
  *) echo "unknown program '$program': brask-pad-toggle, brask-pad-hold, brask-key-toggle or brask-key-hold" >&2
     exit 2 ;;
esac
scripts/setup.sh
scripts/build.sh build
cd build/data
exec ../game/"$program"
