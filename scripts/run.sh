#!/usr/bin/env bash
# Sets up and builds, then starts the model-2 program in run/, the folder that
# holds the shipped defaults file and help text.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cd run
exec ../build/app2/varlok2-loader
