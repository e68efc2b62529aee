#!/usr/bin/env bash
# Builds Vernium and runs every test: the plain debug build, then the
# address + undefined sanitizer build. Installs what is missing first.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
for preset in debug sanitize; do
  echo "=== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
