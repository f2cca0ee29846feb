#!/usr/bin/env bash
# Builds the Debian package with tools/package.sh and checks it without
# installing anything: the files at their paths, the control fields, the
# unpacked programs (dpkg-deb -x into a temporary folder) run from there,
# the desktop entry, the man pages and lintian (an error fails).
# Ends on "paquet: N passed, N failed".
set -euo pipefail
cd "$(dirname "$0")/.."
sources=$(pwd)

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
reussis=0
echecs=0

# verifie DESCRIPTION COMMAND...: runs the command, counts and reports.
verifie() {
  local description=$1
  shift
  if "$@" >"$tmp/sortie" 2>&1; then
    reussis=$((reussis + 1))
  else
    echecs=$((echecs + 1))
    echo "ECHEC: $description" >&2
    sed 's/^/  | /' "$tmp/sortie" >&2
  fi
}
egal() { [ "$1" = "$2" ] || { echo "attendu: $2"; echo "obtenu:  $1"; return 1; }; }
contient() { grep -qF -- "$2" <<<"$1" || { echo "pas de \"$2\" dans:"; echo "$1"; return 1; }; }

if ! bash tools/package.sh "$tmp" >"$tmp/construction" 2>&1; then
  cat "$tmp/construction" >&2
  echo "paquet: 0 passed, 1 failed"
  exit 1
fi
version=$(sed -n 's/^project(tamrix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb=$tmp/tamrix_${version}_$(dpkg --print-architecture).deb
verifie "package named tamrix_VERSION_ARCH.deb" test -f "$deb"
[ -f "$deb" ] || { echo "paquet: $reussis passed, $((echecs)) failed"; exit 1; }

# Contents: every file at its path, owned by root, nothing outside /usr.
contenu=$(dpkg-deb -c "$deb")
attendus=(usr/bin/tamrix usr/bin/tamrix-run usr/bin/tamrix-as
  usr/share/applications/tamrix.desktop
  usr/share/icons/hicolor/scalable/apps/tamrix.svg
  usr/share/man/man1/tamrix.1.gz usr/share/man/man1/tamrix-run.1.gz
  usr/share/man/man1/tamrix-as.1.gz
  usr/share/doc/tamrix/copyright usr/share/doc/tamrix/changelog.gz
  usr/share/tamrix/docs/aide.txt)
for exemple in examples/*.s examples/*.asm examples/*.s19; do
  attendus+=("usr/share/tamrix/$exemple")
done
for chemin in "${attendus[@]}"; do
  verifie "$chemin in the package" grep -qE " \./$chemin\$" <<<"$contenu"
done
verifie "every entry owned by root, under /usr" \
  test -z "$(awk '$2 != "root/root" || $6 !~ /^\.\/usr\// { print }' \
    <<<"$contenu")"

# Control: fields, and no maintainer script (removal removes every file).
controle=$(dpkg-deb -f "$deb")
verifie "Version" egal "$(dpkg-deb -f "$deb" Version)" "$version"
verifie "Depends on FLTK's runtime library" \
  contient "$(dpkg-deb -f "$deb" Depends)" "libfltk1.3"
verifie "Recommends" egal "$(dpkg-deb -f "$deb" Recommends)" binutils-m68hc1x
verifie "Maintainer as Name <address>" \
  grep -qE '^[^<>]+ <[^<>@ ]+@[^<> ]+>$' <<<"$(dpkg-deb -f "$deb" Maintainer)"
verifie "description in English" contient "$controle" "one instruction"
verifie "description in French" contient "$controle" "exécute pas à pas"
verifie "control archive: control and md5sums only" \
  egal "$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -vx '\./' | sort |
    tr '\n' ' ')" "./control ./md5sums "

# The unpacked programs run from the temporary folder and find the
# unpacked examples; no build path is left in them.
racine=$tmp/racine
dpkg-deb -x "$deb" "$racine"
commit=$(git -C "$sources" rev-parse --short=12 HEAD 2>/dev/null || true)
debut="$version${commit:+ (commit $commit}"
run_version=$("$racine/usr/bin/tamrix-run" --version)
verifie "tamrix-run --version: version and commit" \
  contient "$(head -1 <<<"$run_version")" "tamrix-run $debut"
verifie "tamrix-run --version: the unpacked examples" \
  egal "$(tail -1 <<<"$run_version")" \
  "Exemples : $racine/usr/share/tamrix/examples"
verifie "tamrix --version without a display" \
  contient "$(env -u DISPLAY "$racine/usr/bin/tamrix" --version | head -1)" \
  "tamrix $debut"
verifie "tamrix-run on an unpacked example" egal \
  "$("$racine/usr/bin/tamrix-run" "$racine/usr/share/tamrix/examples/somme.s19" | tail -1)" \
  "PC=b609 A=37 B=00 X=0000 Y=0000 SP=00ff CCR=11010000 cycles=80 steps=34 stop=loop"
verifie "tamrix-run on an unpacked Motorola source" egal \
  "$("$racine/usr/bin/tamrix-run" "$racine/usr/share/tamrix/examples/somme.asm" | tail -1)" \
  "PC=b609 A=37 B=00 X=0000 Y=0000 SP=00ff CCR=11010000 cycles=80 steps=34 stop=loop"
verifie "tamrix-as on an unpacked example" \
  "$racine/usr/bin/tamrix-as" -o "$tmp/chenillard.s19" \
  "$racine/usr/share/tamrix/examples/chenillard.asm"
for programme in tamrix tamrix-run tamrix-as; do
  verifie "no build path in $programme" \
    test "$(grep -c -F "$sources" "$racine/usr/bin/$programme")" = 0
done

# Desktop entry: valid, its command and icon in the package.
bureau=$racine/usr/share/applications/tamrix.desktop
verifie "desktop-file-validate" desktop-file-validate "$bureau"
verifie "desktop entry starts the packaged tamrix" \
  grep -qx 'Exec=tamrix %f' "$bureau"
verifie "desktop entry's icon" grep -qx 'Icon=tamrix' "$bureau"

# Man pages: no groff warning, and every option of --help has its own
# entry (help2man reads options only where --help lays them out as such).
for programme in tamrix tamrix-run tamrix-as; do
  page=$racine/usr/share/man/man1/$programme.1.gz
  verifie "man $programme renders without warnings" \
    test -z "$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)"
  entrees=$(zcat "$page" | grep -A1 '^\.TP' | sed -n 's/^\\fB\(\\-[^\\ ]*\(\\-[^\\ ]*\)*\).*/\1/p' | sed 's/\\-/-/g')
  for option in $("$racine/usr/bin/$programme" --help | sed -n 's/^  \(--[a-z-]*\).*/\1/p'); do
    verifie "man $programme: entry for $option" grep -qx -- "$option" <<<"$entrees"
  done
done

verifie "lintian: no error" lintian --fail-on error "$deb"
lintian "$deb" 2>/dev/null | grep -v '^N:' >&2 || true

echo "paquet: $reussis passed, $echecs failed"
[ "$echecs" -eq 0 ]
