#!/usr/bin/env bash
# Assembles a 68HC11 program with the GNU tools (binutils-m68hc1x) and writes
# its S19 image beside it, linked at 0xB600 (or at the address given).
#   tools/assemble.sh prog.s [prog.s19] [0xb600]
# The source starts at its label _start, in section .text. A section named
# .vecteurs, if the source has one, is placed at 0xFFD6: the interrupt
# vectors, SCI first, reset last.
set -euo pipefail
src=$1
out=${2:-${src%.s}.s19}
base=${3:-0xb600}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
m68hc11-as -o "$tmp/prog.o" "$src"
m68hc11-ld -Ttext "$base" --section-start=.vecteurs=0xffd6 -e _start -o "$tmp/prog.elf" "$tmp/prog.o"
m68hc11-objcopy -O srec "$tmp/prog.elf" "$out"
chmod 644 "$out"
