#!/usr/bin/env bash
# Builds the Debian package build-package/gui-controller_<version>_<arch>.deb: the programs
# only, optimised (-O2, as Debian builds) and stripped, with dependencies found by dpkg-shlibdeps.
# Install it with:  sudo apt install ./build-package/gui-controller_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
# cpack finds the libraries' packages with dpkg-shlibdeps, and the programs with file.
bash scripts/install-deps.sh dpkg-dev file
bash scripts/build.sh -B build-package -DGC_BUILD_TESTS=OFF
(cd build-package && cpack -G DEB)
ls -l build-package/gui-controller_*.deb
