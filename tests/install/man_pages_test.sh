#!/usr/bin/env bash
# Every option and command a program's --help shows is described in its man page,
# and every man page renders without a warning.
# Usage: man_pages_test.sh MAN_SOURCE_DIR QUARVIN_CLI QUARVIN_SIM [QUARVIN]
set -uo pipefail
man_dir=$1
shift
failures=0

for program in "$@"; do
  name=$(basename "$program")
  page="$man_dir/$name.1.in"
  if [ ! -f "$page" ]; then
    echo "FAIL: $name has no man page ($page)"; failures=$((failures + 1)); continue
  fi
  # Roff writes a minus as \-; the page's words as a reader sees them.
  text=$(sed 's/\\-/-/g; s/\\f[BIRP]//g' "$page")
  help=$(QT_QPA_PLATFORM=offscreen "$program" --help) || { echo "FAIL: $name --help failed"; failures=$((failures + 1)); continue; }
  options=$(grep -o -- '--[a-z][a-z0-9-]*' <<<"$help" | sort -u)
  [ -n "$options" ] || { echo "FAIL: no options found in $name --help"; failures=$((failures + 1)); }
  for option in $options; do
    grep -q -- "$option\b" <<<"$text" || { echo "FAIL: $name.1 does not mention $option"; failures=$((failures + 1)); }
  done
  # The commands, from the usage lines "  quarvin-cli COMMAND ...".
  for command in $(sed -n "s/^  $name \([a-z][a-z-]*\).*/\1/p" <<<"$help" | sort -u); do
    grep -q "^\.B $command\$" "$page" || { echo "FAIL: $name.1 does not describe the command $command"; failures=$((failures + 1)); }
  done
  version=$("$program" --version) || { echo "FAIL: $name --version failed"; failures=$((failures + 1)); }
  [[ $version == "$name "[0-9]* ]] || { echo "FAIL: $name --version printed '$version'"; failures=$((failures + 1)); }
  if command -v groff >/dev/null; then
    warnings=$(groff -man -ww -z -Tutf8 "$page" 2>&1)
    [ -z "$warnings" ] || { echo "FAIL: $name.1 renders with warnings:"; echo "$warnings"; failures=$((failures + 1)); }
  fi
done
[ "$failures" -eq 0 ] && echo "man pages of $# programs follow their --help"
exit $((failures > 0))
