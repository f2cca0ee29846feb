#!/usr/bin/env bash
# Installs what tamrix needs to build and test, when it is missing (Debian 12).
set -euo pipefail

paquets=(g++ cmake make libfltk1.3-dev libgtest-dev libbenchmark-dev
         xvfb xauth xdotool imagemagick binutils-m68hc1x srecord
         dpkg-dev help2man lintian desktop-file-utils man-db
         pkg-config libelf-dev libdw-dev libtomlplusplus-dev
         nlohmann-json3-dev python3-serial picocom)

manquants=()
for p in "${paquets[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
    manquants+=("$p")
  fi
done
[ ${#manquants[@]} -eq 0 ] && exit 0

echo "tamrix: installing ${manquants[*]}" >&2
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq "${manquants[@]}" >/dev/null
