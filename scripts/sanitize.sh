#!/usr/bin/env bash
# Builds the tests with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-sanitize/ and runs them with leak detection on. Any report fails.
#   sanitize.sh [build|run]   only build, or only run what was built; both by default
# Built are only the programs that run: no benchmarks and no soak.
set -euo pipefail
cd "$(dirname "$0")/.."
mode="${1:-both}"
if [ "$mode" != run ]; then
  flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
  echo "sanitize: configuring"
  # -O1 and line tables are all the reports need, and compile far faster than -O2 -g.
  cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
    -DLYRA_TESTS=ON -DLYRA_BENCHMARKS=OFF -DLYRA_SOAK=OFF -DLYRA_TIMEOUT_SCALE=3
  echo "sanitize: compiling"
  cmake --build build-sanitize --parallel "$(nproc)"
fi
if [ "$mode" = build ]; then exit 0; fi

echo "sanitize: running ctest"
# Full stacks on malloc: GLib is built without frame pointers, and the
# suppressions match frames deep in its start-up.
export ASAN_OPTIONS="detect_leaks=1:fast_unwind_on_malloc=0"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer/leaks.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# The decoders are not instrumented: of the format matrix, the formats that take
# different paths through our own code are enough here (the quick suite plays them all).
uninstrumented='^Tone/EveryFormat[.].*/tone_(wma|midi?|rmi|aifc?|snd|flac|ogg|oga|opus|m4a|aac)( |$)'
bash scripts/run-ctest.sh build-sanitize sanitize --parallel "${LYRA_CTEST_JOBS:-$(nproc)}" \
  --exclude-regex "$uninstrumented"
