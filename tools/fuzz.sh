#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (ASan, UBSan, coverage of
# the whole core) and runs them, each for SECONDES seconds (600 by default),
# two at a time. Installs clang and libclang-rt-14-dev when missing (the
# usual build and tests do not need them).
#
#   bash tools/fuzz.sh [SECONDES] [fuzz_machine fuzz_options ...]
#
# Corpora live in build/fuzz/corpus/NAME (kept from one run to the next),
# seeded here: fuzz_cpu with the example and test programs as 64 KiB images
# behind their registers, fuzz_s19 and fuzz_elf with the files the tests
# use, fuzz_machine with those programs behind a short script, fuzz_options
# with a saved options file, fuzz_runner_args with command lines of the
# README, fuzz_expression with conditions, messages and a points file. Findings (crash-*, leak-*, timeout-*) go to build/fuzz/trouvailles;
# each fuzzer's last status line is printed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

duree=${1:-600}
shift || true
cibles=("$@")
if [ ${#cibles[@]} -eq 0 ]; then
  cibles=(fuzz_machine fuzz_options fuzz_runner_args fuzz_cpu fuzz_s19
          fuzz_elf fuzz_assembleur fuzz_expression)
fi

manquants=()
for p in clang libclang-rt-14-dev srecord binutils-m68hc1x; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" ||
    manquants+=("$p")
done
if [ ${#manquants[@]} -gt 0 ]; then
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq "${manquants[@]}" >/dev/null
fi

construction=build/fuzz
CXX=clang++ cmake -S . -B "$construction" -DTAMRIX_FUZZ=ON -DTAMRIX_GUI=OFF \
  -DTAMRIX_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$construction" -j2 --target "${cibles[@]}"

corpus=$construction/corpus
trouvailles=$construction/trouvailles
mkdir -p "$corpus" "$trouvailles"
programmes=(examples/*.s19 tests/programmes/*.s19)

# fuzz_cpu: PC=b600 SP=00ff X=0 Y=0 A=0 B=0 CCR=d0, then the 64 KiB image.
graines_cpu() {
  local d=$corpus/fuzz_cpu
  mkdir -p "$d"
  for p in "${programmes[@]}"; do
    { printf '\xb6\x00\x00\xff\x00\x00\x00\x00\x00\x00\xd0'
      srec_cat "$p" -fill 0xff 0x0000 0x10000 -o - -binary; } \
      >"$d/$(basename "$p" .s19).bin"
  done
}

# fuzz_machine: configuration (e9, expanded), the program's first 510 bytes
# at $b600, four vector cells, then runs, pins, steps and going back.
graines_machine() {
  local d=$corpus/fuzz_machine
  mkdir -p "$d"
  for p in "${programmes[@]}"; do
    local image
    image=$(mktemp)
    srec_cat "$p" -crop 0xb600 0xb7fe -offset -0xb600 -o "$image" -binary
    local n
    n=$(stat -c %s "$image")
    n=$(( (n + 1) / 2 ))
    { printf "\\x00\\x$(printf %02x "$n")"
      head -c $((n * 2)) "$image"
      printf '\xfe\xb6\xff\x00\xf2\xc0\xf3\x00'
      # a slice, a pin, a slice, a step, back 1000, a typed byte, a slice,
      # who changed $0000, back one step, a slice
      printf '\x0f\x40\x00\x00\x20\x01\x10\x10\x00\x0e\x12\x02\x03\xe8\x00'
      printf '\x03\x41\x11\x30\x00\x13\x02\x00\x00\x12\x00\x0f\x7f\xff'
    } >"$d/$(basename "$p" .s19)"
    rm -f "$image"
  done
}

graines_options() {
  local d=$corpus/fuzz_options
  mkdir -p "$d"
  printf 'modele=plat\nregistre.A=0\nport.C=0\nvitesse=pas_animes\npas_par_seconde=12\nhistorique_mo=64\nanalogique.AN3=2.5\nanalogique.VRH=4.5\nchronogramme.selection=PA0,IRQ\ndernier_fichier=/tmp/prog.s19\n' \
    >"$d/complet"
  printf '# commentaire\r\nmodele=e9\r\n\r\ncle_inconnue=1\r\n' >"$d/crlf"
}

graines_arguments() {
  local d=$corpus/fuzz_runner_args
  mkdir -p "$d"
  local i=0
  while IFS= read -r ligne; do
    i=$((i + 1))
    printf '%s' "$ligne" | tr ' ' '\0' >"$d/ligne_$i"
  done <<'FIN'
--max-steps 1000000 --poke 0x100a=0x5a --dump 0x1003:0x1004 prog.s19
--pin IRQ=0@5000 --pin IRQ=1@5100 --model e9 --mode single-chip prog.s19
--until fin --dump table:table+8 --watch table --trace prog.elf
--sci-in Salut\r --sci-out - --analog AN0=2,5 --cop prog.s19
--set A=5 --pc debut --max-cycles 6000000 --stats --binary prog.bin
FIN
}

# fuzz_expression: conditions, tracepoint messages, a saved points file.
graines_expression() {
  local d=$corpus/fuzz_expression
  mkdir -p "$d"
  printf 'A == $ff && [$40] > 3 || !(X & 0x8000)' >"$d/condition"
  printf '[[table+2]] >> 4 != %%1010 ^ ~cycles' >"$d/mots"
  printf 'A={A} X={X} [$40]={[ [$41] ]} valeur={valeur}' >"$d/message"
  printf 'programme=/p\ninstruction\t1\tb610\tboucle\tp.s:3\t2\t0\tA == 1\t\nsurveillance\t1\t0040\t0043\trw\t0\t1\tvaleur > 9\tv={valeur}\nevenement\t0\tbroche\t0008\t0\t0\t0\t\t\n' \
    >"$d/points"
}

for cible in "${cibles[@]}"; do
  case $cible in
    fuzz_expression) graines_expression ;;
    fuzz_cpu) graines_cpu ;;
    fuzz_machine) graines_machine ;;
    fuzz_options) graines_options ;;
    fuzz_runner_args) graines_arguments ;;
    fuzz_s19) mkdir -p "$corpus/fuzz_s19" && cp "${programmes[@]}" "$corpus/fuzz_s19/" ;;
    fuzz_assembleur)
      mkdir -p "$corpus/fuzz_assembleur" && cp examples/*.asm "$corpus/fuzz_assembleur/" ;;
    fuzz_elf)
      mkdir -p "$corpus/fuzz_elf"
      if [ -d build/test/essais_memoire ]; then
        find build/test/essais_memoire -name '*.elf' -exec cp {} "$corpus/fuzz_elf/" \;
      fi
      ;;
  esac
done

# Two at a time: the machine's two cores.
lance() {
  local cible=$1
  local journal=$construction/$cible.log
  "$construction/$cible" -max_total_time="$duree" -print_final_stats=1 \
    -timeout=20 -rss_limit_mb=2048 -artifact_prefix="$trouvailles/$cible-" \
    "$corpus/$cible" >"$journal" 2>&1 || true
  echo "== $cible"
  grep -E '^#[0-9]+.*(DONE|pulse|NEW|REDUCE)' "$journal" | tail -1 || true
  grep -E 'stat::number_of_executed_units|stat::peak_rss_mb|ERROR|SUMMARY|Test unit written' \
    "$journal" || true
}
en_cours=0
for cible in "${cibles[@]}"; do
  lance "$cible" &
  en_cours=$((en_cours + 1))
  if [ $en_cours -ge 2 ]; then
    wait -n
    en_cours=$((en_cours - 1))
  fi
done
wait
ls "$trouvailles"
