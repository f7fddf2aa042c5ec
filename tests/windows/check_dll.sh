#!/bin/sh
# A Windows plug-in must export exactly its entry points and import only DLLs
# that every Windows system has: no MinGW runtime DLL.
#   check_dll.sh OBJDUMP DLL "ENTRY POINT..."
set -eu
objdump="$1"
dll="$2"
expected="$3"
headers=$("$objdump" -p "$dll")
exports=$(printf '%s\n' "$headers" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
  awk 'NR > 1 && NF {print $NF}' | sort | tr '\n' ' ')
if [ "$exports" != "$expected " ]; then
  echo "unexpected exports: $exports" >&2
  exit 1
fi
imports=$(printf '%s\n' "$headers" | awk '/DLL Name:/ {print tolower($3)}' | sort | tr '\n' ' ')
for name in $imports; do
  case "$name" in
    kernel32.dll | user32.dll | gdi32.dll | gdiplus.dll | ole32.dll | shell32.dll | msvcrt.dll) ;;
    *)
      echo "imports $name, which a Windows system may lack" >&2
      exit 1
      ;;
  esac
done
echo "exports: $exports"
echo "imports: $imports"
