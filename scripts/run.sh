#!/usr/bin/env bash
# Installs what is needed, builds in Release, makes the template book beside the program
# if there is none (an existing book is never touched) and starts Quillan.
#
# Without a display, the program gets a virtual one (Xvfb, with no network listener, and a
# small window manager) served over VNC by x11vnc on the loopback interface only: the book is
# reachable from this machine, and from another one only through an SSH tunnel.
# QUILLAN_VNC_PASSWORD, when set, is asked of every viewer. Ending the program ends the servers.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
bin="${BUILD_DIR:-$root/build}/bin"
"$bin/quillan_mkbook" --if-missing "$bin/cashbook.mdb"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ] || [ -n "${QT_QPA_PLATFORM:-}" ]; then
  exec "$bin/quillan"
fi

port="${QUILLAN_VNC_PORT:-5900}"
size=1280x800
work="$(mktemp -d)"
pids=()
stop() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap stop EXIT
trap 'exit 130' INT TERM

# Xvfb picks a free display and writes its number once it accepts clients.
Xvfb -displayfd 3 -nolisten tcp -screen 0 "${size}x24" 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; echo "Xvfb did not start." >&2; exit 1; }
display=":$(head -n1 "$work/display")"
# A small window manager gives the main window the whole screen and the keyboard, and frames
# the dialogs over it.
DISPLAY="$display" matchbox-window-manager -use_titlebar no >"$work/wm.log" 2>&1 &
pids+=($!)

vnc=(x11vnc -display "$display" -localhost -rfbport "$port" -forever -shared -quiet)
if [ -n "${QUILLAN_VNC_PASSWORD:-}" ]; then
  # Through a file only this user can read, so the password never shows in a process list;
  # x11vnc removes the file once it has read it.
  (umask 077 && printf '%s\n' "$QUILLAN_VNC_PASSWORD" >"$work/password")
  vnc+=(-passwdfile "rm:$work/password")
else
  vnc+=(-nopw)
fi
"${vnc[@]}" >"$work/x11vnc.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do grep -qs "^PORT=" "$work/x11vnc.log" && break; sleep 0.1; done
if ! grep -q "^PORT=$port\$" "$work/x11vnc.log"; then
  cat "$work/x11vnc.log" >&2
  echo "x11vnc could not serve port $port of 127.0.0.1 (is it taken? set QUILLAN_VNC_PORT)." >&2
  exit 1
fi

echo "No display found: Quillan is served over VNC on 127.0.0.1:$port, this machine only."
if [ -n "${QUILLAN_VNC_PASSWORD:-}" ]; then
  echo "The viewer asks for the password in QUILLAN_VNC_PASSWORD."
else
  echo "Anyone with an account on this machine can connect; set QUILLAN_VNC_PASSWORD to ask for a password."
fi
echo "On this machine:     vncviewer localhost:$port"
echo "From another one:    ssh -L 5900:localhost:$port $(id -un)@$(hostname -f 2>/dev/null || hostname)"
echo "                     then vncviewer localhost:5900 there."
echo "Close the program with File > Exit or F10, or press Ctrl+C here."
DISPLAY="$display" "$bin/quillan"
