#!/usr/bin/env bash
# Installs the Debian 12 packages Quillan needs to build, package, run (also without a display)
# and test (the PostgreSQL server for the throwaway test cluster, Qt's driver to reach it).
set -euo pipefail
packages=(cmake ninja-build g++ ccache qt6-base-dev qt6-base-dev-tools qt6-charts-dev qt6-svg-dev libqt6opengl6-dev
          libqt6sql6-sqlite libsqlite3-dev
          libqt6sql6-psql libpq-dev
          qt6-qpa-plugins libgl-dev fonts-dejavu-core fonts-liberation2 clang-format
          librsvg2-bin dpkg-dev file desktop-file-utils appstream xvfb x11vnc
          matchbox-window-manager postgresql libqt6sql6-psql)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
