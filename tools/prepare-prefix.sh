#!/usr/bin/env bash
# Makes (once) and reuses a project-local 32-bit Wine prefix: usage prepare-prefix.sh PREFIX [null|x11] [DPI]
# "x11" makes a prefix whose windows appear on a real display (for people and Xvfb); the default is the
# null driver, under which windows, messages and GDI work without any display. DPI (default 96) is the
# screen resolution every program in the prefix sees; 192 is a VGA handheld, 131 a resolution whose scale
# rounds unevenly.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 PREFIX [null|x11] [DPI]" >&2; exit 2; }
prefix=$(realpath -m "$1")  # Wine takes only an absolute prefix
driver=${2:-null}
dpi=${3:-96}
case $dpi in ''|*[!0-9]*|0*) echo "$0: the resolution must be a positive number of dots per inch, not '$dpi'" >&2; exit 2 ;; esac
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# hex(7) in an ASCII .reg file: regedit reads one byte per character, so spell the text as bytes.
link_text='wqy-microhei.ttc,WenQuanYi Micro Hei'
fontlink=$(printf '%s' "$link_text" | od -An -tx1 -v | tr -s ' \n' ',' | sed 's/^,//; s/,$//')
fontlink="$fontlink,00,00"
graphics=$driver; [ "$driver" = x11 ] && graphics=x11
reg=$(sed -e "s/@GRAPHICS@/$graphics/" -e "s/@FONTLINK@/$fontlink/" "$here/prefix.reg.in")
if [ "$dpi" != 96 ]; then
  reg=$(printf '%s\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n' "$reg" "$dpi")
fi
stamp=$(printf '%s' "$reg" | sha1sum | cut -c1-40)

if [ -f "$prefix/.ardeno-stamp" ] && [ "$(cat "$prefix/.ardeno-stamp")" = "$stamp" ]; then
  exit 0
fi
echo "==> Preparing the Wine prefix $prefix ($driver driver, $dpi dpi; about 15 s, once)"
mkdir -p "$prefix"
wineboot -i >/dev/null 2>&1
printf '%s\n' "$reg" > "$prefix/ardeno.reg"
wine regedit /S "$prefix/ardeno.reg" >/dev/null 2>&1
wineserver -w
echo "$stamp" > "$prefix/.ardeno-stamp"
