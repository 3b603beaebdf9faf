#!/usr/bin/env bash
# The Debian package, end to end: builds it from build/ (configured by scripts/build.sh;
# only the two programs and the gzipped pages are built here), checks the desktop entry
# and the package with lintian (an error fails), installs it with apt-get, runs the
# installed program from a folder outside the clone (version, demo hotel, a report, a
# PDF print, a mail through a local SMTP server, so spedix is found beside ravelt), then
# purges it and checks that none of its files is left. Runs as root.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)
version=$(sed -n 's/^project(Ravelt VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target ravelt spedix ravelt_docs
rm -f build/ravelt_*.deb
(cd build && cpack -G DEB)
deb="$repo/build/ravelt_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "test-package: $deb was not made" >&2; exit 1; }

desktop-file-validate packaging/ravelt.desktop
lintian --fail-on error "$deb"

DEBIAN_FRONTEND=noninteractive apt-get install -y "$deb"
work=$(mktemp -d)
smtp_pid=""
cleanup() {
  [ -z "$smtp_pid" ] || kill "$smtp_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
cd "$work"
export PATH=/usr/sbin:/usr/bin:/sbin:/bin PCLocal=1 QT_QPA_PLATFORM=offscreen
unset RAVELT_FOLDER RAVELT_PASSWORD
fail() { echo "test-package: $*" >&2; exit 1; }

[ "$(/usr/bin/ravelt --version)" = "ravelt $version" ] || fail "ravelt --version is not ravelt $version"
zcat /usr/share/man/man1/ravelt.1.gz | grep -q '^\.TH RAVELT 1' || fail "no manual page"
/usr/bin/ravelt demo demo --days 31 --from 01/01/2026 --seed 1
/usr/bin/ravelt --folder demo report --from 01/01/2026 --to 31/01/2026
[ -s demo/FD1 ] || fail "the report wrote no demo/FD1"
(cd demo && /usr/bin/ravelt print --pdf)
file demo/report.pdf | grep -q 'PDF document' || fail "demo/report.pdf is not a PDF: $(file demo/report.pdf)"
/usr/bin/ravelt csv --folder demo
[ -s demo/fd1.csv ] || fail "the export wrote no demo/fd1.csv"

python3 -m aiosmtpd -n -l 127.0.0.1:2525 > smtp.log 2>&1 &
smtp_pid=$!
for _ in $(seq 50); do
  (exec 3<>/dev/tcp/127.0.0.1/2525) 2>/dev/null && break
  sleep 0.1
done
(cd demo && /usr/bin/ravelt mail)
kill "$smtp_pid"
smtp_pid=""

cd /
dpkg -L ravelt > "$work/files"
DEBIAN_FRONTEND=noninteractive apt-get purge -y ravelt
left=0
while read -r f; do
  if [ -e "$f" ] && [ ! -d "$f" ]; then
    echo "test-package: left after purge: $f" >&2
    left=1
  fi
done < "$work/files"
[ ! -e /usr/share/doc/ravelt ] || { echo "test-package: /usr/share/doc/ravelt left after purge" >&2; left=1; }
if dpkg-query -W -f='${Status}' ravelt 2>/dev/null | grep -q .; then
  echo "test-package: dpkg still knows ravelt: $(dpkg-query -W -f='${Status}' ravelt)" >&2
  left=1
fi
[ $left -eq 0 ] || exit 1
echo "test-package: $(basename "$deb") built, lintian clean of errors, installed, run and purged"
