#!/usr/bin/env bash
# An exe of the Windows builds runs from any folder on a bare Windows: every DLL it imports is
# one of Windows' own. MinGW's runtime DLLs (libstdc++-6.dll, libgcc_s_*.dll,
# libwinpthread-1.dll) are the ones that a link without -static would add.
#   imports_system_dlls_only.sh OBJDUMP EXE
set -euo pipefail
objdump=$1
exe=$2

headers=$("$objdump" -p "$exe") || { echo "FAIL: $objdump cannot read $exe"; exit 1; }
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr '[:upper:]' '[:lower:]')
[ -n "$imports" ] || { echo "FAIL: $objdump lists no imported DLL in $exe"; exit 1; }

foreign=()
while read -r dll; do
    case "$dll" in
        kernel32.dll | user32.dll | gdi32.dll | shell32.dll | comctl32.dll | comdlg32.dll | \
            advapi32.dll | imm32.dll | ole32.dll | oleaut32.dll | uxtheme.dll | shcore.dll | \
            msvcrt.dll | ucrtbase.dll | api-ms-win-crt-*.dll) ;;
        *) foreign+=("$dll") ;;
    esac
done <<<"$imports"

echo "$(basename "$exe") imports:" $imports
[ ${#foreign[@]} -eq 0 ] || { echo "FAIL: not a Windows system DLL: ${foreign[*]}"; exit 1; }
