#!/usr/bin/env bash
# Tells whether this machine's kernel runs 32-bit x86 Linux programs, by running the smallest
# one: an ELF header, one loadable segment and the three instructions of exit(0).
#   tools/runs-32-bit-programs.sh
# Ends with 0 if it runs; with 1, saying so, if the kernel will not execute it (a kernel or
# sandbox without IA-32 emulation); with 2 if no program runs from the temporary folder.
set -euo pipefail
folder=$(mktemp -d "${TMPDIR:-/tmp}/tarvex-ia32.XXXXXX")
trap 'rm -rf "$folder"' EXIT
{
    # ELF, 32-bit, little-endian; an executable for the 80386, entry at 0x08048054.
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'
    printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'
    printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'
    # One segment: the file's 93 bytes at 0x08048000, readable and executable.
    printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'
    printf '\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'
    # mov eax, 1 (exit); xor ebx, ebx (status 0); int 0x80
    printf '\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80'
} >"$folder/ia32"
cp /bin/true "$folder/native"
chmod +x "$folder/ia32" "$folder/native"
"$folder/ia32" 2>/dev/null && exit 0
# A folder mounted noexec stops every program, not only 32-bit ones.
"$folder/native" || { echo "no program runs from $folder" >&2; exit 2; }
echo "this machine runs no 32-bit programs: its kernel will not execute one"
exit 1
