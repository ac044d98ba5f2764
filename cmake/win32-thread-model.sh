#!/bin/sh
# Compiler and linker launcher for the item DLL: runs the win32-thread-model sibling of the -posix compiler
# that CMake hands over (i686-w64-mingw32-g++-posix -> i686-w64-mingw32-g++-win32), same arguments.
# The -posix runtime links the POSIX thread layer statically, and that layer takes a TLS index, an event
# and a thread handle at every load of the DLL and never gives them back; the item starts no threads.
compiler=$1
shift
case "$compiler" in
  *-posix) exec "${compiler%-posix}-win32" "$@" ;;
  *) exec "$compiler" "$@" ;;
esac
