#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR and checks the tree as a desktop would see it.
set -euo pipefail
build=$1
sample=$2
source=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# What installs is built with the program itself, as scripts/run.sh builds it.
rm -rf "$build/res/install/pelora.1.gz" "$build/res/install/changelog.Debian.gz" "$build/res/install/icons"
cmake --build "$build" --target pelora >/dev/null
DESTDIR=$scratch cmake --install "$build" --prefix /usr >/dev/null
share=$scratch/usr/share

desktop-file-validate "$share/applications/com.brisolt.Pelora.desktop"
# Nothing generic is claimed: a text file opened from the file manager is not taken for a charge file.
! grep -q '^MimeType=' "$share/applications/com.brisolt.Pelora.desktop" || { echo "claims a MIME type"; exit 1; }
grep -qx 'StartupWMClass=Pelora' "$share/applications/com.brisolt.Pelora.desktop"
for debian in copyright changelog.Debian.gz; do
  [ ! -e "$share/doc/pelora/$debian" ] || { echo "Debian document $debian outside the package"; exit 1; }
done
appstreamcli validate --no-net "$share/metainfo/com.brisolt.Pelora.metainfo.xml" >/dev/null
# Each size on a transparent ground, as icon themes expect: the corners see through, the middle not.
for size in 16 32 48 64 128 256; do
  icon=$(identify -format '%w %h %[fx:p{0,0}.a<0.25] %[fx:p{w/2,h/2}.a]' \
         "$share/icons/hicolor/${size}x${size}/apps/com.brisolt.Pelora.png")
  [ "$icon" = "$size $size 1 1" ] || { echo "${size}px icon: size, clear corner, opaque middle: $icon"; exit 1; }
done
grep -q '<svg' "$share/icons/hicolor/scalable/apps/com.brisolt.Pelora.svg"
# The help is a document, where the program looks for it (bin/../share/doc/pelora).
[ -s "$share/doc/pelora/pelora.html" ] || { echo "no help file where the program looks"; exit 1; }

export XDG_CONFIG_HOME=$scratch/config
man=$share/man/man1/pelora.1.gz
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$man" 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "man page warnings: $warnings"; exit 1; }
# The manual page's entries under a heading (the lines after .TP), its dashes plain.
tags() { zcat "$man" | awk -v h=".SH $1" '/^\.SH/ { on = $0 == h; next } on && tag { print; tag = 0 } on && /^\.TP/ { tag = 1 }' | sed 's/\\-/-/g'; }
options() { grep -oE -- '-{1,2}[a-z][a-z-]*' | sort; }
# The manual page names exactly the options --help lists (their names, not their descriptions).
help=$("$scratch/usr/bin/pelora" --help | grep -E '^ +-' | sed -E 's/^ +//; s/  .*//; s/<[^>]*>//g' | options)
listed=$(tags OPTIONS | options)
[ "$listed" = "$help" ] || { echo "man page options $(echo $listed) differ from --help's $(echo $help)"; exit 1; }
# The manual page and the README give exactly the program's exit statuses.
statuses=$(grep -oE '= [0-9]+' "$source/app/ExitStatus.h" | tr -d '= ' | sort -n)
readme=$(awk '/^Exit statuses:/ { on = 1 } on && /^$/ { exit } on' "$source/README.md" | { grep -oE '(^|[:,] )[0-9]+ ' || true; } | tr -dc '0-9\n' | sort -n)
for listed in "$(tags 'EXIT STATUS' | grep -oE '[0-9]+' | sort -n)" "$readme"; do
  [ "$listed" = "$statuses" ] || { echo "exit statuses $(echo $listed) differ from the program's $(echo $statuses)"; exit 1; }
done
"$scratch/usr/bin/pelora" --version | grep -qx "pelora [0-9.]*"
"$scratch/usr/bin/pelora" --report --today 1996-12-20 "$sample" | grep -q '過去30日'
# The picture comes from a module in the installed library folder.
"$scratch/usr/bin/pelora" --render - --today 1996-12-20 "$sample" | head -c 8 | grep -q PNG \
  || { echo "the installed program draws no picture"; exit 1; }
echo "installed tree checked"
