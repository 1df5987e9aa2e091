#!/usr/bin/env bash
# `make install PREFIX=...`: every file where it belongs (the game with the private programs, its
# pictures and music under share/varnelle, the launcher in bin/, the desktop files); the desktop
# entry and the AppStream metadata pass their validators, the manual page reads without warnings,
# and `make uninstall` leaves no file behind.
source "$(dirname "$0")/dist_lib.sh"
dist_work
prefix="$DIST_WORK/prefix"
dist_install "$prefix"

expected_files='bin/varnelle
libexec/varnelle/varnelle
share/applications/example.varnelle.Varnelle.desktop
share/doc/varnelle/changelog.gz
share/doc/varnelle/copyright
share/icons/hicolor/128x128/apps/varnelle.png
share/icons/hicolor/16x16/apps/varnelle.png
share/icons/hicolor/256x256/apps/varnelle.png
share/icons/hicolor/32x32/apps/varnelle.png
share/icons/hicolor/48x48/apps/varnelle.png
share/icons/hicolor/64x64/apps/varnelle.png
share/man/man6/varnelle.6.gz
share/metainfo/example.varnelle.Varnelle.metainfo.xml
share/varnelle/data/button.bmp
share/varnelle/data/field.bmp
share/varnelle/data/logo.bmp
share/varnelle/data/unit.bmp
share/varnelle/data/vusk.bmp
share/varnelle/music/main.mp3'
files=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
[ "$files" = "$expected_files" ] || dist_fail "installed files differ:
$(diff <(echo "$expected_files") <(echo "$files"))"
[ -x "$prefix/bin/varnelle" ] && [ -x "$prefix/libexec/varnelle/varnelle" ] \
  || dist_fail "the launcher and the game are not both executable"
for file in data/logo.bmp data/vusk.bmp data/field.bmp data/button.bmp data/unit.bmp music/main.mp3; do
  cmp -s "$prefix/share/varnelle/$file" "$DIST_SOURCE/$file" || dist_fail "the installed $file is not the committed one"
done

desktop-file-validate "$prefix"/share/applications/*.desktop || dist_fail "desktop-file-validate"
grep -qx 'Categories=Game;LogicGame;' "$prefix"/share/applications/*.desktop || dist_fail "the categories are not Game;LogicGame;"
grep -qx 'Exec=varnelle' "$prefix"/share/applications/*.desktop || dist_fail "the desktop entry does not run the launcher"
appstreamcli validate --no-net "$prefix"/share/metainfo/*.xml || dist_fail "appstreamcli validate"
# The metadata checked together with the desktop entry and the icons it names.
appstreamcli validate-tree --no-net "$prefix" || dist_fail "appstreamcli validate-tree"
grep -q "<release version=\"$DIST_VERSION\"" "$prefix"/share/metainfo/*.xml || dist_fail "the metadata's release is not $DIST_VERSION"

manual_warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l -Tutf8 "$prefix/share/man/man6/varnelle.6.gz" 2>&1 >/dev/null)
[ -z "$manual_warnings" ] || dist_fail "the manual page has warnings: $manual_warnings"
LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$prefix/share/man/man6/varnelle.6.gz" 2>/dev/null | grep -q "Varnelle $DIST_VERSION" \
  || dist_fail "the manual page does not show the version $DIST_VERSION"
[ "$("$prefix/bin/varnelle" --version)" = "Varnelle $DIST_VERSION" ] || dist_fail "varnelle --version"

sh "$DIST_UNINSTALL" "$prefix" >/dev/null || dist_fail "the uninstall script failed"
left=$(cd "$prefix" && find . -type f -o -type l)
[ -z "$left" ] || dist_fail "files left after uninstalling: $left"
for folder in libexec/varnelle share/varnelle share/doc/varnelle; do
  [ ! -e "$prefix/$folder" ] || dist_fail "the game's folder $folder is left after uninstalling"
done
echo "PASS"
