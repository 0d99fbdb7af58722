#!/usr/bin/env bash
# Installs what is needed, builds, and starts Velmora on a ready data directory.
# Until the main window exists, this creates (when missing) and checks the data directory with the tool.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
DATEN="${VELMORA_DATEN:-$HOME/Velmora/Daten}"
if [ ! -f "$DATEN/catstamm.db" ]; then
    build/velmora-werkzeug anlegen "$DATEN" --quelle data
fi
if [ -x build/velmora ]; then
    exec build/velmora --daten "$DATEN" "$@"
fi
build/velmora-werkzeug pruefen "$DATEN"
