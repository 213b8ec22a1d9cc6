#!/usr/bin/env bash
# Runs ctest in a build folder and gives each failed test one more try.
#   run-ctest.sh BUILD_DIR STAGE [ctest arguments...]
# A test that passes only on its second try is named at the end of the stage and written
# to BUILD_DIR/flaky-STAGE.txt, which holds this run's such tests only. The stage fails
# when a test fails both tries, or when a test needed the second try in this run and in
# the one before (the list the previous run left in that file).
set -euo pipefail
build="$1"
stage="$2"
shift 2
record="$build/flaky-$stage.txt"
failed_log="$build/Testing/Temporary/LastTestsFailed.log"

names_of() { cut -d: -f2- "$1" | sort -u; }

previous=""
if [ -f "$record" ]; then previous="$(sort -u "$record")"; fi
rm -f "$failed_log"
if (cd "$build" && ctest --output-on-failure "$@"); then
  : >"$record"
  echo "$stage: every test passed at the first try"
  exit 0
fi
if [ ! -f "$failed_log" ]; then
  echo "$stage: ctest failed before any test ran" >&2
  exit 1
fi
first="$(names_of "$failed_log")"
echo "$stage: trying once more: $(echo "$first" | tr '\n' ' ')"
still=""
if ! (cd "$build" && ctest --output-on-failure --rerun-failed "$@"); then
  still="$(names_of "$failed_log")"
fi
flaky="$(comm -23 <(echo "$first") <(echo "$still") | sed '/^$/d')"
again="$(comm -12 <(echo "$flaky") <(echo "$previous") | sed '/^$/d')"
printf '%s\n' "$flaky" | sed '/^$/d' >"$record"

status=0
if [ -n "$flaky" ]; then
  echo "$stage: passed only on the second try:"
  echo "$flaky" | sed 's/^/  /'
fi
if [ -n "$again" ]; then
  echo "$stage: FAILED: needed the second try in the previous run too:" >&2
  echo "$again" | sed 's/^/  /' >&2
  status=1
fi
if [ -n "$still" ]; then
  echo "$stage: FAILED both tries:" >&2
  echo "$still" | sed 's/^/  /' >&2
  status=1
fi
exit "$status"
