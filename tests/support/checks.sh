# Sourced by the shell tests: named checks that print ok or FAIL and count
# the failures in $failures, so that one run reports every check.
failures=0

# check NAME GOT WANT
check() {
  if [ "$2" = "$3" ]; then
    echo "ok   $1"
  else
    echo "FAIL $1"
    echo "  got:  $(printf '%s' "$2" | sed '2,$s/^/        /')"
    echo "  want: $(printf '%s' "$3" | sed '2,$s/^/        /')"
    failures=$((failures + 1))
  fi
}

# check_same NAME FILE EXPECTED_FILE
check_same() {
  if cmp -s "$2" "$3"; then
    echo "ok   $1"
  else
    echo "FAIL $1: $2 differs from $3"
    failures=$((failures + 1))
  fi
}
