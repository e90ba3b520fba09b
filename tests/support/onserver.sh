#!/usr/bin/env bash
# Runs a test program with its books on the PostgreSQL test server; without a server named in
# QUILLAN_TEST_SERVER it says so in one line and exits 77, which CTest counts as skipped.
if [ -z "${QUILLAN_TEST_SERVER:-}" ]; then
    echo "QUILLAN_TEST_SERVER is unset: no PostgreSQL server to test on"
    exit 77
fi
exec "$@"
