#!/usr/bin/env bash
# Configures and builds into build/:
#   build.sh player   the player alone (what run.sh starts)
#   build.sh all      the player, its tests and benchmarks
set -euo pipefail
cd "$(dirname "$0")/.."
case "${1:-}" in
  player) options=() targets=(--target lyrabox3) ;;
  all) options=(-DLYRA_TESTS=ON -DLYRA_BENCHMARKS=ON -DLYRA_SOAK=ON) targets=() ;;
  *)
    echo "usage: $0 player|all" >&2
    exit 2
    ;;
esac
echo "build: configuring"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}"
echo "build: compiling ${1}"
cmake --build build --parallel "$(nproc)" "${targets[@]}"
