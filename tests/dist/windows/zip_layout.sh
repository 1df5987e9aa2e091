#!/usr/bin/env bash
# The Windows zip: everything inside one Varnelle folder, the program in bin\ beside data\ and
# music\ (the committed pictures and music), a read-me with Windows line ends, and the version in
# the file's name and the read-me.
# Environment: DIST_ZIP, DIST_VERSION, DIST_SOURCE.
source "$(dirname "$0")/../dist_lib.sh"
dist_work

case "$(basename "$DIST_ZIP")" in
  varnelle-"$DIST_VERSION"-windows-x64.zip | varnelle-stand-in-"$DIST_VERSION"-windows-x64.zip) ;;
  *) dist_fail "the zip's name $(basename "$DIST_ZIP") does not carry the version $DIST_VERSION" ;;
esac
[ -f "$DIST_ZIP" ] || dist_fail "no $DIST_ZIP"

expected_files='Varnelle/README.txt
Varnelle/bin/varnelle.exe
Varnelle/data/button.bmp
Varnelle/data/field.bmp
Varnelle/data/logo.bmp
Varnelle/data/unit.bmp
Varnelle/data/vusk.bmp
Varnelle/music/main.mp3'
files=$(unzip -Z1 "$DIST_ZIP" | grep -v '/$' | LC_ALL=C sort) || dist_fail "unzip cannot list $DIST_ZIP"
[ "$files" = "$expected_files" ] || dist_fail "the zip's files differ:
$(diff <(echo "$expected_files") <(echo "$files"))"

unzip -q "$DIST_ZIP" -d "$DIST_WORK/unpacked" || dist_fail "unzip cannot unpack $DIST_ZIP"
root=$DIST_WORK/unpacked/Varnelle
for file in data/logo.bmp data/vusk.bmp data/field.bmp data/button.bmp data/unit.bmp music/main.mp3; do
  cmp -s "$root/$file" "$DIST_SOURCE/$file" || dist_fail "the zip's $file is not the committed one"
done
kind=$(file -b "$root/bin/varnelle.exe")
case "$kind" in
  "PE32+ executable"*x86-64*) ;;
  *) dist_fail "bin/varnelle.exe is not a 64-bit Windows program: $kind" ;;
esac

readme=$root/README.txt
lines=$(wc -l <"$readme")
crlf_lines=$(grep -c $'\r$' "$readme")
[ "$lines" -gt 10 ] && [ "$lines" = "$crlf_lines" ] \
  || dist_fail "README.txt: $crlf_lines of its $lines lines end in CR LF"
[ "$(tail -c 2 "$readme" | od -An -c | tr -d ' ')" = '\r\n' ] || dist_fail "README.txt does not end with CR LF"
head -n1 "$readme" | grep -q "^Varnelle $DIST_VERSION for Windows" || dist_fail "README.txt does not start with the version $DIST_VERSION"
grep -q 'Log.log' "$readme" || dist_fail "README.txt does not say where the log is"
echo "PASS"
