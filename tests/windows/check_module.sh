#!/bin/sh
# KIVO.dll exports exactly InstallAddin and AddinProc, undecorated, and imports only Windows
# system modules: the C and C++ runtime are linked in.
objdump="$1"; dll="$2"
dump=$("$objdump" -p "$dll") || exit 1
imports=$(printf '%s\n' "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
printf 'imports: %s\n' "$(echo $imports)"
for name in $imports; do
    case "$name" in
        kernel32.dll|user32.dll|gdi32.dll|comctl32.dll|shell32.dll|ole32.dll|advapi32.dll|msvcrt.dll) ;;
        *) echo "not a Windows system module: $name"; exit 1 ;;
    esac
done
exports=$(printf '%s\n' "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
          sed -n 's/^[[:space:]]*\[ *[0-9]*\] //p' | sort | tr '\n' ' ')
printf 'exports: %s\n' "$exports"
[ "$exports" = "AddinProc InstallAddin " ] || { echo "unexpected exports"; exit 1; }
