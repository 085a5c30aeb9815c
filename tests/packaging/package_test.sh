#!/usr/bin/env bash
# Makes the Debian package from a built tree (CPack installs what is built,
# it builds nothing) and checks its files and control fields, and --version.
# usage: package_test.sh BUILD_DIR VERSION KIVO KIVO_CLI CPACK
set -euo pipefail
build=$1 version=$2 kivo=$3 cli=$4 cpack=$5
if ! command -v dpkg-deb >/dev/null; then
  echo "dpkg-deb is missing: the Debian package is not checked"
  exit 77
fi
fail() { echo "FAILED: $*" >&2; exit 1; }
[ "$("$kivo" --version)" = "kivo $version" ] || fail "kivo --version: $("$kivo" --version)"
[ "$("$cli" --version)" = "kivo-cli $version" ] || fail "kivo-cli --version"

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$out" -D CPACK_STRIP_FILES=OFF \
  -D CPACK_DEBIAN_COMPRESSION_TYPE=none >"$out/log" ||
  { cat "$out/log"; fail "cpack"; }
deb=$(ls "$out"/kivo_"$version"_*.deb) || fail "no kivo_${version}_*.deb"

[ "$(dpkg-deb -f "$deb" Package)" = kivo ] || fail "Package"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "Version"
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libstdc++6 libqt6svg6 qt6-qpa-plugins; do
  [[ $depends == *"$d"* ]] || fail "Depends lacks $d: $depends"
done

dpkg-deb -x "$deb" "$out/root"
share=$out/root/usr/share
for f in bin/kivo bin/kivo-cli share/applications/io.github.kivo.Kivo.desktop \
  share/metainfo/io.github.kivo.Kivo.metainfo.xml share/icons/hicolor/scalable/apps/kivo.svg \
  share/man/man1/kivo-cli.1.gz share/man/man1/kivo.1.gz share/doc/kivo/copyright; do
  [ -s "$out/root/usr/$f" ] || fail "missing /usr/$f"
done
# Each icon is as wide and high as its folder says (PNG: width, height at byte 16).
for size in 16 22 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/kivo.png
  read -r width height < <(od --endian=big -An -tu4 -j16 -N8 "$png")
  [ "$width $height" = "$size $size" ] || fail "$png is $width x $height"
done
# The manual page has an entry for every command kivo-cli lists.
man=$(gzip -dc "$share/man/man1/kivo-cli.1.gz")
for command in $("$cli" --help | sed -n 's/^  \([a-z][a-z-]*\).*/\1/p'); do
  escaped=$(sed 's/-/\\\\-/g' <<<"$command")
  grep -qE "^\.B ${escaped}( |$)" <<<"$man" || fail "man page lacks $command"
done
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$share/metainfo/io.github.kivo.Kivo.metainfo.xml" >/dev/null ||
    fail "appstreamcli validate"
fi
echo "checked $(basename "$deb")"
