#!/usr/bin/env bash
# The first command to try: installs what is missing, builds the Qt demo host
# and opens it on examples/studio.json. Without a display (a container, a
# server over ssh) it renders the window offscreen and writes demo.png.
# Extra arguments go to morvel-demo (see ./build/bin/morvel-demo --help).
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
cmake --preset default >/dev/null
cmake --build --preset default -j"$jobs" --target morvel-demo

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/bin/morvel-demo examples/studio.json "$@"
fi

QT_QPA_PLATFORM=offscreen ./build/bin/morvel-demo examples/studio.json \
  --screenshot demo.png "$@" >/dev/null
echo "demo.sh: no display, so the demo window was rendered offscreen to $(pwd)/demo.png"
echo "demo.sh: with a display (or xvfb-run -a ./scripts/demo.sh for a virtual one) it opens as a window"
