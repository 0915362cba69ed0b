#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the player need; with --web also what the
# browser build needs. Idempotent: does nothing when everything is already there.
set -euo pipefail

web=false
for arg in "$@"; do
  case $arg in
    --web) web=true ;;
    -h | --help)
      echo "Usage: scripts/install-deps.sh [--web]"
      echo "Installs the Debian packages the build and the tests need; --web adds those of the"
      echo "browser build (emscripten, a browser, the bundled fonts) and a deb-src entry for apt."
      exit 0 ;;
    *) echo "install-deps.sh: unknown argument '$arg' (try --help)" >&2; exit 2 ;;
  esac
done

packages=(
  build-essential cmake pkg-config clang libclang-rt-dev
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  libpng-dev libpixman-1-dev libfreetype-dev libfontconfig-dev
  fonts-dejavu-core fonts-liberation2
  libsdl2-dev libsdl2-mixer-dev
  libavformat-dev libavcodec-dev libavutil-dev libswscale-dev libswresample-dev
  xvfb xauth xdotool xclip x11-apps x11-utils procps
  libglib2.0-dev shared-mime-info
  libcairo2-dev libcups2-dev libjpeg62-turbo-dev poppler-utils cups-daemon printer-driver-cups-pdf
)
# The Debian package: the icon's rendering, the Build-Depends the list above lacks, the packaging
# tools and the checks `make test` runs on the package; a message bus for the folder chooser's
# tests.
packages+=(librsvg2-bin libjpeg-dev debhelper dpkg-dev lintian desktop-file-utils appstream
           dbus-daemon)

if $web; then
  # The browser build: its compiler, the browser its tests run in, the unpacking of its libraries'
  # source packages (dpkg-dev is above) and the fonts whose files it bundles (with two above).
  packages+=(emscripten nodejs chromium xz-utils fonts-liberation fonts-dejavu-extra)
  # A node.js from elsewhere may bring its own npm, which Debian's would conflict with.
  command -v npm >/dev/null || packages+=(npm)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

# The browser build compiles its libraries from Debian's source packages, which apt only fetches
# with a deb-src entry.
has_deb_src() {
  grep -qsE '^[[:space:]]*deb-src[[:space:]]' /etc/apt/sources.list /etc/apt/sources.list.d/*.list ||
    grep -qsiE '^Types:.*[[:space:]]deb-src([[:space:]]|$)' /etc/apt/sources.list.d/*.sources
}
deb_src_file=/etc/apt/sources.list.d/velmorant-deb-src.sources
need_deb_src=false
$web && ! has_deb_src && need_deb_src=true

[ ${#missing[@]} -eq 0 ] && ! $need_deb_src && exit 0

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo_cmd=(sudo)
fi

# The deb entries of the distribution itself (not those of other vendors), as deb-src entries in
# deb822 form.
deb_src_entries() {
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    awk 'BEGIN { RS = ""; FS = "\n" }
         {
           deb = 0; stanza = ""
           for (i = 1; i <= NF; i++) {
             line = $i
             if (line ~ /^Types:/) {
               if (line ~ /[: \t]deb([ \t]|$)/) deb = 1
               line = "Types: deb-src"
             }
             stanza = stanza line "\n"
           }
           if (deb) printf "%s\n", stanza
         }' /etc/apt/sources.list.d/debian.sources
  fi
  if [ -f /etc/apt/sources.list ]; then
    awk '$1 == "deb" {
           signed = ""
           if ($2 ~ /^\[/) {
             options = $2; i = 2
             while (options !~ /\]$/) options = options " " $(++i)
             if (match(options, /signed-by=[^] ]+/)) signed = substr(options, RSTART + 10, RLENGTH - 10)
           } else i = 1
           printf "Types: deb-src\nURIs: %s\nSuites: %s\nComponents:", $(i + 1), $(i + 2)
           for (c = i + 3; c <= NF && $c !~ /^#/; c++) printf " %s", $c
           printf "\n"
           if (signed != "") printf "Signed-By: %s\n", signed
           printf "\n"
         }' /etc/apt/sources.list
  fi
}

export DEBIAN_FRONTEND=noninteractive
if $need_deb_src; then
  entries=$(deb_src_entries)
  [ -n "$entries" ] || { echo "No Debian deb entry in /etc/apt to make a deb-src entry from" >&2; exit 1; }
  echo "Adding $deb_src_file"
  printf '%s\n' "$entries" | "${sudo_cmd[@]}" tee "$deb_src_file" >/dev/null
fi
"${sudo_cmd[@]}" apt-get update -qq
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
