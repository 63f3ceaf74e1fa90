#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch root, runs it from there, and has lintian
# look at it: no errors allowed.
set -euo pipefail
build=$1
sample=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
(cd "$build" && cpack -G DEB -B "$scratch/out" >/dev/null)
deb=$(ls "$scratch"/out/pelora_*.deb)
dpkg-deb -x "$deb" "$scratch/root"
export XDG_CONFIG_HOME=$scratch/config
"$scratch/root/usr/bin/pelora" --version | grep -qx "pelora [0-9.]*"
"$scratch/root/usr/bin/pelora" --report --today 1996-12-20 "$sample" | grep -q '過去30日'
dpkg-deb -f "$deb" Depends | grep -q fonts-ipafont-gothic
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6
lintian --fail-on error --suppress-tags-from-file /dev/null "$deb"
echo "package checked: $(basename "$deb")"
