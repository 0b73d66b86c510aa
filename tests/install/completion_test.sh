#!/usr/bin/env bash
# The bash completion of quarvin-cli, sourced and asked as bash asks it: commands,
# options, device types (with a space in them), a family's operations and options.
# Usage: completion_test.sh COMPLETION_SCRIPT QUARVIN_CLI DATA_DIR
set -uo pipefail
script=$1 cli=$2 data=$3
# shellcheck source=/dev/null
source "$script"
complete -p quarvin-cli >/dev/null || { echo "FAIL: the script registers no completion"; exit 1; }
failures=0

# complete LINE...: COMPREPLY for the last word of the line.
complete_line() {
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMP_WORDS[0]=$cli
  COMPREPLY=()
  _quarvin_cli
}

# expect WANTED|-ABSENT... -- LINE...: each WANTED among the candidates, each -ABSENT not.
expect() {
  local wanted=() w
  while [ "$1" != "--" ]; do wanted+=("$1"); shift; done
  shift
  complete_line "$@"
  # A here-string, not a pipe: grep -q leaves early, and under pipefail the
  # writer's broken pipe would count as a miss.
  local offered
  offered=$(printf '%s\n' "${COMPREPLY[@]}")
  for w in "${wanted[@]}"; do
    if [[ $w == -!* ]]; then
      grep -Fqx -- "${w#-!}" <<<"$offered" && { echo "FAIL: '$*' offers ${w#-!}"; failures=$((failures + 1)); }
    else
      grep -Fqx -- "$w" <<<"$offered" || {
        echo "FAIL: '$*' does not offer $w (offers: ${COMPREPLY[*]:0:8})"; failures=$((failures + 1)); }
    fi
  done
}

expect run devices convert where -!--help -- quarvin-cli ""
expect devices -!run -- quarvin-cli dev
expect --device --chip-image --version -!run -- quarvin-cli run --
expect 27C256 -!27C512 -!Intel/27C256 -- quarvin-cli run --dir "$data" --device 27C25
expect Intel/27C256 -- quarvin-cli ops --dir "$data" --device Intel/27C2
expect '74xxx\ TTL' -- quarvin-cli run --dir "$data" --device 74xxx
expect blank program verify read check -!erase -- quarvin-cli run --dir "$data" --device Intel/27C256 --port VBOX ""
expect blank -!erase -- quarvin-cli run --dir "$data" --device AT89C52 b
expect identify test -!check -- quarvin-cli run --dir "$data" --device '74xxx\ TTL' ""
expect blank -- quarvin-cli run --dir "'$data'" --device '"Intel/27C256"' b
touch_marker="$(mktemp -u)"
expect -- quarvin-cli run --dir "\$(touch $touch_marker)" --device 27C256 ""
[ -e "$touch_marker" ] && { echo "FAIL: completing ran a command substitution of the line"; failures=$((failures + 1)); rm -f "$touch_marker"; }
expect pro-time= -- quarvin-cli run --dir "$data" --device AT24C256 --option ""
expect hex jed -!txt -- quarvin-cli convert a.bin b.hex --out-format ""
expect '27c256\ 12.7v' -- quarvin-cli run --chip 27c2
expect VBOX COM1 -- quarvin-cli run --port ""
[ "$failures" -eq 0 ] && echo "completion offers what quarvin-cli lists"
exit $((failures > 0))
