#!/bin/sh
# Copies the Debian copyright files of the packages the given font files come from into DIR.
#   copy-font-licences.sh DIR FONT...
set -eu
dir=$1
shift
for font in "$@"; do
  package=$(dpkg-query -S "$font" 2>/dev/null | head -n1 | cut -d: -f1) || package=
  [ -n "$package" ] && [ -f "/usr/share/doc/$package/copyright" ] &&
    cp "/usr/share/doc/$package/copyright" "$dir/$package.txt"
done
exit 0
