#!/usr/bin/env bash
# Configures and builds the player, its tests and benchmarks into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
echo "build: configuring"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
echo "build: compiling"
cmake --build build --parallel "$(nproc)"
