#!/usr/bin/env bash
# Builds the Debian package from the build folder (into a scratch folder) and checks it: the
# program, its help, template, menu entry, icons and software-centre description are in it,
# its library dependencies were worked out, and the menu entry and the description pass
# desktop-file-validate and appstreamcli validate without an error.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

fail() { echo "check-package: $*" >&2; exit 1; }

if ! (cd "$build" && cpack -G DEB -B "$scratch" >"$scratch/cpack.log" 2>&1); then
  cat "$scratch/cpack.log" >&2
  fail "cpack -G DEB failed"
fi
debs=("$scratch"/quillan_*.deb)
[ -f "${debs[0]}" ] || fail "no quillan_*.deb was made"
deb="${debs[0]}"
echo "Checking $(basename "$deb")"

contents="$(dpkg-deb -c "$deb" | awk '{print $6}')"
has() { grep -qxF "./$1" <<<"$contents" || fail "the package holds no /$1"; }
has usr/bin/quillan
has usr/share/quillan/template.mdb
has usr/share/quillan/help/index.html
has usr/share/quillan/help/frmSwitchboard.html

# The menu entry names the icon; the icon and the description are filed under the entry's name.
desktops=($(grep -E '^\./usr/share/applications/[^/]+\.desktop$' <<<"$contents" || true))
[ ${#desktops[@]} -eq 1 ] || fail "the package holds ${#desktops[@]} menu entries, not one"
id="$(basename "${desktops[0]}" .desktop)"
has "usr/share/metainfo/$id.metainfo.xml"
has "usr/share/icons/hicolor/scalable/apps/$id.svg"
has "usr/share/icons/hicolor/48x48/apps/$id.png"
has "usr/share/icons/hicolor/256x256/apps/$id.png"

for field in Package Version Maintainer Description; do
  [ -n "$(dpkg-deb -f "$deb" "$field")" ] || fail "the package has no $field"
done
depends="$(dpkg-deb -f "$deb" Depends)"
for needed in libqt6widgets6 libqt6charts6 libqt6svg6 libsqlite3-0 libqt6sql6-sqlite qt6-qpa-plugins; do
  grep -qw "$needed" <<<"$depends" || fail "the package does not depend on $needed: $depends"
done

dpkg-deb -x "$deb" "$scratch/root"
grep -qx "Icon=$id" "$scratch/root/usr/share/applications/$id.desktop" ||
  fail "the menu entry does not name the icon $id"
desktop-file-validate "$scratch/root/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$scratch/root/usr/share/metainfo/$id.metainfo.xml"
for size in 48 256; do
  file "$scratch/root/usr/share/icons/hicolor/${size}x$size/apps/$id.png" |
    grep -q "PNG image data, $size x $size" || fail "the $size pixel icon is not $size pixels"
done
echo "The package is complete and its desktop files are valid."
