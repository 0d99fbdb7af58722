#!/usr/bin/env bash
# Installs the Debian packages Velmora needs; skips what is present.
set -euo pipefail
pkgs=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite
      libsqlite3-dev sqlite3 libgtest-dev libgmock-dev googletest libbenchmark-dev
      libgl-dev libcurl4-openssl-dev pxlib-dev clang-format xvfb qt6-translations-l10n qt6-charts-dev
      python3-icalendar python3-pyftpdlib tidy clang libfuzzer-14-dev libclang-rt-14-dev)
missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
