#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack -G DEB` into a temporary folder, then its fields and its contents
# as dpkg-deb reads them.
#   paquet_deb_test.sh BUILD_FOLDER
set -euo pipefail
construction=$1
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
echecs=0
echec() { echo "FAILED: $*" >&2; echecs=$((echecs + 1)); }

cpack -G DEB --config "$construction/CPackConfig.cmake" -B "$travail" >"$travail/cpack.log" 2>&1 || {
  cat "$travail/cpack.log" >&2
  exit 1
}
paquets=("$travail"/*.deb)
[ ${#paquets[@]} -eq 1 ] && [ -f "${paquets[0]}" ] || { echo "no single .deb made" >&2; exit 1; }
paquet=${paquets[0]}

champ() { dpkg-deb -f "$paquet" "$1"; }
[ "$(champ Package)" = velquor ] || echec "Package: $(champ Package)"
[ "$(champ Section)" = misc ] || echec "Section: $(champ Section)"
[ "$(champ Architecture)" = "$(dpkg --print-architecture)" ] || echec "Architecture"
[[ $(champ Maintainer) =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || echec "Maintainer: $(champ Maintainer)"
[ -n "$(champ Version)" ] || echec "no Version"
[ -n "$(champ Description)" ] || echec "no Description"
# The Qt 6 libraries the programs link, and the C++ runtime, found by dpkg-shlibdeps.
depends=$(champ Depends)
for bibliotheque in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 libc6; do
  [[ ",$depends" == *", $bibliotheque"* || ",$depends" == *",$bibliotheque"* ]] ||
    echec "Depends lacks $bibliotheque: $depends"
done
[[ $(champ Recommends) == *qt6-translations-l10n* ]] || echec "Recommends: $(champ Recommends)"

# The files: those of `cmake --install`, under /usr.
dpkg-deb -c "$paquet" | awk '{ print $6 }' | grep -v '/$' | sort >"$travail/contenu"
id=fr.velquor.velquor
for f in usr/bin/velquor usr/bin/velquor-outils usr/libexec/velquor/velquor-bureau \
  usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
  usr/share/man/man1/velquor.1 usr/share/man/man1/velquor-outils.1 \
  usr/share/bash-completion/completions/velquor-outils \
  usr/share/doc/velquor/copyright \
  usr/share/icons/hicolor/48x48/apps/$id.png usr/share/icons/hicolor/scalable/apps/$id.svg; do
  grep -qx "\./$f" "$travail/contenu" || echec "the package lacks /$f"
done
[ "$(grep -c '^\./usr/share/icons/hicolor/.*/apps/' "$travail/contenu")" -eq 9 ] || echec "icons"
if grep -v '^\./usr/' "$travail/contenu"; then echec "files outside /usr"; fi
# Programs stripped and executable; the entry and launcher name the package's paths.
dpkg-deb -x "$paquet" "$travail/x"
for f in usr/bin/velquor usr/bin/velquor-outils usr/libexec/velquor/velquor-bureau; do
  [ -x "$travail/x/$f" ] || echec "/$f is not executable"
done
grep -qx 'Exec="/usr/libexec/velquor/velquor-bureau"' "$travail/x/usr/share/applications/$id.desktop" ||
  echec "Exec in the package"
grep -qx 'exec "/usr/bin/velquor"' "$travail/x/usr/libexec/velquor/velquor-bureau" ||
  echec "launcher in the package"
desktop-file-validate "$travail/x/usr/share/applications/$id.desktop" || echec "desktop-file-validate"
[ -z "$(file "$travail/x/usr/bin/velquor-outils" | grep 'not stripped')" ] || echec "not stripped"

[ "$echecs" -eq 0 ] || { echo "$echecs failure(s)" >&2; exit 1; }
echo "package: all checks passed ($(du -h "$paquet" | cut -f1))"
