#!/usr/bin/env bash
# varnelle.exe starts on a bare Windows: every DLL it imports is one of Windows' own (the C and C++
# runtimes are linked in). Environment: E2E_GAME (varnelle.exe), E2E_OBJDUMP (mingw-w64's objdump).
set -uo pipefail
allowed='^(kernel32|user32|gdi32|d3d9|dinput8|dsound|ole32|oleaut32|quartz|winmm|msvcrt|api-ms-win-.*)\.dll$'
dlls=$("$E2E_OBJDUMP" -p "$E2E_GAME" | awk '/DLL Name:/ { print tolower($3) }') || { echo "FAIL: cannot read $E2E_GAME" >&2; exit 1; }
[ -n "$dlls" ] || { echo "FAIL: no imported DLL found in $E2E_GAME" >&2; exit 1; }
foreign=$(grep -Ev "$allowed" <<<"$dlls")
[ -z "$foreign" ] || { echo "FAIL: imports DLLs that are not Windows' own: $foreign" >&2; exit 1; }
echo "imports:" $dlls
echo "PASS"
