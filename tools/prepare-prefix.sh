#!/usr/bin/env bash
# Makes (once) and reuses a project-local 32-bit Wine prefix:
#   usage prepare-prefix.sh PREFIX [null|x11] [DPI] [latin|chinese]
# "x11" makes a prefix whose windows appear on a real display (for people and Xvfb); the default is the
# null driver, under which windows, messages and GDI work without any display. DPI (default 96) is the
# screen resolution every program in the prefix sees; 192 is a VGA handheld, 131 a resolution whose scale
# rounds unevenly. The language (default latin) is the one every Wine process of the prefix must run in
# (LC_ALL=zh_CN.UTF-8 for chinese, a Latin one such as en_US.UTF-8 or C.UTF-8 otherwise): when a process's
# code page differs from the one the prefix last saw, Wine rewrites the prefix's font links and substitutes
# for the new one, and the link below is lost for good. Latin text then takes another face, and Chinese text
# drawn by a Latin process shows as empty boxes. So each language has prefixes of its own, made under its
# locale, so that Wine's rewrite happens before the settings below are written.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 PREFIX [null|x11] [DPI] [latin|chinese]" >&2; exit 2; }
prefix=$(realpath -m "$1")  # Wine takes only an absolute prefix
driver=${2:-null}
dpi=${3:-96}
language=${4:-latin}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/prefix-env.sh"
locale=$(locale_of_language "$language") ||
  { echo "$0: the language is latin or chinese, not '$language'" >&2; exit 2; }
case $dpi in ''|*[!0-9]*|0*) echo "$0: the resolution must be a positive number of dots per inch, not '$dpi'" >&2; exit 2 ;; esac
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
stamp=$(printf '%s\n%s' "$reg" "$language" | sha1sum | cut -c1-40)

if [ -f "$prefix/.ardeno-stamp" ] && [ "$(cat "$prefix/.ardeno-stamp")" = "$stamp" ]; then
  exit 0
fi
echo "==> Preparing the Wine prefix $prefix ($driver driver, $dpi dpi, $language; about 15 s, once)"
mkdir -p "$prefix"
# The language first, so that the prefix's very first processes run in it.
echo "$locale" > "$prefix/.ardeno-locale"
in_prefix_locale wineboot -i >/dev/null 2>&1
printf '%s\n' "$reg" > "$prefix/ardeno.reg"
in_prefix_locale wine regedit /S "$prefix/ardeno.reg" >/dev/null 2>&1
wineserver -w
echo "$stamp" > "$prefix/.ardeno-stamp"
