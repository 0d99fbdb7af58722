#!/usr/bin/env bash
# Configures and builds everything (program, tool, tests, benchmarks, the delivered data directory).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${VELMORA_CMAKE_ARGS:-}
cmake --build build -j"$(nproc)"
