#!/bin/sh
# Installs, builds and starts Amorquant from its run folder.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh
# The tests need more packages than the program; they are not built here.
scripts/build.sh -DBUILD_TESTING=OFF
cd build/run
exec ./amorquant "$@"
