#!/usr/bin/env bash
# The demo hotel on a throw-away local PostgreSQL server: starts a server in a temporary
# folder (scripts/pg-server.sh: Unix socket only, run as the user postgres when root),
# makes the demo hotel's stores there (ravelt demo --database), runs its January cash
# report from the server, runs the same report from a demo made as SQLite files with the
# same seed, says whether the two report files are the same bytes, then stops the server
# and removes its folder. Builds ravelt first when it is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -x build/app/ravelt ] || bash scripts/build.sh ravelt spedix
ravelt=$PWD/build/app/ravelt
work=$(mktemp -d /tmp/ravelt-pg-demo-XXXXXX)
chmod 0755 "$work"
server="$work/server"
mkdir "$server"
stop() {
  bash scripts/pg-server.sh stop "$server" >/dev/null 2>&1 || true
  rm -rf -- "$work"
}
trap stop EXIT
conninfo=$(bash scripts/pg-server.sh start "$server" | tail -n 1)
echo "server: $conninfo"
export PCLocal=1
unset RAVELT_DATABASE
"$ravelt" demo "$work/onserver" --days 31 --from 01/01/2026 --seed 1 --database "$conninfo"
"$ravelt" demo "$work/files" --days 31 --from 01/01/2026 --seed 1
for side in onserver files; do
  (cd "$work/$side" && time "$ravelt" report --from 01/01/2026 --to 31/01/2026 --type Tutti --counter 0)
done
# The report's title lines carry the time it was made: compare the rest.
if cmp -s <(grep -av 'Dettaglio incassi dal' "$work/onserver/FD1") <(grep -av 'Dettaglio incassi dal' "$work/files/FD1"); then
  echo "pg-demo: the report from the server is the report from the SQLite files, byte for byte"
else
  echo "pg-demo: the two reports differ" >&2
  exit 1
fi
