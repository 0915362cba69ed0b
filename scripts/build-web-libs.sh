#!/usr/bin/env bash
# Builds the C libraries of the browser build (zlib, libpng, FreeType, libjpeg-turbo, FFmpeg) for wasm from
# Debian's own source packages, at the versions of the installed -dev packages, into a cached prefix
# outside the clone. The last line of stdout is that prefix; progress goes to stderr.
set -euo pipefail

usage() {
  cat <<'EOF'
Usage: scripts/build-web-libs.sh [--help]

Builds zlib, libpng, FreeType, libjpeg-turbo and FFmpeg's decoding libraries with emscripten from
Debian's source packages and installs them (static libraries, headers, pkg-config files, licences) together with the
nlohmann-json headers into
  ${VELMORANT_WEB_CACHE:-$HOME/.cache/velmorant-web}/KEY
where KEY names the package versions, the emscripten version and this script. A prefix built
before is reused at once. The last line of stdout is the prefix.

Needs: scripts/install-deps.sh --web (emscripten, dpkg-dev, a deb-src entry).
EOF
}

case "${1:-}" in
  -h | --help) usage; exit 0 ;;
  "") ;;
  *) echo "build-web-libs.sh: unknown argument '$1' (try --help)" >&2; exit 2 ;;
esac

say() { echo "build-web-libs: $*" >&2; }
die() { say "error: $*"; exit 1; }

# Source package => the -dev package whose installed version is the one to build.
sources=(zlib libpng1.6 freetype libjpeg-turbo ffmpeg)
declare -A dev_package=([zlib]=zlib1g-dev [libpng1.6]=libpng-dev [freetype]=libfreetype-dev
                        [libjpeg-turbo]=libjpeg62-turbo-dev [ffmpeg]=libavcodec-dev)

installed_version() {
  dpkg-query -W -f='${db:Status-Status} ${source:Version}' "$1" 2>/dev/null |
    sed -n 's/^installed //p'
}

for tool in emcc emcmake emconfigure emmake node apt-get apt-cache dpkg-source flock sha256sum; do
  command -v "$tool" >/dev/null || die "'$tool' is missing; run scripts/install-deps.sh --web"
done

declare -A wanted
key=""
for src in "${sources[@]}"; do
  wanted[$src]=$(installed_version "${dev_package[$src]}")
  [ -n "${wanted[$src]}" ] || die "${dev_package[$src]} is not installed; run scripts/install-deps.sh"
  key+="${src}-${wanted[$src]#*:}_"
done
json_version=$(installed_version nlohmann-json3-dev)
[ -n "$json_version" ] || die "nlohmann-json3-dev is not installed; run scripts/install-deps.sh"
emscripten_version=$(installed_version emscripten)
[ -n "$emscripten_version" ] || die "the emscripten package is not installed; run scripts/install-deps.sh --web"
script_hash=$(sha256sum "${BASH_SOURCE[0]}" | cut -c1-12)
key+="nlohmann-json-${json_version#*:}_emscripten-${emscripten_version#*:}_${script_hash}"

cache=${VELMORANT_WEB_CACHE:-${HOME:?}/.cache/velmorant-web}
[[ $cache = /* ]] || cache="$PWD/$cache"
prefix="$cache/$key"
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

mkdir -p "$cache"
exec 9>"$prefix.lock"
if ! flock -n 9; then
  say "waiting for another build of $key"
  flock 9
fi
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi
# Whatever is left of this key is from an interrupted run: nobody else holds its lock.
rm -rf "$prefix" "$cache/$key.log" "$cache/.build-$key".*

work=$(mktemp -d "$cache/.build-$key.XXXXXX")
trap 'rm -rf "$work"' EXIT
trap 'exit 1' INT TERM HUP
# Installed with DESTDIR so that the paths written into .pc and CMake files are the final ones;
# the staged tree is renamed into place once everything is in.
stage="$work/stage"
staged="$stage$prefix"
mkdir -p "$work/src" "$staged"
log="$work/log"

export NODE_PATH=/usr/share/nodejs # emscripten's JavaScript tools need Debian's acorn
export CFLAGS="-O2" CXXFLAGS="-O2"
jobs=2

# Runs a build step quietly; on failure shows the tail of its output.
step() {
  local what=$1
  shift
  if ! "$@" >>"$log" 2>&1; then
    tail -n 30 "$log" >&2
    cp "$log" "$cache/$key.log"
    die "$what failed (whole log: $cache/$key.log)"
  fi
}

apt_options=()
# apt's download user cannot write into a private temp folder; as root, say so instead of warning.
[ "$(id -u)" -eq 0 ] && apt_options=(-o APT::Sandbox::User=root)

# Unpacks source package $1 into $work/src/$1 and prints the version it got: the installed one
# when the archive still has it, else the newest one it serves (old security versions leave it).
fetch_source() {
  local src=$1 want=$2 version dir
  local candidates=("$want")
  while read -r version; do
    [ "$version" = "$want" ] || candidates+=("$version")
  done < <(apt-cache showsrc "$src" 2>/dev/null |
    awk -v name="$src" '/^Package: / { ours = $2 == name } ours && /^Version: / { print $2 }' |
    sort -rV | uniq)
  for version in "${candidates[@]}"; do
    dir="$work/download/$src-$version"
    mkdir -p "$dir"
    if (cd "$dir" && apt-get source -qq --download-only "${apt_options[@]}" "$src=$version") >>"$log" 2>&1; then
      [ "$version" = "$want" ] || say "warning: $src $want is no longer in the archive; building $version"
      # apt has checked the files against the signed archive index already.
      step "unpacking $src" dpkg-source --no-check -x "$dir"/*.dsc "$work/src/$src"
      echo "$version"
      return
    fi
  done
  grep -q '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/* 2>/dev/null ||
    die "apt has no deb-src entry; run scripts/install-deps.sh --web"
  die "could not download the source of $src (tried ${candidates[*]})"
}

# Configures a CMake-built library: static, -O2, installed under the final prefix.
cmake_configure() {
  local name=$1 source=$2
  shift 2
  step "configuring $name" emcmake cmake -S "$source" -B "$work/build/$name" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR:PATH=lib \
    -DCMAKE_INSTALL_INCLUDEDIR:PATH=include -DBUILD_SHARED_LIBS=OFF \
    -DZLIB_LIBRARY="$staged/lib/libz.a" -DZLIB_INCLUDE_DIR="$staged/include" "$@"
}

cmake_build() {
  local name=$1
  cmake_configure "$@"
  step "building $name" cmake --build "$work/build/$name" -j"$jobs"
  step "installing $name" env DESTDIR="$stage" cmake --install "$work/build/$name"
}

# Its CMake file wants a file Debian's tarball leaves out; the configure script does not.
build_zlib() (
  cd "$work/src/zlib"
  step "configuring zlib" emconfigure ./configure --static --prefix="$prefix"
  step "building zlib" emmake make -j"$jobs" libz.a
  step "installing zlib" emmake make install-libs DESTDIR="$stage"
  mkdir -p "$staged/include"
  install -m 644 zlib.h zconf.h "$staged/include/"
)

build_libpng() {
  cmake_build libpng "$work/src/libpng1.6" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
    -DPNG_EXECUTABLES=OFF -DPNG_HARDWARE_OPTIMIZATIONS=OFF
}

build_freetype() {
  cmake_build freetype "$work/src/freetype" -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_PNG=ON \
    -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_BROTLI=ON -DFT_REQUIRE_ZLIB=ON
}

build_libjpeg_turbo() {
  local source="$work/src/libjpeg-turbo" build="$work/build/libjpeg-turbo"
  # CMake's type-size checks run their probe, so it needs a way to run wasm.
  cmake_configure libjpeg-turbo "$source" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF \
    -DCMAKE_CROSSCOMPILING_EMULATOR="/usr/bin/node;--no-experimental-fetch"
  # Its install wants the command-line tools too, whose links take longer than the library.
  step "building libjpeg-turbo" cmake --build "$build" -j"$jobs" --target jpeg-static
  mkdir -p "$staged/lib/pkgconfig"
  install -m 644 "$build/libjpeg.a" "$staged/lib/"
  install -m 644 "$build/jconfig.h" "$source/jerror.h" "$source/jmorecfg.h" "$source/jpeglib.h" \
    "$staged/include/"
  install -m 644 "$build/pkgscripts/libjpeg.pc" "$staged/lib/pkgconfig/"
}

# What the player decodes: the AVI and WAV containers and the codecs films and sounds of its era
# come in. LGPL only; no assembly, threads, programs, devices, filters or network: FFmpeg reads
# through the player's own reader and never opens a file itself.
# MPEG audio has the integer decoders only: the player picks them everywhere (ffmpeg_handles.cpp).
ffmpeg_parsers=h263,h264,mjpeg,mpeg4video,mpegaudio,mpegvideo
ffmpeg_video=cinepak,h263,h264,huffyuv,indeo3,indeo4,indeo5,mjpeg,mpeg1video,mpeg2video,mpeg4
ffmpeg_video+=,msmpeg4v1,msmpeg4v2,msmpeg4v3,msrle,msvideo1,png,rawvideo,wmv1,wmv2,zmbv
ffmpeg_sound=adpcm_ima_wav,adpcm_ms,gsm_ms,mp1,mp2,mp3,pcm_alaw,pcm_mulaw,pcm_s8,pcm_u8
ffmpeg_sound+=,pcm_s16le,pcm_s24le,pcm_s32le,pcm_s64le,pcm_f16le,pcm_f24le,pcm_f32le,pcm_f64le
ffmpeg_sound+=,pcm_s16be,pcm_s24be,pcm_s32be,pcm_s64be,pcm_f32be,pcm_f64be

build_ffmpeg() (
  cd "$work/src/ffmpeg"
  step "configuring FFmpeg" emconfigure ./configure --prefix="$prefix" \
    --enable-cross-compile --target-os=none --arch=x86_32 --cc=emcc --cxx=em++ --dep-cc=emcc \
    --ar=emar --ranlib=emranlib --nm=emnm --disable-stripping --pkg-config-flags=--static \
    --extra-cflags="-O2 -I$staged/include" --extra-ldflags="-L$staged/lib" \
    --enable-static --disable-shared --disable-gpl --disable-nonfree --disable-version3 \
    --disable-asm --disable-inline-asm --disable-x86asm --disable-runtime-cpudetect \
    --disable-pthreads --disable-w32threads --disable-os2threads \
    --disable-programs --disable-doc --disable-network --disable-avdevice --disable-avfilter \
    --disable-postproc --disable-autodetect --disable-iconv --disable-debug \
    --disable-everything --enable-zlib --enable-demuxer=avi,wav --enable-parser="$ffmpeg_parsers" \
    --enable-decoder="$ffmpeg_video,$ffmpeg_sound"
  step "building FFmpeg" emmake make -j"$jobs"
  step "installing FFmpeg" emmake make install DESTDIR="$stage"
)

# The published site ships these: Debian's copyright file and the upstream licence texts.
install_licences() {
  local src=$1
  shift
  local dir="$staged/licences/$src" file
  mkdir -p "$dir"
  install -m 644 "$work/src/$src/debian/copyright" "$dir/copyright"
  for file in "$@"; do
    install -m 644 "$work/src/$src/$file" "$dir/"
  done
}

install_json() {
  cp -r /usr/include/nlohmann "$staged/include/"
  mkdir -p "$staged/share/cmake" "$staged/lib/pkgconfig" "$staged/licences/nlohmann-json3"
  # Its CMake files find the headers relative to themselves.
  cp -r /usr/share/cmake/nlohmann_json "$staged/share/cmake/"
  cat >"$staged/lib/pkgconfig/nlohmann_json.pc" <<EOF
prefix=$prefix
includedir=\${prefix}/include

Name: nlohmann_json
Description: JSON for Modern C++
Version: ${json_version#*:}
Cflags: -I\${includedir}
EOF
  install -m 644 /usr/share/doc/nlohmann-json3-dev/copyright "$staged/licences/nlohmann-json3/"
}

started=$SECONDS
say "building into $prefix"
declare -A built
for src in "${sources[@]}"; do
  built[$src]=$(fetch_source "$src" "${wanted[$src]}")
  say "$src ${built[$src]}"
  case $src in
    zlib) build_zlib; install_licences zlib ;;
    libpng1.6) build_libpng; install_licences libpng1.6 LICENSE ;;
    freetype) build_freetype; install_licences freetype LICENSE.TXT docs/FTL.TXT docs/GPLv2.TXT ;;
    libjpeg-turbo) build_libjpeg_turbo; install_licences libjpeg-turbo LICENSE.md README.ijg ;;
    ffmpeg) build_ffmpeg; install_licences ffmpeg LICENSE.md COPYING.LGPLv2.1 ;;
  esac
done
install_json
# Only what the browser build links against stays.
rm -rf "${staged:?}/bin" "$staged/share/man" "$staged/share/doc"

# Text files may still name the staging folder (a dependency's path recorded while it was there).
{ grep -rlIF "$stage" "$staged" || true; } | while read -r file; do
  sed -i "s|$stage||g" "$file"
done

ffmpeg_files=()
for lib in avformat avcodec swscale swresample avutil; do
  ffmpeg_files+=("lib/lib$lib.a" "include/lib$lib/$lib.h" "lib/pkgconfig/lib$lib.pc")
done
for file in lib/libz.a lib/libpng16.a lib/libfreetype.a lib/libjpeg.a include/zlib.h include/png.h \
  include/freetype2/ft2build.h include/jpeglib.h include/nlohmann/json.hpp \
  lib/pkgconfig/zlib.pc lib/pkgconfig/libpng16.pc lib/pkgconfig/freetype2.pc lib/pkgconfig/libjpeg.pc \
  "${ffmpeg_files[@]}"; do
  [ -e "$staged/$file" ] || die "the build did not install $file"
done

{
  echo "emscripten $emscripten_version"
  echo "build-web-libs.sh $script_hash"
  for src in "${sources[@]}"; do echo "$src ${built[$src]}"; done
  echo "nlohmann-json3 $json_version"
} >"$staged/versions.txt"
touch "$staged/.complete"
mv "$staged" "$prefix"
say "done in $((SECONDS - started)) s"
echo "$prefix"
