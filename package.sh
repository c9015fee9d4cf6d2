#!/usr/bin/env bash
# Builds the Debian package tavrino-scope_<version>_<arch>.deb into
# build-package/: a Release build of its own, installed under /usr by
# `cpack -G DEB`, with the run-time dependencies computed from the binaries.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
# Only the programs and the installed files are built: not the tests.
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVRINO_BENCH=OFF \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build build-package -j"${JOBS:-2}" --target tavrino-scope tavrino-cli tavrino-sim tavrino-install-files
(cd build-package && cpack -G DEB)
ls -1 build-package/tavrino-scope_*.deb
