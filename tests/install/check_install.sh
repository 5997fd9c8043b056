#!/usr/bin/env bash
# The installed layout, from a temporary prefix with DESTDIR: every file in place and nothing
# outside the prefix, the desktop entry, AppStream data and MIME package valid, and the
# installed thumbnailer drawing PROGRAM without a display. With --deb also the Debian package:
# its file list and its declared dependencies.
#   check_install.sh BUILD_DIR PROGRAM [--deb]
set -euo pipefail
build=$1
program=$2
deb=${3:-}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "check_install: $*" >&2; exit 1; }

prefix=/opt/korven-check
DESTDIR=$tmp/root cmake --install "$build" --prefix "$prefix" >/dev/null
root=$tmp/root$prefix
files=(bin/korven bin/korven-info bin/korven-thumbnailer
  share/applications/korven.desktop share/mime/packages/korven.xml
  share/thumbnailers/korven.thumbnailer share/metainfo/example.holvarin.korven.metainfo.xml
  share/doc/korven/README.md share/doc/korven/examples/bracket.nc
  share/holvarin/translations/korven_en.qm share/holvarin/translations/korven_zh_TW.qm
  share/holvarin/translations/korven_zh_CN.qm share/holvarin/translations/qtbase_zh_CN.qm)
for size in 16 24 32 48 64 128 256; do
  files+=("share/icons/hicolor/${size}x${size}/apps/korven.png")
done
# The manuals, whatever the source tree holds of them.
source=$(cd "$(dirname "$0")/../.." && pwd)
if [ -d "$source/share/holvarin" ]; then
  while IFS= read -r f; do files+=("share/holvarin/$f"); done < <(cd "$source/share/holvarin" && find . -type f | sed 's|^\./||')
fi
for f in "${files[@]}"; do [ -f "$root/$f" ] || fail "missing $prefix/$f"; done
for f in korven korven-info korven-thumbnailer; do [ -x "$root/bin/$f" ] || fail "$f not executable"; done
outside=$(cd "$tmp/root" && find . -type f ! -path ".$prefix/*")
[ -z "$outside" ] || fail "installed outside the prefix: $outside"

desktop-file-validate "$root/share/applications/korven.desktop"
grep -q '^Exec=korven %f$' "$root/share/applications/korven.desktop" || fail "Exec line"
appstreamcli validate --no-net "$root/share/metainfo/example.holvarin.korven.metainfo.xml" >/dev/null ||
  fail "AppStream data invalid: $(appstreamcli validate --no-net "$root/share/metainfo/"*.xml)"
cp -r "$root/share/mime" "$tmp/mime"
update-mime-database "$tmp/mime" 2>/dev/null
grep -q '^50:text/x.gcode:\*\.nc$' "$tmp/mime/globs2" || fail "MIME globs not registered"

# The thumbnailer as a file manager runs it: from the installed place, no display.
thumb=$tmp/thumb.png
env -u DISPLAY -u WAYLAND_DISPLAY "$root/bin/korven-thumbnailer" -s 128 "$program" "$thumb"
[ "$(identify -format '%m %wx%h' "$thumb")" = "PNG 128x128" ] || fail "thumbnail not a 128x128 PNG"
if env -u DISPLAY "$root/bin/korven-thumbnailer" -s 128 "$tmp/no-such.nc" "$tmp/bad.png" 2>/dev/null ||
  [ -e "$tmp/bad.png" ]; then
  fail "an unreadable program must fail with no output"
fi

if [ "$deb" = "--deb" ]; then
  (cd "$build" && cpack -G DEB -B "$tmp/deb" >/dev/null)
  package=$(ls "$tmp"/deb/korven_*.deb)
  list=$(dpkg-deb -c "$package" | awk '{print $6}')
  for f in "${files[@]}"; do
    grep -qx "./usr/$f" <<<"$list" || fail "package lacks /usr/$f"
  done
  depends=$(dpkg-deb -f "$package" Depends)
  for d in libqt6widgets6 libegl1 libgl1-mesa-dri libegl-mesa0; do
    grep -q "$d" <<<"$depends" || fail "package does not depend on $d: $depends"
  done
  echo "check_install: $(basename "$package") ($(du -k "$package" | cut -f1) kB) depends on $depends"
fi
echo "check_install: layout, desktop data and thumbnailer fine"
