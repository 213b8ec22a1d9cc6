#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for
# FUZZ_SECONDS (60 by default) from its committed seed corpus. Without clang
# there is nothing to do.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ not found, skipped"
  exit 0
fi
seconds="${FUZZ_SECONDS:-60}"
echo "fuzz: configuring"
cmake -S tests/fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++
echo "fuzz: compiling"
cmake --build build-fuzz --parallel "$(nproc)"
export LYRABOX_AUDIO_SINK=fakesink QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=0"
for corpus in tests/fuzz/corpus/*/; do
  name="$(basename "$corpus")"
  found="$(mktemp -d)"
  echo "fuzz: $name for ${seconds}s"
  "build-fuzz/fuzz_$name" -max_total_time="$seconds" -max_len=4096 -timeout=20 -print_final_stats=1 \
    "$found" "$corpus" 2>"build-fuzz/$name.log" || { tail -n 60 "build-fuzz/$name.log"; exit 1; }
  grep -E "^(stat::number_of_executed_units|Done)" "build-fuzz/$name.log" || true
  rm -rf "$found"
done
