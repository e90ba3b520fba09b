#!/usr/bin/env bash
# A throwaway PostgreSQL cluster for the tests, never the machine's own:
#   pg-cluster.sh start        makes a temporary folder, initdb's a cluster in it and starts it
#                              listening only on a Unix socket in that folder (no TCP port), and
#                              prints the administrator's URI, postgresql://postgres@/postgres?host=FOLDER
#   pg-cluster.sh stop FOLDER  stops the cluster started in FOLDER and removes the folder
# initdb refuses to run as root, so under root the cluster runs as the unprivileged user
# $QUILLAN_PG_USER (nobody unless set), which owns the folder; root still reaches the socket.
# The folder is private to its owner, so the socket trusts whoever can reach it.
set -euo pipefail

fail() { echo "pg-cluster: $*" >&2; exit 1; }

bindir() {
    if [ -n "${PG_BINDIR:-}" ]; then echo "$PG_BINDIR"; return; fi
    local dirs=(/usr/lib/postgresql/*/bin)
    [ -d "${dirs[0]}" ] || fail "no PostgreSQL server programs in /usr/lib/postgresql (install postgresql)"
    printf '%s\n' "${dirs[@]}" | sort -V | tail -n 1
}

# Runs a command as the cluster's owner, from the folder (a working folder the owner can read).
as_owner() {
    local owner="$1" folder="$2"
    shift 2
    if [ "$owner" = "$(id -un)" ]; then
        (cd "$folder" && "$@")
    else
        (cd "$folder" && runuser -u "$owner" -- "$@")
    fi
}

# Only a folder this script made, holding a cluster, is ever removed.
is_cluster_folder() {
    local folder="$1"
    [[ "$(basename "$folder")" == quillan-pg.* ]] && [ -f "$folder/data/PG_VERSION" ]
}

start() {
    local bin owner base folder
    bin="$(bindir)"
    owner="$(id -un)"
    if [ "$(id -u)" -eq 0 ]; then
        owner="${QUILLAN_PG_USER:-nobody}"
        id "$owner" >/dev/null 2>&1 || fail "no user $owner to run the cluster as"
    fi
    base="${TMPDIR:-/tmp}"
    # The owner must be able to reach the folder, and a socket's path is at most 107 bytes;
    # /tmp is open to every user and short.
    if [ "${#base}" -gt 64 ] ||
        { [ "$owner" != "$(id -un)" ] && ! runuser -u "$owner" -- test -x "$base"; }; then
        base=/tmp
    fi
    folder="$(mktemp -d "$base/quillan-pg.XXXXXX")"
    # A start that fails or is interrupted half-way leaves nothing behind.
    trap 'as_owner "$owner" "$folder" "$bin/pg_ctl" -D "$folder/data" -m immediate stop \
              >/dev/null 2>&1 || true; rm -rf "$folder"' EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    chmod 700 "$folder"
    [ "$owner" = "$(id -un)" ] || chown "$owner": "$folder"

    as_owner "$owner" "$folder" "$bin/initdb" -D "$folder/data" --username=postgres \
        --auth=trust --encoding=UTF8 --locale=C.UTF-8 --no-sync --no-instructions \
        >"$folder/initdb.log" 2>&1 || { cat "$folder/initdb.log" >&2; exit 1; }
    # One login must give a password, so the tests see the program ask for one.
    as_owner "$owner" "$folder" sed -i \
        '1i local all quillan_password_login scram-sha-256' "$folder/data/pg_hba.conf"
    # Durability is worth nothing in a cluster thrown away after the run; speed is.
    as_owner "$owner" "$folder" "$bin/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -t 60 \
        -o "-c listen_addresses='' -c unix_socket_directories='$folder' -c fsync=off \
            -c synchronous_commit=off -c full_page_writes=off" start >/dev/null ||
        { cat "$folder/server.log" >&2; exit 1; }
    trap - EXIT INT TERM
    echo "postgresql://postgres@/postgres?host=$folder"
}

stop() {
    local folder="${1:-}" bin owner
    [ -n "$folder" ] || fail "usage: pg-cluster.sh stop FOLDER"
    [ -d "$folder" ] || return 0
    is_cluster_folder "$folder" || fail "$folder holds no cluster this script made; left alone"
    bin="$(bindir)"
    owner="$(stat -c %U "$folder")"
    if [ -f "$folder/data/postmaster.pid" ]; then
        as_owner "$owner" "$folder" "$bin/pg_ctl" -D "$folder/data" -m immediate -w stop >/dev/null ||
            echo "pg-cluster: the cluster in $folder did not stop" >&2
    fi
    rm -rf "$folder"
}

case "${1:-}" in
start) start ;;
stop) stop "${2:-}" ;;
*) fail "usage: pg-cluster.sh start | stop FOLDER" ;;
esac
