#!/usr/bin/env bash
# Installs what is needed, builds in Release, makes the template book beside the program
# if there is none (an existing book is never touched) and starts Quillan.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
bin="${BUILD_DIR:-$root/build}/bin"
"$bin/quillan_mkbook" --if-missing "$bin/cashbook.mdb"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  port="${QUILLAN_VNC_PORT:-5900}"
  echo "No display found: Quillan is served over VNC on port $port of this machine."
  echo "Connect with a VNC viewer to localhost:$port (for example: vncviewer localhost:$port)."
  echo "Close the program with File > Exit or F10, or press Ctrl+C here."
  exec "$bin/quillan" -platform "vnc:port=$port:size=1280x800"
fi
exec "$bin/quillan"
