#!/usr/bin/env bash
# Builds Vernium and runs every test: the plain debug build, then the
# address + undefined sanitizer build, then the thread-sanitizer build of the
# tests whose live readings run on a worker thread. Installs what is missing
# first.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
for preset in debug sanitize; do
  echo "=== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
echo "=== tsan build (threaded live readings)"
cmake --preset tsan >/dev/null
cmake --build --preset tsan
ctest --preset tsan
