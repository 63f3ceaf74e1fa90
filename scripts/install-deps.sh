#!/usr/bin/env bash
# Installs the Debian 12 packages Pelora needs to build, run and test, if any are missing.
# Where there is no Debian package database, it trusts that the tools are there and says nothing.
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev libgl-dev libgtest-dev libbenchmark-dev
          xvfb xauth x11-utils fonts-ipafont-gothic python3 clang libclang-rt-14-dev
          desktop-file-utils appstream lintian dpkg-dev man-db groff-base file imagemagick qt6-translations-l10n openbox xdotool
          qt6ct dbus-daemon at-spi2-core python3-pyatspi)
command -v dpkg-query >/dev/null 2>&1 || exit 0

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
