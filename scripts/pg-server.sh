#!/usr/bin/env bash
# A throw-away PostgreSQL 15 server in a folder of your choice, for trying the program
# against a database without touching the machine's own server.
#   bash scripts/pg-server.sh start DIR   makes the cluster in DIR when DIR is new or
#                                         empty, starts the server, creates the database
#                                         ravelt and prints its connection string
#   bash scripts/pg-server.sh stop DIR    stops the server
#   bash scripts/pg-server.sh status DIR  says whether it runs
# Each command may be repeated: starting a running server or stopping a stopped one only
# says so. The server listens on no TCP port, only on its Unix socket in DIR (port
# number 5432, which is part of the socket's name), so servers in different folders
# never meet. The role ravelt is the superuser and connects without a password; any
# other role must give its password. DIR/server.log is the server's log; removing DIR
# after stop throws everything away.
# PostgreSQL refuses to run as root: as root the server's programs run as the user
# postgres, to which DIR is given.
# RAVELT_PG_BINDIR names the folder of initdb, pg_ctl, postgres and psql when they are
# not in Debian's /usr/lib/postgresql/15/bin.
set -euo pipefail

say() { echo "pg-server: $*"; }
die() { echo "pg-server: $*" >&2; exit 1; }

if [ $# -ne 2 ] || [[ ! $1 =~ ^(start|stop|status)$ ]]; then
  echo "usage: bash $0 start|stop|status DIR" >&2
  exit 2
fi
action=$1
bindir=${RAVELT_PG_BINDIR:-/usr/lib/postgresql/15/bin}
port=5432
for p in initdb pg_ctl postgres psql; do
  [ -x "$bindir/$p" ] || die "$bindir/$p is missing: install PostgreSQL 15 (the Debian package postgresql-15, which scripts/install-deps.sh installs), or set RAVELT_PG_BINDIR to the folder of its programs"
done
# PGHOST, PGPORT, PGUSER and the like would send psql and pg_ctl to another server.
for v in $(compgen -e); do
  case $v in PG*) unset "$v" ;; esac
done

root=false
if [ "$(id -u)" -eq 0 ]; then
  root=true
  id postgres >/dev/null 2>&1 || die "running as root, which PostgreSQL refuses, and there is no user postgres to run the server as (the package postgresql-15 makes it)"
fi
# A server program, as the user postgres when root.
as_server() {
  if $root; then runuser -u postgres -- "$@"; else "$@"; fi
}

if [ "$action" = start ]; then
  mkdir -p -- "$2"
fi
[ -d "$2" ] || die "there is no folder $2"
dir=$(cd -- "$2" && pwd -P)
data=$dir/data
log=$dir/server.log
# The socket's path, DIR/.s.PGSQL.5432, must fit in a Unix socket address (107 bytes).
[ ${#dir} -le 90 ] || die "the path of $dir is too long for the server's socket (at most 90 characters): pick a shorter one"

# The connection string, with DIR quoted when it holds spaces or quotes.
conninfo() {
  local host=$dir
  if [[ $host =~ [[:space:]\'\\] ]]; then
    host=${host//\\/\\\\}
    host="'${host//\'/\\\'}'"
  fi
  echo "host=$host port=$port user=ravelt dbname=$1"
}

# pg_ctl status: 0 running, 3 not running, 4 no readable cluster.
running() {
  local code=0
  as_server "$bindir/pg_ctl" -D "$data" status >/dev/null 2>&1 || code=$?
  case $code in
    0) return 0 ;;
    3) return 1 ;;
    *) die "cannot read the cluster in $data (pg_ctl status exited with $code): was it made by another user?" ;;
  esac
}

if [ ! -f "$data/PG_VERSION" ]; then
  [ "$action" = start ] || die "there is no server in $dir (bash $0 start $2 makes one)"
  [ -z "$(ls -A -- "$dir")" ] || die "$dir is not empty and holds no server made here: give a new or empty folder"
  if $root; then
    runuser -u postgres -- test -x "$(dirname -- "$dir")" ||
      die "the user postgres, which runs the server, cannot get into $dir (a folder above it is closed to other users, as /root is): pick a folder elsewhere, such as under /tmp"
    chown postgres:postgres -- "$dir"
    chmod 0755 -- "$dir"
  fi
  # The plain C locale with UTF-8 text: text folds letter case in ASCII only, as the
  # SQLite stores do (see the README).
  if ! as_server "$bindir/initdb" -D "$data" -U ravelt --auth=trust -E UTF8 --no-locale >"$dir/initdb.log" 2>&1; then
    cat "$dir/initdb.log" >&2
    die "initdb could not make the cluster in $data (its output is above and in $dir/initdb.log)"
  fi
  quoted=${dir//\\/\\\\}
  quoted=${quoted//\'/\'\'}
  cat >>"$data/postgresql.conf" <<EOF

# A throw-away server for trying the program: reached only through its Unix socket.
listen_addresses = ''
unix_socket_directories = '$quoted'
port = $port
EOF
  cat >"$data/pg_hba.conf" <<'EOF'
# The superuser ravelt connects without a password; every other role gives its own.
local all ravelt trust
local all all scram-sha-256
EOF
  say "made a new cluster in $data"
fi

case $action in
  start)
    if running; then
      say "the server in $dir is already running"
    else
      if ! as_server "$bindir/pg_ctl" -D "$data" -l "$log" -w -t 60 -s start; then
        echo "pg-server: the server in $dir did not start; the end of $log:" >&2
        tail -n 20 -- "$log" >&2 || true
        exit 1
      fi
      say "started the server in $dir"
    fi
    psql=("$bindir/psql" -X -q -A -t -v ON_ERROR_STOP=1 -h "$dir" -p "$port" -U ravelt -d postgres)
    if [ "$("${psql[@]}" -c "SELECT 1 FROM pg_database WHERE datname = 'ravelt'")" != 1 ]; then
      "${psql[@]}" -c "CREATE DATABASE ravelt"
      say "created the database ravelt"
    fi
    say "connect with:"
    conninfo ravelt
    ;;
  stop)
    if running; then
      as_server "$bindir/pg_ctl" -D "$data" -m fast -w -t 60 -s stop
      say "stopped the server in $dir"
    else
      say "the server in $dir is not running"
    fi
    ;;
  status)
    if running; then
      say "the server in $dir is running:"
      conninfo ravelt
    else
      say "the server in $dir is not running"
    fi
    ;;
esac
