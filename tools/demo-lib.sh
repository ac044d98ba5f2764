# Shared by demo.sh and screenshots.sh: their arguments, registering the item in a Wine prefix and running
# the host simulator. Source it with the script's arguments (BUILD_DIR OUTDIR); it sets BUILD_DIR and OUT
# as absolute paths (OUT created), and BIN, HOST and PEER.

[ $# -eq 2 ] || { echo "usage: $0 BUILD_DIR OUTDIR" >&2; exit 2; }
BUILD_DIR=$(cd "$1" && pwd)
mkdir -p "$2"
OUT=$(cd "$2" && pwd)

BIN=$BUILD_DIR/bin
HOST=$BIN/TodayHost.exe
PEER=$BIN/ArdenoPeer.exe
DEMO_NOW="2025-12-07 09:41"  # the clock the host shows, so that runs give the same pictures (empty: the real one)

die() { printf '%s: %s\n' "$(basename "$0")" "$*" >&2; exit 1; }

# The prefixes (prefix_of, stop_prefixes), and in_prefix_locale, under which every Wine command here runs in the
# language of the prefix in use.
. "$(dirname "${BASH_SOURCE[0]}")/prefix-env.sh"
ardeno_prefixes "$BUILD_DIR"

# The screens a handheld has, as WIDTHxHEIGHT@DPI: portrait, landscape, square, tall, and one of an in-between
# resolution. The resolution is the Wine prefix's: each runs in the prefix of its dpi and language (use_prefix).
HANDHELD_SCREENS="240x320@96 480x640@192 320x240@96 640x480@192 800x480@192 240x240@96 480x480@192 480x800@192 320x320@131"

# Makes the prefix of DPI and LANGUAGE the one in use (prepared first, when it is not yet): use_prefix DPI LANGUAGE.
use_prefix() {
  export WINEPREFIX
  WINEPREFIX=$(prefix_of "$1" "$2")
  "$TOOLS/prepare-prefix.sh" "$WINEPREFIX" null "$1" "$2"
}

# A measure of the item given at 96 dpi, at DPI: rounded half up, as the item rounds it.
item_measure() { echo $((($1 * $2 + 48) / 96)); }

need_built() {
  local f
  for f in "$HOST" "$PEER" "$BIN/ArdenoToday.dll" "$BIN/aygshell.dll"; do
    [ -f "$f" ] || die "$f is missing: run ./run build first"
  done
}

# Windows form of a Unix path (the file need not exist), for the prefix in WINEPREFIX.
winpath() { in_prefix_locale winepath -w "$1" 2>/dev/null; }

# Registers the item DLL as the Today item "Ardeno" in the prefix in WINEPREFIX, with the values a messenger's
# installation writes (kit/install/ArdenoToday.reg) but the DLL's path, which is the built DLL's. The prefix is
# the tests' too: unregister_item when done, so their host runs find no stray item.
register_item() {
  local values dll reg line found=no
  values=$(dirname "${BASH_SOURCE[0]}")/../kit/install/ArdenoToday.reg
  dll=$(winpath "$BIN/ArdenoToday.dll")
  reg=$(mktemp --suffix=.reg)
  while IFS= read -r line; do
    case $line in
    '"DLL"='*)
      # regedit reads "\\" as one backslash.
      printf '"DLL"="%s"\n' "${dll//\\/\\\\}"
      found=yes
      ;;
    *) printf '%s\n' "$line" ;;
    esac
  done <"$values" >"$reg"
  [ $found = yes ] || die "$values names no \"DLL\" value"
  in_prefix_locale wine regedit /S "$reg" >/dev/null 2>&1 || die "cannot register the item in $WINEPREFIX"
  rm -f "$reg"
}

# Runs the host on a script file; its own arguments follow. Prints what the host prints. The item's language is
# the prefix's (the system language Wine reports follows the locale).
run_host_script() {
  local script=$1
  shift
  in_prefix_locale wine "$HOST" ${DEMO_NOW:+--now "$DEMO_NOW"} "$@" --script "$(winpath "$script")"
}

unregister_item() {
  in_prefix_locale wine reg delete 'HKEY_LOCAL_MACHINE\Software\Microsoft\Today\Items\Ardeno' /f >/dev/null 2>&1 || true
}

# Registers the item, runs the host on a script file (its own arguments follow), unregisters the item, and
# stops with the host's log when the script failed: run_registered_script WHAT LOG SCRIPT [HOST ARGS...].
run_registered_script() {
  local what=$1 log=$2 script=$3 failed=no
  shift 3
  register_item
  run_host_script "$script" "$@" >"$log" 2>&1 || failed=yes
  unregister_item
  if [ $failed = yes ]; then
    cat "$log" >&2
    die "the host's script for $what failed (log above)"
  fi
}
