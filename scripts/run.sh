#!/usr/bin/env bash
# Installs what is needed, builds, and starts Velmora on a ready data directory.
# VELMORA_DATEN chooses the data directory (default ~/Velmora/Daten); VELMORA_BEISPIEL=N fills a new
# one with a synthetic register of N cats instead of leaving it empty.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
DATEN="${VELMORA_DATEN:-$HOME/Velmora/Daten}"
if [ ! -f "$DATEN/catstamm.db" ]; then
    if [ -n "${VELMORA_BEISPIEL:-}" ]; then
        build/velmora-werkzeug beispiel "$DATEN" --katzen "$VELMORA_BEISPIEL"
    else
        build/velmora-werkzeug anlegen "$DATEN" --quelle data
    fi
fi
# A new user gets an empty settings file, so the program starts with its defaults.
build/velmora-werkzeug einstellungen-anlegen >/dev/null
# Help pages sit beside the data directory.
mkdir -p "$DATEN/../Help"
cp -n data/help/*.html "$DATEN/../Help/" 2>/dev/null || true
exec build/velmora --daten "$DATEN" "$@"
