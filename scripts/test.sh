#!/usr/bin/env bash
# Builds everything and runs every test tier: the portable core natively
# under ASan and UBSan, everything again as Windows programs under Wine, and
# short fuzzing runs of the configuration file reader, the text form's
# reader, the command line and the service's requests.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/common.sh
require_packages "${TOLVI_PACKAGES[@]}"

FUZZ_SECONDS=${FUZZ_SECONDS:-60}
passed=0
failed=0

# Runs one ctest preset and adds its counts to the totals.
run_tier() {
  local preset=$1 log
  log=$(mktemp)
  step "build: $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  step "test: $preset"
  local status=0
  ctest --preset "$preset" 2>&1 | tee "$log" || status=$?
  local line total bad
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1 || true)
  rm -f "$log"
  if [ -z "$line" ]; then
    failed=$((failed + 1))
    return
  fi
  bad=$(echo "$line" | sed -E 's/.* ([0-9]+) tests? failed.*/\1/')
  total=$(echo "$line" | sed -E 's/.* out of ([0-9]+).*/\1/')
  passed=$((passed + total - bad))
  failed=$((failed + bad))
  [ "$status" -eq 0 ] || [ "$bad" -gt 0 ] || failed=$((failed + 1))
}

step "format"
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests fuzz bench -name '*.cpp' -o -name '*.h')
if clang-format --dry-run --Werror $files; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
fi

run_tier native
run_tier windows

# Runs one fuzzer on a corpus for its share of the time; adds to the totals.
run_fuzzer() {
  local name=$1 seconds=$2 corpus=$3
  step "fuzz: $name, $seconds s"
  mkdir -p "$corpus"
  if "build/fuzz/fuzz/$name" -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=4096 \
      -print_final_stats=1 "$corpus" 2>"build/fuzz/$name.log"; then
    tail -n 12 "build/fuzz/$name.log"
    passed=$((passed + 1))
  else
    tail -n 60 "build/fuzz/$name.log"
    failed=$((failed + 1))
  fi
}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
build/fuzz/fuzz/tolvi_fuzz_seeds build/fuzz/corpus
mkdir -p build/fuzz/text-corpus && cp fuzz/text-seed.txt build/fuzz/text-corpus/
run_fuzzer tolvi_config_fuzz "$FUZZ_SECONDS" build/fuzz/corpus
run_fuzzer tolvi_text_fuzz $((FUZZ_SECONDS / 2)) build/fuzz/text-corpus
run_fuzzer tolvi_command_line_fuzz $((FUZZ_SECONDS / 4)) build/fuzz/command-line-corpus
run_fuzzer tolvi_service_fuzz $((FUZZ_SECONDS / 4)) build/fuzz/service-corpus

echo
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
