#!/bin/sh
# Installs the build with cmake --install below a scratch DESTDIR and checks it.
# Usage: install_test.sh BUILD SCRATCH
set -eu
build=$1 scratch=$2
rm -rf "$scratch"
DESTDIR=$scratch cmake --install "$build" --prefix /opt/amorquant >/dev/null
sh "$(dirname "$0")/check_tree.sh" "$scratch" /opt/amorquant "$build"
