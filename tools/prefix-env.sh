# shellcheck shell=bash
# The language of the project's Wine prefixes, said once: sourced by ./run, cmake/wine-run.sh, prepare-prefix.sh
# and the demo scripts.
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
