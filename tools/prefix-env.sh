# shellcheck shell=bash
# The project's Wine prefixes, where they are and the language each runs in, said once: sourced by ./run,
# cmake/wine-run.sh, prepare-prefix.sh and the demo scripts.
#
# Every Wine process of a prefix runs in the prefix's language (prepare-prefix.sh says why, and writes the
# prefix's locale to PREFIX/.ardeno-locale). Only the Wine command gets the locale, never the calling shell:
# Wine takes the language from the locale's name, which need not be installed, and a shell switched to a
# missing locale warns at every switch and runs on in a broken one.

# The locale of a language's Wine processes: locale_of_language latin|chinese (fails on any other).
locale_of_language() {
  case $1 in
    latin) echo en_US.UTF-8 ;;
    chinese) echo zh_CN.UTF-8 ;;
    *) return 1 ;;
  esac
}

# Runs a command in the language of the prefix in WINEPREFIX: in_prefix_locale COMMAND ARGS...
# A prefix not yet prepared has no language: the command gets the caller's.
in_prefix_locale() {
  local locale
  if [ -f "$WINEPREFIX/.ardeno-locale" ]; then
    locale=$(<"$WINEPREFIX/.ardeno-locale")
    env LC_ALL="$locale" LANG="$locale" "$@"
  else
    "$@"
  fi
}

# The prefixes' folders under BUILD_DIR, each unless the environment names it, exported for the scripts and
# programs that use them: ardeno_prefixes BUILD_DIR. Each resolution and language has its own: WINEPREFIX
# (96 dpi), WINEPREFIX_131 and WINEPREFIX_192, and WINEPREFIX_ZH, WINEPREFIX_131_ZH and WINEPREFIX_192_ZH for
# Chinese; WINEPREFIX_LIVE is the live demo's, with the X11 driver. ARDENO_PREFIXES lists the six in that
# order, as they were when called (WINEPREFIX changes as scripts move from prefix to prefix).
ardeno_prefixes() {
  export WINEPREFIX=${WINEPREFIX:-$1/wineprefix}
  export WINEPREFIX_131=${WINEPREFIX_131:-$1/wineprefix-131}
  export WINEPREFIX_192=${WINEPREFIX_192:-$1/wineprefix-192}
  export WINEPREFIX_ZH=${WINEPREFIX_ZH:-$1/wineprefix-zh}
  export WINEPREFIX_131_ZH=${WINEPREFIX_131_ZH:-$1/wineprefix-131-zh}
  export WINEPREFIX_192_ZH=${WINEPREFIX_192_ZH:-$1/wineprefix-192-zh}
  export WINEPREFIX_LIVE=${WINEPREFIX_LIVE:-$1/wineprefix-live}
  ARDENO_PREFIXES=("$WINEPREFIX" "$WINEPREFIX_131" "$WINEPREFIX_192"
                   "$WINEPREFIX_ZH" "$WINEPREFIX_131_ZH" "$WINEPREFIX_192_ZH")
}

# The prefix of a resolution and a language: prefix_of 96|131|192 latin|chinese.
prefix_of() {
  local i
  case $1 in
    96) i=0 ;;
    131) i=1 ;;
    192) i=2 ;;
    *) echo "$(basename "$0"): no Wine prefix has $1 dpi (96, 131 and 192 have one)" >&2; return 1 ;;
  esac
  [ "$2" = chinese ] && i=$((i + 3))
  printf '%s\n' "${ARDENO_PREFIXES[i]}"
}

# Ends the Wine servers of the six prefixes.
stop_prefixes() {
  local prefix
  for prefix in "${ARDENO_PREFIXES[@]}"; do WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true; done
}
