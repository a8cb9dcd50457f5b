#!/usr/bin/env bash
# Makes the Debian package of a build tree in a clean folder and checks it: the programs,
# the desktop entry, the icons, the AppStream metadata and the manual page are in it,
# and desktop-file-validate and appstreamcli accept the entry and the metadata.
#   tools/check_package.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" > "$out/cpack.log" || { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/velora-quillmark_*.deb)
echo "package: $(basename "$deb")"
contents=$(dpkg-deb -c "$deb")
status=0
for path in ./usr/bin/quillmark ./usr/bin/qm ./usr/bin/qm-core \
    ./usr/share/applications/io.velora.Quillmark.desktop \
    ./usr/share/metainfo/io.velora.Quillmark.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/quillmark.svg \
    ./usr/share/icons/hicolor/16x16/apps/quillmark.png \
    ./usr/share/icons/hicolor/48x48/apps/quillmark.png \
    ./usr/share/icons/hicolor/256x256/apps/quillmark.png \
    ./usr/share/man/man1/qm.1; do
  if ! grep -q " $path\$" <<< "$contents"; then
    echo "missing from the package: $path"
    status=1
  fi
done
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6widgets6 libqt6printsupport6 libcurl4 libcups2 libharfbuzz0b libharfbuzz-subset0 zlib1g libssl3 \
    qt6-translations-l10n libqt6sql6-sqlite fonts-ipafont-gothic poppler-data; do
  grep -q "$dep" <<< "$depends" || { echo "not a dependency: $dep"; status=1; }
done
mkdir "$out/root"
dpkg-deb -x "$deb" "$out/root"
desktop-file-validate "$out/root/usr/share/applications/io.velora.Quillmark.desktop" || status=1
appstreamcli validate --no-net "$out/root/usr/share/metainfo/io.velora.Quillmark.metainfo.xml" || status=1
# The packaged programs run and know their version.
"$out/root/usr/bin/qm" --version | grep -q "Velora Quillmark" || { echo "qm --version failed"; status=1; }
"$out/root/usr/bin/quillmark" --version | grep -q "Velora Quillmark" || { echo "quillmark --version failed"; status=1; }
man -l "$out/root/usr/share/man/man1/qm.1" > /dev/null 2>&1 || { echo "the manual page does not format"; status=1; }
exit $status
