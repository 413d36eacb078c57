# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by run.sh and test.sh: installs the Debian packages that are missing, and only those.
# Works as root and through sudo.

installer_paquets_manquants() {
  local manquants=()
  local paquet
  for paquet in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$paquet" 2>/dev/null | grep -q 'install ok installed'; then
      manquants+=("$paquet")
    fi
  done
  [ ${#manquants[@]} -eq 0 ] && return 0

  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo="sudo"
    else
      echo "Missing packages (${manquants[*]}) and no root rights to install them." >&2
      return 1
    fi
  fi
  echo "Installing: ${manquants[*]}"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    "${manquants[@]}"
}

# What building and testing need: the compiler and build tools, Qt 6 for the window program,
# GoogleTest, Google Benchmark and SQLite (benchmarks and the SQL export test).
# fonts-dejavu-extra brings DejaVu Sans Condensed,
# the face the dialogs fall back on where the legacy "MS Sans Serif" is missing: the plain
# DejaVu Sans is wider, and the texts laid out in dialog units would not fit their controls.
#
# qt6-translations-l10n holds Qt's own French texts (the edit fields' and scroll bars' context
# menus, and any other text of Qt's that a user meets), which the program loads at start-up.
#
# python3-html5lib is the HTML5 parser that the tests read the companion's own pages (the menu,
# the index of the recipe pages) with, strictly.
PAQUETS_CONSTRUCTION=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-translations-l10n fonts-dejavu-extra
  libgtest-dev libgmock-dev libbenchmark-dev
  libsqlite3-dev
  python3-html5lib
)

# The tests of what a kill or a power cut leaves (test.sh): strace writes down the writers' file
# calls. Java runs the W3C Nu HTML checker on the companion's pages.
PAQUETS_ESSAIS=(strace openjdk-17-jre-headless)

# The W3C Nu HTML checker: the npm package vnu-jar, at a fixed version, in the user's cache
# (outside the repository; CMake finds it there). npm comes from Debian when the machine has none.
VERSION_VNU=26.9.27
installer_vnu() {
  local dossier="${XDG_CACHE_HOME:-$HOME/.cache}/velquor/vnu-jar"
  local jar="$dossier/node_modules/vnu-jar/build/dist/vnu.jar"
  if [ -f "$jar" ] && grep -q "\"version\": \"$VERSION_VNU\"" \
    "$dossier/node_modules/vnu-jar/package.json" 2>/dev/null; then
    return 0
  fi
  command -v npm >/dev/null 2>&1 || installer_paquets_manquants npm
  mkdir -p "$dossier"
  npm install --prefix "$dossier" --no-audit --no-fund --no-save --ignore-scripts "vnu-jar@$VERSION_VNU" >/dev/null
  [ -f "$jar" ]
}

# The windows' real-input tests (test.sh): a virtual X server, a window manager, the tool that
# sends real key presses and clicks through XTest, xprop to see the window manager up, xmodmap
# to give the characters typed keys of their own, and xclip, another program that owns the
# clipboard the tests paste from.
PAQUETS_AFFICHAGE_REEL=(xvfb openbox xdotool x11-utils x11-xserver-utils xclip)

# The installation's tests (test.sh): the desktop entry's and the AppStream metadata's
# validators, dpkg-shlibdeps for the Debian package's dependencies, groff to check the manual
# pages, file to see the package's programs stripped, xdg-user-dirs for the menu's launcher, and
# a MariaDB server and the sqlite3 shell that the SQL files are loaded with.
PAQUETS_INSTALLATION=(desktop-file-utils appstream dpkg-dev groff-base file xdg-user-dirs sqlite3
  mariadb-server)
