#!/usr/bin/env bash
# Builds zarnek_<version>_<arch>.deb with CPack in build-deb/ (the program
# alone, without tests or benchmarks) and checks its control fields and file
# list. Prints the path of the package last.
#
#   scripts/package-deb.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-deb}

scripts/install-deps.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZARNEK_TESTS=OFF -DZARNEK_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
(cd "$build" && cpack -G DEB >/dev/null)

version=$(sed -n 's/^project(Zarnek VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
arch=$(dpkg --print-architecture)
deb="$build/zarnek_${version}_${arch}.deb"
[ -f "$deb" ] || { echo "package-deb: $deb was not made" >&2; exit 1; }

failed=0
fault() { echo "package-deb: $*" >&2; failed=1; }
field() { dpkg-deb -f "$deb" "$1"; }

[ "$(field Package)" = zarnek ] || fault "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fault "Version is '$(field Version)', not $version"
[ "$(field Architecture)" = "$arch" ] || fault "Architecture is '$(field Architecture)'"
for name in Maintainer Section Priority Description Installed-Size; do
  [ -n "$(field "$name")" ] || fault "no $name field"
done

# The dependencies come from dpkg-shlibdeps: every library the binaries link
# (with the minimum version its symbols file knows), and nothing a build needs.
depends=$(field Depends)
depends_names=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//')
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6dbus6 \
               libxcb1 libxcb-keysyms1; do
  grep -qxF "$library" <<<"$depends_names" || fault "Depends lacks $library: $depends"
done
if grep -Eq -- '-dev\b|libqt6svg|libgtest|libbenchmark' <<<"$depends"; then
  fault "Depends names a build-only package: $depends"
fi

files=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' | grep -v '/$' | sort)
expected=$(cat <<LIST | sort
/usr/bin/zarnek
/usr/bin/zarnek-query
/usr/share/applications/org.zarnek.Zarnek.desktop
/usr/share/metainfo/org.zarnek.Zarnek.metainfo.xml
/usr/share/icons/hicolor/scalable/apps/org.zarnek.Zarnek.svg
/usr/share/icons/hicolor/16x16/apps/org.zarnek.Zarnek.png
/usr/share/icons/hicolor/24x24/apps/org.zarnek.Zarnek.png
/usr/share/icons/hicolor/32x32/apps/org.zarnek.Zarnek.png
/usr/share/icons/hicolor/48x48/apps/org.zarnek.Zarnek.png
/usr/share/icons/hicolor/64x64/apps/org.zarnek.Zarnek.png
/usr/share/icons/hicolor/128x128/apps/org.zarnek.Zarnek.png
/usr/share/icons/hicolor/256x256/apps/org.zarnek.Zarnek.png
/usr/share/man/man1/zarnek.1.gz
/usr/share/man/man1/zarnek-query.1.gz
LIST
)
if [ "$files" != "$expected" ]; then
  fault "unexpected file list:"
  diff <(echo "$expected") <(echo "$files") >&2 || true
fi
# Stripped, as the package holds no debug symbols.
for program in zarnek zarnek-query; do
  dpkg-deb --fsys-tarfile "$deb" | tar -xO "./usr/bin/$program" | file - | grep -q 'stripped' &&
    ! dpkg-deb --fsys-tarfile "$deb" | tar -xO "./usr/bin/$program" | file - | grep -q 'not stripped' ||
    fault "/usr/bin/$program is not stripped"
done

if [ "$failed" -ne 0 ]; then
  exit 1
fi
dpkg-deb -f "$deb"
echo "$deb"
