#!/usr/bin/env bash
# `make package`: CPack makes varnelle_<version>_<arch>.deb (here into the test's own folder)
# with the game in /usr/libexec, the launcher in /usr/games (and the desktop entry naming it),
# the pictures, music, icons, AppStream metadata, the manual page,
# the copyright file and the changelog; its dependencies come from the libraries the game links;
# lintian finds no error in it (its warnings, if any, are printed).
source "$(dirname "$0")/dist_lib.sh"
dist_work

"$DIST_CPACK" --config "$DIST_CPACK_CONFIG" -B "$DIST_WORK" >"$DIST_WORK/cpack.txt" 2>&1 \
  || { cat "$DIST_WORK/cpack.txt" >&2; dist_fail "cpack failed"; }
package="$DIST_WORK/varnelle_${DIST_VERSION}_$(dpkg --print-architecture).deb"
[ -f "$package" ] || dist_fail "no $(basename "$package"): $(ls "$DIST_WORK")"

contents=$(dpkg-deb -c "$package" | awk '{ print $6 }')
for path in ./usr/games/varnelle ./usr/libexec/varnelle/varnelle ./usr/share/varnelle/data/logo.bmp \
  ./usr/share/varnelle/music/main.mp3 ./usr/share/applications/example.varnelle.Varnelle.desktop \
  ./usr/share/icons/hicolor/256x256/apps/varnelle.png ./usr/share/metainfo/example.varnelle.Varnelle.metainfo.xml \
  ./usr/share/man/man6/varnelle.6.gz ./usr/share/doc/varnelle/copyright ./usr/share/doc/varnelle/changelog.gz; do
  grep -qx -- "$path" <<<"$contents" || dist_fail "$path is not in the package"
done
! grep -q -- '^\./usr/bin/' <<<"$contents" || dist_fail "the package has files in /usr/bin; games go to /usr/games"

[ "$(dpkg-deb -f "$package" Version)" = "$DIST_VERSION" ] || dist_fail "the package's version is not $DIST_VERSION"
depends=$(dpkg-deb -f "$package" Depends)
for library in libfltk1.3 libopenal1 libmpg123-0 libfreetype6 fonts-liberation; do
  grep -q "$library" <<<"$depends" || dist_fail "$library is not among the dependencies: $depends"
done

# The changelog in the package: the newest entry is this version.
mkdir "$DIST_WORK/unpacked"
dpkg-deb -x "$package" "$DIST_WORK/unpacked"
zcat "$DIST_WORK/unpacked/usr/share/doc/varnelle/changelog.gz" >"$DIST_WORK/changelog"
[ "$(dpkg-parsechangelog -l "$DIST_WORK/changelog" -S Version)" = "$DIST_VERSION" ] \
  || dist_fail "the changelog's newest entry is not for $DIST_VERSION"

desktop="$DIST_WORK/unpacked/usr/share/applications/example.varnelle.Varnelle.desktop"
desktop-file-validate "$desktop" || dist_fail "desktop-file-validate on the package's desktop entry"
grep -qx 'Exec=/usr/games/varnelle' "$desktop" || dist_fail "the package's desktop entry does not run /usr/games/varnelle"

lintian --fail-on error "$package" >"$DIST_WORK/lintian.txt" 2>&1
status=$?
# The tests may run as root, which lintian remarks on; that says nothing about the package.
grep -v '^running with root privileges' "$DIST_WORK/lintian.txt"
[ "$status" -eq 0 ] || dist_fail "lintian reports errors"
echo "PASS"
