#!/bin/bash
# Builds the Debian package from a build directory and checks it: its
# contents and dependencies, then the programs run from the unpacked tree.
#
#   bash scripts/check-deb.sh [BUILD_DIR]      (default: build)
set -euo pipefail

build=${1:-build}
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"

cmake --build "$build" -j2 --target telvio telvio-cli telvio-sim
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build"/telvio_*.deb | head -1)
echo "package: $deb"

fail() { echo "check-deb: $*" >&2; exit 1; }

depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
for lib in libqt6core6 libqt6widgets6 libqt6serialport6; do
  [[ $depends == *"$lib"* ]] || fail "no dependency on $lib"
done

contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/telvio ./usr/bin/telvio-cli ./usr/bin/telvio-sim \
            ./usr/share/applications/telvio.desktop \
            ./usr/share/icons/hicolor/scalable/apps/telvio.svg \
            ./usr/share/man/man1/telvio.1 ./usr/share/man/man1/telvio-cli.1 ./usr/share/man/man1/telvio-sim.1 \
            ./usr/share/doc/Telvio/help/connection.html; do
  grep -q " $path\$" <<<"$contents" || fail "$path is not in the package"
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
version=$("$root/usr/bin/telvio-cli" --version)
echo "$version"
[[ $version == "telvio-cli "* ]] || fail "telvio-cli --version said: $version"
"$root/usr/bin/telvio-sim" --help | grep -q -- "--real-rate" || fail "telvio-sim --help lacks its options"
for page in telvio telvio-cli telvio-sim; do
  man -l "$root/usr/share/man/man1/$page.1" >/dev/null 2>&1 || fail "man page $page.1 does not render"
done
echo "check-deb: ok"
