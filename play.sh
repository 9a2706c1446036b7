#!/usr/bin/env bash
# Sets up, builds and runs the game.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh build
if [ ! -x build/game/brask-pad-toggle ]; then
  echo "Everything is built, but the game is not built yet: there is no brask-pad-toggle to run."
  exit 0
fi
cd build/data
exec ../game/brask-pad-toggle
