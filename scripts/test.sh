#!/usr/bin/env bash
# Installs what the tests need (both lists of install-deps.sh), builds everything and
# runs every test: the quick suite, the soak, the suite under the sanitizers and the
# fuzz targets. Work that mostly waits runs beside work that computes: the quick suite
# and the soak (one ctest run) play in real time while the sanitizer and fuzz builds
# compile, and the fuzz targets run while the sanitized suite plays. Each stage's output goes
# to build/stage-NAME.log and is printed when the stage ends.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
bash scripts/install-deps.sh test
bash scripts/build.sh all
# A program just linked whose pages are still being written back starts late (0.14 s
# to reach main here, once 1.3 s, against 0.01 s after a sync). The tests that time a start
# count from exec, so what was built goes to disk before they run.
sync

mkdir -p build
logs=()
pids=()
# Runs a stage in the background, its output in its log.
stage() {
  local name="$1"
  shift
  echo "test: $name started"
  "$@" >"build/stage-$name.log" 2>&1 &
  pids+=($!)
  logs+=("$name")
}

failed=()
# Waits for every stage started so far and prints each log in turn.
finish() {
  local i
  for i in "${!pids[@]}"; do
    if wait "${pids[$i]}"; then
      echo "test: ${logs[$i]} passed"
    else
      failed+=("${logs[$i]}")
      echo "test: ${logs[$i]} FAILED"
    fi
    echo "---- build/stage-${logs[$i]}.log"
    cat "build/stage-${logs[$i]}.log"
  done
  pids=()
  logs=()
}

# The tests wait on sound and windows far more than they compute: more of them at a
# time than cores, and the compiler niced below them.
jobs=$(($(nproc) * 2))
stage suite bash scripts/run-ctest.sh build suite --parallel "$jobs"
stage sanitize-build nice -n 10 bash scripts/sanitize.sh build
stage fuzz-build nice -n 10 bash scripts/fuzz.sh build
finish
sync # the sanitized programs, as above

stage sanitize env LYRA_CTEST_JOBS="$jobs" bash scripts/sanitize.sh run
stage fuzz nice -n 10 bash scripts/fuzz.sh run
finish

echo "test: took $(((SECONDS - started) / 60)) min $(((SECONDS - started) % 60)) s"
flaky="$(cat build/flaky-*.txt build-sanitize/flaky-*.txt 2>/dev/null || true)"
if [ -n "$flaky" ]; then
  echo "test: passed only on the second try (a second time in a row fails the run):"
  echo "$flaky" | sed 's/^/  /'
fi
if [ ${#failed[@]} -gt 0 ]; then
  echo "test: FAILED: ${failed[*]}" >&2
  exit 1
fi
echo "test: every stage passed"
