#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, in build-fuzz/) and runs each for SECONDS seconds, one after the
# other and niced, from its seed inputs in tests/fuzz/korpus/<target>/. New inputs collect in
# build-fuzz/korpus/, crashing inputs in build-fuzz/funde/<target>/. Prints the executions per target;
# ends with 1 when any target found a crash. FUZZ_ZIELE="fuzz_ini fuzz_vcard" runs only those.
set -euo pipefail
cd "$(dirname "$0")/.."
sekunden="${1:?usage: scripts/fuzz.sh SECONDS}"
# The fuzzing compiler and libFuzzer are needed here only, so the test set-up does not fetch them.
fuzzpakete=(clang libfuzzer-14-dev libclang-rt-14-dev)
fehlend=()
for p in "${fuzzpakete[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || fehlend+=("$p")
done
if [ ${#fehlend[@]} -gt 0 ]; then
    if [ "$(id -u)" -eq 0 ]; then apt-get update -qq && apt-get install -y -qq "${fehlend[@]}"
    else sudo apt-get update -qq && sudo apt-get install -y -qq "${fehlend[@]}"; fi
fi
ziele="${FUZZ_ZIELE:-fuzz_ini fuzz_paradox fuzz_vcard fuzz_suche fuzz_statistik_sql fuzz_datendatei}"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DVELMORA_FUZZ=ON -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF "${launcher[@]}" >/dev/null
# shellcheck disable=SC2086
nice cmake --build build-fuzz -j"${FUZZ_JOBS:-1}" --target $ziele
export QT_QPA_PLATFORM=offscreen
fehler=0
for ziel in $ziele; do
    korpus="build-fuzz/korpus/$ziel"
    funde="build-fuzz/funde/$ziel"
    mkdir -p "$korpus" "$funde"
    protokoll="build-fuzz/$ziel.log"
    beginn=$SECONDS
    # An input running over 60 s is a hang; a shorter limit reports the load of a shared machine.
    if nice "build-fuzz/tests/fuzz/$ziel" -max_total_time="$sekunden" -timeout=60 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$funde/" "$korpus" "tests/fuzz/korpus/$ziel" >"$protokoll" 2>&1; then
        ergebnis="ok"
    else
        ergebnis="FUND (siehe $funde/ und $protokoll)"
        fehler=1
    fi
    laeufe=$(sed -n 's/^stat::number_of_executed_units: *//p' "$protokoll" | tail -1)
    echo "$ziel: ${laeufe:-?} Ausführungen in $((SECONDS - beginn)) s, $ergebnis"
done
exit $fehler
