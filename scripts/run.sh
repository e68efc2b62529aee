#!/usr/bin/env bash
# Builds Vernium (release) and starts it on the simulated acquisition unit.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found. Vernium is built; to run it under a virtual display:" >&2
  echo "  xvfb-run -a ./build/release/src/vernium" >&2
  exit 2
fi
exec ./build/release/src/vernium "$@"
