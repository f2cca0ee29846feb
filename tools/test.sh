#!/usr/bin/env bash
# Builds tamrix with AddressSanitizer and UBSan and runs every test.
# The GUI tests run the real windows; without a display they get an Xvfb one.
# Then builds the Debian package and checks it (tools/test_paquet.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
cmake -S . -B build/test -DTAMRIX_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/test -j"$(nproc)"

if [ -n "${DISPLAY:-}" ]; then
  ctest --test-dir build/test --output-on-failure
else
  xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --test-dir build/test --output-on-failure
fi

bash tools/test_paquet.sh
