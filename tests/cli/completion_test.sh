#!/usr/bin/env bash
# The bash completion of vestrix-cli against the program as built: the
# parameters' names, then a parameter's entries (quoted as typed) or the
# ends of its range.
#   completion_test.sh VESTRIX_CLI COMPLETION_SCRIPT
set -u
cli=$1
script=$2
[ -f /usr/share/bash-completion/bash_completion ] || { echo "bash-completion is not installed"; exit 77; }
bin=$(mktemp -d)
trap 'rm -rf "$bin"' EXIT
ln -s "$cli" "$bin/vestrix-cli"
export PATH=$bin:$PATH
source /usr/share/bash-completion/bash_completion
source "$script"

failures=0
# The completion of a command line whose last word is being typed.
expect() {
  local want=$1
  shift
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMP_LINE="$*"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _vestrix_cli
  local got
  got=$(printf '[%s]' "${COMPREPLY[@]}")
  if [ "$got" != "$want" ]; then
    echo "FAIL: '$*' completes to $got, not $want"
    failures=$((failures + 1))
  fi
}

expect '[TensConst][TensRange][TensOffset][TensCoef][TensPoint][TensUnit][TensFilter]' vestrix-cli get Tens
expect '[TensUnit]' vestrix-cli set TensU
expect '[g][Kg][N][KN][Pound]' vestrix-cli set TensUnit ''
expect '[Kg][KN]' vestrix-cli --device /dev/hidraw3 set TensUnit K
expect '[Continuous][Counter\ \ input]' vestrix-cli set TriggerSource Co
expect '[3][30][31][32][33][34][35][36][37][38][39]' vestrix-cli set tensfilter 3
expect '[-999.9999][999.9999]' vestrix-cli set TensCoef ''
expect '[1][999999]' vestrix-cli set TensRange ''
expect '[]' vestrix-cli set TensUnit N ''
expect '[]' vestrix-cli get TensUnit ''
expect '[--json]' vestrix-cli get --j
[ "$failures" -eq 0 ] && echo "completion: all cases pass"
exit $((failures > 0))
