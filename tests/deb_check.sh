#!/usr/bin/env bash
# Builds the Debian package with its own preset (Debian's hardening flags, no tests), unpacks it
# into a scratch root, runs it from there, and has lintian look at it: no errors, no hardening,
# leftover-section or misplaced-documentation tags, the informational ones included.
set -euo pipefail
source_dir=$1
sample=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake -S "$source_dir" -B "$scratch/build" --preset package >/dev/null
cmake --build "$scratch/build" >/dev/null
(cd "$scratch/build" && cpack -G DEB -B "$scratch/out" >/dev/null)
deb=$(ls "$scratch"/out/pelora_*.deb)
dpkg-deb -x "$deb" "$scratch/root"
export XDG_CONFIG_HOME=$scratch/config
"$scratch/root/usr/bin/pelora" --version | grep -qx "pelora [0-9.]*"
"$scratch/root/usr/bin/pelora" --report --today 1996-12-20 "$sample" | grep -q '過去30日'
# The picture's module, where the package keeps it.
"$scratch/root/usr/bin/pelora" --render - --today 1996-12-20 "$sample" | head -c 8 | grep -q PNG
dpkg-deb -f "$deb" Depends | grep -q 'fonts-ipafont-gothic | fonts-japanese-gothic'
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6
dpkg-deb -f "$deb" Recommends | grep -qx qt6-translations-l10n
grep -q '^License: MIT' "$scratch/root/usr/share/doc/pelora/copyright"
[ -s "$scratch/root/usr/share/doc/pelora/pelora.html" ]
tags=$(lintian --display-info --fail-on error --suppress-tags-from-file /dev/null "$deb")
if grep -E 'hardening-|unneeded-section|documentation-outside-usr-share-doc' <<<"$tags"; then exit 1; fi
echo "package checked: $(basename "$deb")"
