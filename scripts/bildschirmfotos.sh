#!/usr/bin/env bash
# Makes README's screenshots with the program's picture mode on a synthetic register:
# scripts/bildschirmfotos.sh [BUILD_DIR]   (default build/; the program and the tool must be built)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
ziel=docs/bilder
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$build/velmora-werkzeug" beispiel "$tmp/Daten" --katzen 3000 --generationen 12 --seed 7 >/dev/null
"$build/velmora-werkzeug" einstellungen-anlegen --einstellungen "$tmp/ini" >/dev/null
# The last cats of the synthetic register have the deepest pedigrees.
katze=3000
mkdir -p "$ziel"
bild() { # FENSTER DATEI [more options]
    local fenster=$1 datei=$2
    shift 2
    QT_QPA_PLATFORM=offscreen "$build/velmora" --daten "$tmp/Daten" --einstellungen "$tmp/ini" \
        --bild "$fenster" "$ziel/$datei" --katze "$katze" "$@" 2>/dev/null
    echo "$ziel/$datei"
}
bild FormCatStamm register.png
bild FormCatStamm register-zuchtbuch.png --seite 6
bild FormStammbaum stammbaum.png
bild FormStammbaum pedigree-english.png --sprache englisch
bild FormInzuchtgrad inzuchtgrad.png
bild FormStatistikMerkmaleDatei statistik.png
bild Adressenverwaltung adressen.png
