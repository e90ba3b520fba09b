#!/usr/bin/env bash
# Installs what is needed, builds, checks the layout of the C++ files against .clang-format,
# builds and checks the Debian package, and runs every test headless with CTest. The tests
# labelled `server` run against a throwaway PostgreSQL cluster started for the run
# (scripts/pg-cluster.sh) and named to them by QUILLAN_TEST_SERVER; it is stopped and removed
# however the run ends: passed, failed or interrupted.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
"$root/scripts/check-format.sh"
"$root/scripts/check-package.sh"

cluster=""
suite=""
finish() {
  # The suite runs in a process group of its own so that an interrupt reaches every test
  # before the server they use goes away.
  if [ -n "$suite" ]; then
    kill -TERM -- "-$suite" 2>/dev/null || true
    wait "$suite" 2>/dev/null || true
  fi
  if [ -n "$cluster" ]; then
    "$root/scripts/pg-cluster.sh" stop "$cluster" || true
  fi
}
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

QUILLAN_TEST_SERVER="$("$root/scripts/pg-cluster.sh" start)"
cluster="${QUILLAN_TEST_SERVER#*\?host=}"
export QUILLAN_TEST_SERVER
echo "Test server: $QUILLAN_TEST_SERVER"

export QT_QPA_PLATFORM=offscreen
setsid -w ctest --test-dir "${BUILD_DIR:-$root/build}" --output-on-failure --timeout 600 &
suite=$!
status=0
wait "$suite" || status=$?
suite=""
exit "$status"
