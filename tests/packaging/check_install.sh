#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks what lands there:
# every file a desktop needs, the program answering --version with the
# project's version, and the desktop entry and AppStream file passing their
# validators.
#   check_install.sh BUILD_DIR VERSION
set -euo pipefail
build="$1"
version="$2"
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT

DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
expected=(
  usr/bin/vernium
  usr/share/applications/vernium.desktop
  usr/share/metainfo/io.github.vernium.Vernium.metainfo.xml
  usr/share/icons/hicolor/scalable/apps/vernium.svg
  usr/share/man/man1/vernium.1.gz
)
for size in 16 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/vernium.png")
done
status=0
for f in "${expected[@]}"; do
  if [ ! -s "$root/$f" ]; then
    echo "missing from the install: /$f"
    status=1
  fi
done
# Nothing else: no libraries, headers, tests or benchmarks.
extra=$(cd "$root" && find . -type f | sed 's|^\./||' | sort | comm -23 - <(printf '%s\n' "${expected[@]}" | sort))
if [ -n "$extra" ]; then
  echo "installed but not expected:"
  echo "$extra"
  status=1
fi

for size in 16 48 256; do
  file "$root/usr/share/icons/hicolor/${size}x${size}/apps/vernium.png" | grep -q "${size} x ${size}" ||
    { echo "the ${size}x${size} icon is not ${size} pixels square"; status=1; }
done
got="$("$root/usr/bin/vernium" --version)"
[ "$got" = "Vernium $version" ] || { echo "--version says \"$got\", expected \"Vernium $version\""; status=1; }
# Mistakes on the command line end the program before any window, status 2.
for args in "--device NO-SUCH-UNIT" "--output-dir $root/not-there"; do
  set +e
  err="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/vernium" $args 2>&1 >/dev/null)"
  code=$?
  set -e
  [ $code -eq 2 ] && [ "${err#vernium: }" != "$err" ] ||
    { echo "vernium $args: status $code, \"$err\""; status=1; }
done
grep -q "release version=\"$version\"" "$root/usr/share/metainfo/io.github.vernium.Vernium.metainfo.xml" ||
  { echo "the AppStream file does not name version $version"; status=1; }
zcat "$root/usr/share/man/man1/vernium.1.gz" | grep -qF 'output\-dir' ||
  { echo "the man page does not describe --output-dir"; status=1; }

desktop-file-validate "$root/usr/share/applications/vernium.desktop" || status=1
appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.vernium.Vernium.metainfo.xml" >/dev/null ||
  { appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.vernium.Vernium.metainfo.xml"; status=1; }
[ $status -eq 0 ] && echo "install tree complete and valid"
exit $status
