#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs them from their
# committed seed corpora, as many at a time as there are cores. FUZZ_SECONDS (300 by
# default) is the budget of all targets together, shared out evenly. Without clang
# there is nothing to do.
#   fuzz.sh [build|run]   only build, or only run what was built; both by default
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ not found, skipped"
  exit 0
fi
mode="${1:-both}"
if [ "$mode" != run ]; then
  echo "fuzz: configuring"
  cmake -S tests/fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++
  echo "fuzz: compiling"
  cmake --build build-fuzz --parallel "$(nproc)"
fi
if [ "$mode" = build ]; then exit 0; fi
export LYRABOX_AUDIO_SINK=fakesink QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=0"

corpora=(tests/fuzz/corpus/*/)
seconds=$(("${FUZZ_SECONDS:-300}" / ${#corpora[@]}))

# One target; its log is kept in build-fuzz/NAME.log.
fuzz_one() {
  local name found
  name="$(basename "$1")"
  found="$(mktemp -d)"
  if "build-fuzz/fuzz_$name" -max_total_time="$seconds" -max_len=4096 -timeout=20 -print_final_stats=1 \
    -artifact_prefix="build-fuzz/$name-" "$found" "$1" 2>"build-fuzz/$name.log"; then
    echo "fuzz: $name: $(grep -E '^stat::number_of_executed_units' "build-fuzz/$name.log" || echo done)"
    rm -rf "$found"
  else
    echo "fuzz: $name FAILED; the failing input is build-fuzz/$name-*" >&2
    tail -n 60 "build-fuzz/$name.log" >&2
    return 1
  fi
}

echo "fuzz: ${#corpora[@]} targets for ${seconds}s each, $(nproc) at a time"
failed=0
running=0
for corpus in "${corpora[@]}"; do
  if [ "$running" -ge "$(nproc)" ]; then
    wait -n || failed=1
    running=$((running - 1))
  fi
  fuzz_one "$corpus" &
  running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
  wait -n || failed=1
  running=$((running - 1))
done
exit "$failed"
