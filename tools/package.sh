#!/usr/bin/env bash
# Builds the Debian package of tamrix, tamrix_VERSION_ARCH.deb, in the given
# folder (the top of the source tree by default), from a Release build of its
# own (build/paquet) made with Debian's build flags. Install it on a lab
# machine with `sudo apt install ./tamrix_*.deb`.
#   tools/package.sh [FOLDER]
# The maintainer field is "$DEBFULLNAME <$DEBEMAIL>" when both are set.
set -euo pipefail
cd "$(dirname "$0")/.."
racine=$(pwd)
sortie=$(realpath "${1:-$racine}")

bash tools/setup.sh

# Dates in the changelog and the man pages: the last commit's, so that the
# same commit gives the same package.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || date +%s)
fi
export SOURCE_DATE_EPOCH

# Hardened flags as a Debian package build sets them; --as-needed keeps
# only the libraries the programs use in Depends.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
drapeaux="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
edition="$(dpkg-buildflags --get LDFLAGS) -Wl,--as-needed"

cmake -S . -B build/paquet -DCMAKE_BUILD_TYPE=Release -DTAMRIX_TESTS=OFF \
  -DTAMRIX_SANITIZE=OFF -DTAMRIX_BENCH=OFF -DTAMRIX_DONNEES_SOURCES=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_CXX_FLAGS="$drapeaux" \
  -DCMAKE_EXE_LINKER_FLAGS="$edition" >/dev/null
cmake --build build/paquet -j"$(nproc)"
(cd build/paquet && cpack -G DEB -B "$racine/build/paquet/cpack" >/dev/null)

paquet=$(ls build/paquet/cpack/tamrix_*.deb)
mkdir -p "$sortie"
cp "$paquet" "$sortie/"
echo "$sortie/$(basename "$paquet")"
