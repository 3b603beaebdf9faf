#!/usr/bin/env bash
# Installs what is missing, builds the two programs it runs (ravelt and the mail sender
# spedix; scripts/test.sh builds the tests too), creates a demo working folder (demo/)
# and runs the main job there: the cash-detail report of the demo hotel's January,
# printed to the demo's PDF destination (demo/report.pdf) and exported to CSV (demo/fd1.csv).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh ravelt spedix
rm -rf demo
./build/app/ravelt demo demo --days 365 --from 01/01/2026 --seed 1
cd demo
export PCLocal=1
../build/app/ravelt report --from 01/01/2026 --to 31/01/2026 --type Tutti --counter 0
../build/app/ravelt print --pdf
../build/app/ravelt csv
