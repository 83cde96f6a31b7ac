#!/bin/sh
# Installs, builds and starts Amorquant from its run folder.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
cd build/run
exec ./amorquant "$@"
