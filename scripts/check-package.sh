#!/usr/bin/env bash
# Checks a package made by scripts/package.sh with the validators of Debian and of the desktops;
# any complaint fails the check:
#   desktop-file-validate on the desktop entry (not a word); its Exec names a program of the
#     package and its MimeType the package's MIME type;
#   appstreamcli validate --pedantic --no-net on the metadata (not a hint), and validate-tree
#     on the installed tree (metadata, desktop entry and icon together);
#   update-mime-database on the data file's MIME type;
#   man --warnings on every man page;
#   the PNG icons against the SVG they are rendered from (packaging/icons/render.sh);
#   the udev rule of the cables' adapters is in the package (dpkg-deb -c), and udevadm verify
#     reads it where udevadm has that command (systemd 253 and later);
#   lintian on the package (no error; warnings and notes are shown).
# Usage: scripts/check-package.sh dist/PACKAGE.deb
set -euo pipefail
if [ $# -ne 1 ] || [ ! -f "$1" ]; then
  echo "usage: scripts/check-package.sh PACKAGE.deb" >&2
  exit 2
fi
deb=$(realpath "$1")
cd "$(dirname "$0")/.."
scripts/install-deps.sh --packaging
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tree="$work/tree"
dpkg-deb -x "$deb" "$tree"
share="$tree/usr/share"
id=org.varel.wavesmith
failed=0

# Runs a check; it fails when the command fails or says anything.
quiet() {
  local said
  if ! said=$("$@" 2>&1) || [ -n "$said" ]; then
    echo "FAILED: $*" >&2
    [ -z "$said" ] || echo "$said" >&2
    failed=1
  else
    echo "ok: $*"
  fi
}
# appstreamcli says "Validation was successful" and names every issue on a line of its own.
appstream() {
  local said
  said=$(appstreamcli "$@" 2>&1) || { echo "$said"; return 1; }
  grep -E '^[EWIP]: ' <<<"$said" || true
}
# man renders the page on standard output and warns on standard error.
man_warnings() {
  man --warnings -l "$1" 2>&1 >/dev/null
}
# The installed icon of a size against the SVG rendered afresh at that size.
icon_matches() {
  local size=$1 fresh="$work/$1.png"
  rsvg-convert -w "$size" -h "$size" "$share/icons/hicolor/scalable/apps/$id.svg" -o "$fresh"
  [ "$(identify -format %wx%h "$share/icons/hicolor/${size}x${size}/apps/$id.png")" = "${size}x${size}" ] ||
    echo "not ${size}x${size} pixels"
  compare -metric AE "$share/icons/hicolor/${size}x${size}/apps/$id.png" "$fresh" null: 2>&1 |
    grep -vx 0 | sed 's/$/ pixels differ from the SVG/' || true
}
# The program the desktop entry starts, and the MIME type it opens, are in the package.
entry_names() {
  local entry="$share/applications/$id.desktop" program type
  program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
  [ -x "$tree/usr/bin/$program" ] || echo "Exec names '$program', which is not in /usr/bin"
  type=$(sed -n 's/^MimeType=\([^;]*\);$/\1/p' "$entry")
  grep -q "<mime-type type=\"$type\">" "$share/mime/packages/$id.xml" ||
    echo "MimeType names '$type', which the package does not define"
}
mime_database() {
  mkdir -p "$work/mime/packages"
  cp "$share/mime/packages/$id.xml" "$work/mime/packages/"
  XDG_DATA_DIRS="$work:${XDG_DATA_DIRS:-/usr/share}" update-mime-database "$work/mime"
  grep -q 'ZNO-7P' "$work/mime/magic" || echo "the magic of the data file is missing"
}
# The udev rule is where udev reads the rules of packages.
udev_rule() {
  local rule=usr/lib/udev/rules.d/70-wavesmith-serial.rules contents options=()
  contents=$(dpkg-deb -c "$deb")
  grep -q " \./$rule\$" <<<"$contents" || echo "the package lacks /$rule"
  if udevadm verify --help >/dev/null 2>&1; then
    ! udevadm verify --help | grep -q -- --no-style || options=(--no-style)
    udevadm verify "${options[@]}" "$tree/$rule" >/dev/null 2>&1 ||
      udevadm verify "${options[@]}" "$tree/$rule" 2>&1
  fi
}

quiet desktop-file-validate "$share/applications/$id.desktop"
quiet entry_names
quiet appstream validate --pedantic --no-net "$share/metainfo/$id.metainfo.xml"
quiet appstream validate-tree --pedantic --no-net "$tree"
quiet mime_database
for page in "$share"/man/man1/*.1.gz; do
  quiet man_warnings "$page"
done
for size in 48 128 256; do
  quiet icon_matches "$size"
done
quiet udev_rule
if lintian --fail-on error --display-info --pedantic "$deb"; then
  echo "ok: lintian $deb"
else
  echo "FAILED: lintian $deb" >&2
  failed=1
fi
exit "$failed"
