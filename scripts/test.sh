#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs every test: the
# quick suite, the soak, the suite under the sanitizers and the fuzz targets.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
echo "test: running ctest"
cd build
ctest --output-on-failure --parallel "$(nproc)" --repeat until-pass:2 --exclude-regex '^Soak[.]'
echo "test: running the soak"
ctest --output-on-failure --tests-regex '^Soak[.]'
cd ..
bash scripts/sanitize.sh
bash scripts/fuzz.sh
