#!/usr/bin/env bash
# The built package as a user gets it: lintian finds no error, the desktop entry and the
# software-centre description validate, and the unpacked programs run and play the installed demo.
#   check_deb.sh DEB_DIR SOURCE_DIR
set -euo pipefail
deb_dir=$1 source=$2
debs=("$deb_dir"/velmorant_*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: no single velmorant_*.deb in $deb_dir"; exit 1; }
deb=${debs[0]}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Warnings are listed for the record; an error fails.
lintian --fail-on error --tag-display-limit 0 "$deb" | tee "$work/lintian" ||
  fail "lintian reports errors"
echo "lintian: $(grep -c '^E:' "$work/lintian" || true) errors, $(grep -c '^W:' "$work/lintian" || true) warnings"

root=$work/root
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/velmorant.desktop" ||
  fail "the desktop entry does not validate"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml ||
  fail "the metainfo does not validate"
for file in usr/share/icons/hicolor/scalable/apps/velmorant.svg \
            usr/share/icons/hicolor/256x256/apps/velmorant.png \
            usr/share/mime/packages/velmorant.xml usr/share/doc/velmorant/copyright; do
  [ -s "$root/$file" ] || fail "the package lacks /$file"
done

# The version the package says is the one its programs print.
version=$(dpkg-deb -f "$deb" Version)
for program in velmorant velmorant-med velmorant-stamp; do
  line=$("$root/usr/bin/$program" --version) || fail "$program --version failed"
  [ "$line" = "$program $version" ] || fail "$program --version says \"$line\", the package $version"
done

# The installed demo plays its tour to the end.
status=0
"$root/usr/bin/velmorant" --headless -p "$root/usr/share/velmorant/demo" --screen 800x600x32 \
  --script "$source/examples/demo/tour.txt" --snapshots "$work" --log "$work/log.jsonl" \
  2>"$work/stderr" || status=$?
[ "$status" = 0 ] || { cat "$work/stderr"; fail "the installed demo ended with status $status"; }
grep -q '"event":"end"' "$work/log.jsonl" || { cat "$work/log.jsonl"; fail "the demo did not end"; }
echo "the package $(basename "$deb") installs a player that plays its demo"
