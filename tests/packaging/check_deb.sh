#!/usr/bin/env bash
# Builds the Debian package from the build tree and inspects it: its name,
# its contents, its dependency on the Qt 6 runtime libraries worked out from
# the program. As root it also installs the package, runs the installed
# program and removes the package again, checking nothing is left.
#   check_deb.sh BUILD_DIR VERSION
set -euo pipefail
build="$1"
version="$2"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
arch="$(dpkg --print-architecture)"
deb="$out/vernium_${version}_${arch}.deb"
[ -f "$deb" ] || { echo "no $deb; made: $(ls "$out")"; exit 1; }

status=0
contents="$(dpkg-deb -c "$deb")"
for f in ./usr/bin/vernium ./usr/share/applications/vernium.desktop \
         ./usr/share/icons/hicolor/scalable/apps/vernium.svg \
         ./usr/share/icons/hicolor/48x48/apps/vernium.png \
         ./usr/share/metainfo/io.github.vernium.Vernium.metainfo.xml \
         ./usr/share/man/man1/vernium.1.gz; do
  grep -q " $f\$" <<<"$contents" || { echo "the package lacks $f"; status=1; }
done
depends="$(dpkg-deb -f "$deb" Depends)"
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libc6; do
  grep -q "$lib" <<<"$depends" || { echo "Depends lacks $lib: $depends"; status=1; }
done
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || { echo "package version is not $version"; status=1; }

if [ "$(id -u)" -eq 0 ] && [ "${VERNIUM_SKIP_DEB_INSTALL:-}" != 1 ]; then
  if dpkg-query -W -f='${Status}' vernium 2>/dev/null | grep -q "install ok installed"; then
    echo "vernium is installed on this machine already; not touching it"
  else
    dpkg -i "$deb" >/dev/null
    got="$(/usr/bin/vernium --version)"
    [ "$got" = "Vernium $version" ] || { echo "installed vernium --version says \"$got\""; status=1; }
    dpkg -r vernium >/dev/null
    for f in /usr/bin/vernium /usr/share/applications/vernium.desktop; do
      [ ! -e "$f" ] || { echo "$f is left after removal"; status=1; }
    done
  fi
fi
[ $status -eq 0 ] && echo "package $(basename "$deb") complete; Depends: $depends"
exit $status
