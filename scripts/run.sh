#!/usr/bin/env bash
# Installs what Quillon needs, builds it and starts it on its default data folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
exec ./build/bin/quillon "$@"
