#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite: a normal build, then one under
# AddressSanitizer and UndefinedBehaviorSanitizer, then a clang build with the fuzz programs of
# the file readers (under the same sanitizers) that runs the unit tests and the corpus replay.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
jobs=$(nproc)

scripts/build.sh build
(cd build && ctest --output-on-failure -j "$jobs")

# Leaks that lie inside system libraries (Mesa, X, SDL's video drivers) are theirs, not ours.
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
scripts/build.sh build-sanitize -DBRASK_SANITIZE=ON
(cd build-sanitize && ctest --output-on-failure -j "$jobs")

# Keeps the project building with clang; the real-window tests ran in the builds above.
CC=clang CXX=clang++ scripts/build.sh build-clang -DBRASK_FUZZ=ON
(cd build-clang && ctest --output-on-failure -j "$jobs" -E '^sdl\.')
