#!/usr/bin/env bash
# build-libpng-mingw.sh PREFIX TOOLCHAIN_FILE
# Builds a static libpng for 64-bit Windows into PREFIX (include/, lib/) from Debian's own
# libpng1.6 source package, with Debian's patches applied and the static MinGW zlib beneath it.
# Debian ships no MinGW libpng. The source is fetched through a private APT state inside the
# work directory next to PREFIX, so nothing under /etc or /var/lib/apt changes. Done once: a
# finished PREFIX is left as it is.
set -euo pipefail
prefix=$1
toolchain=$2
mingw=/usr/x86_64-w64-mingw32
[ -f "$prefix/.quorvane-built" ] && exit 0

work=$prefix.work
rm -rf "$work" "$prefix"
mkdir -p "$work/lists/partial" "$work/cache/archives/partial" "$work/src"

# The deb-src twin of every entry of the system's Debian sources: same URIs, suites and keys.
sources=/etc/apt/sources.list.d/debian.sources
if [ ! -f "$sources" ]; then
  echo "build-libpng-mingw: $sources is missing" >&2
  exit 1
fi
sed 's/^Types:.*/Types: deb-src/' "$sources" >"$work/src.sources"

apt_private=(-o "Dir::Etc::SourceList=$work/src.sources" -o Dir::Etc::SourceParts=/dev/null
  -o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work/cache" -o APT::Sandbox::User=root)
apt-get "${apt_private[@]}" -q update
# Newest version first; a mirror may list a version whose files it does not (yet) hold.
versions=$(apt-cache "${apt_private[@]}" showsrc libpng1.6 | sed -n 's/^Version: //p' | sort -rV -u)
dsc=
for version in $versions; do
  if (cd "$work/src" && apt-get "${apt_private[@]}" -q source --download-only "libpng1.6=$version"); then
    dsc=$work/src/libpng1.6_${version#*:}.dsc
    break
  fi
  rm -f "$work"/src/*
done
if [ -z "$dsc" ]; then
  echo "build-libpng-mingw: no version of Debian's libpng1.6 source could be fetched" >&2
  exit 1
fi
echo "build-libpng-mingw: building libpng1.6 $version"
(cd "$work/src" && dpkg-source -x "$dsc" libpng)

# FindZLIB would prefer libz.dll.a, which needs zlib1.dll at run time: name the archive itself.
cmake -S "$work/src/libpng" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DZLIB_LIBRARY="$mingw/lib/libz.a" -DZLIB_INCLUDE_DIR="$mingw/include" \
  -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DPNG_FRAMEWORK=OFF \
  -DSKIP_INSTALL_EXECUTABLES=ON -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_FILES=ON
cmake --build "$work/build"
cmake --install "$work/build"

rm -rf "$work"
touch "$prefix/.quorvane-built"
