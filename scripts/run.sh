#!/usr/bin/env bash
# Installs what the player needs, builds it and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
echo "run: starting build/src/lyrabox3"
exec ./build/src/lyrabox3
