#!/usr/bin/env bash
# The layers keep apart: each folder includes only from the layers below it, and only the
# platform layer includes system and third-party headers.
#   check_layers.sh SOURCE_DIR
set -uo pipefail
src=$1/src
fail=0

# forbid FOLDER PATTERN WHY: no file under FOLDER may include a header matching PATTERN.
forbid() {
  local folder=$1 pattern=$2 why=$3
  local hits
  hits=$(grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($pattern)" "$src/$folder" \
           --include='*.cpp' --include='*.hpp' 2>/dev/null)
  if [ -n "$hits" ]; then
    echo "$why:"
    echo "$hits"
    fail=1
  fi
}

engine='display|sequence|elements'
third_party='SDL|libav|libsw|cairo|gio/|glib|cups/|ft2build|freetype|fontconfig|png\.h|pixman|unistd\.h|fcntl\.h|sys/|dirent\.h|spawn\.h|pthread\.h'

forbid platform "(app|definition|display|sequence|elements)/" "the platform layer includes from above it"
forbid definition "(app|display|sequence|elements)/" "the definition includes from above it"
for folder in display sequence elements; do
  forbid "$folder" "app/" "the engine includes from the application shell"
done
for folder in app definition display sequence elements; do
  forbid "$folder" "$third_party" "only the platform layer includes system and third-party headers"
done
[ "$fail" -eq 0 ] && echo "layers kept apart"
exit $fail
