#!/bin/sh
# Compiles each source of the item's DLL for 32-bit ARM Windows with clang, to objects only (no link): the
# handheld's processors fault on unaligned reads, and -Wcast-align names the C-style casts that raise a pointer's
# alignment (clang says nothing of reinterpret_cast or of casts from void or char pointers). The MinGW-w64
# headers and the i686 MinGW compiler's C++ headers (for <new> and <cstring>) stand in for the device SDK's, so
# this runs without UNDER_CE: the device branches stay unchecked here.
#   arm-compile.sh OBJECT_DIR SOURCE_ROOT SOURCE...
set -eu
out=$1
root=$2
shift 2
gcc_dir=$(i686-w64-mingw32-g++-win32 -print-libgcc-file-name | xargs dirname)
mkdir -p "$out"
failed=0
for source in "$@"; do
  object="$out/$(echo "$source" | tr '/' '_').o"
  if ! clang --target=armv7-w64-windows-gnu -std=c++03 -pedantic -fno-exceptions -fno-rtti \
      -Werror -Wall -Wcast-align -nostdinc -nostdinc++ \
      -isystem "$gcc_dir/include/c++" -isystem "$gcc_dir/include/c++/i686-w64-mingw32" \
      -isystem "$(clang -print-resource-dir)/include" -isystem /usr/share/mingw-w64/include \
      -DUNICODE -D_UNICODE -I "$root" -c "$root/$source" -o "$object"; then
    failed=1
  fi
done
exit $failed
