#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the player need. Idempotent: does nothing
# when everything is already there.
set -euo pipefail

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

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
