#!/usr/bin/env bash
# Builds and runs the tests under the sanitizers, without the window (GTK and
# glib are not instrumented, so their reports would drown ours):
#   build-asan  AddressSanitizer + UndefinedBehaviorSanitizer: every test but
#               the window tests;
#   build-tsan  ThreadSanitizer: the job and its runner, the status channel
#               and orvane-cli, the code that runs on two threads;
#   build-fuzz  (step "fuzz", clang) every libFuzzer target under both
#               sanitizers, each run from its seeds for ORVANE_FUZZ_SECONDS
#               (default 10): proof that they build and run, not a campaign.
# Any sanitizer report fails the run: each stops its program at the first
# report, and every report is also written to a log folder, which must stay
# empty (a report in a child process whose status nobody reads still counts).
# Usage: scripts/sanitize.sh [asan|tsan|fuzz]...   (all three when none is named)
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=${ORVANE_JOBS:-$(nproc)}
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
fi

configure() {  # DIR SANITIZERS
  cmake -S . -B "$1" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_SANITIZERS="$2" \
    -DORVANE_BUILD_GUI=OFF -DORVANE_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
}

# Fails when the run left any report in DIR/sanitizer-logs.
check_logs() {  # DIR
  local logs=("$1"/sanitizer-logs/*)
  [[ -e "${logs[0]}" ]] || return 0
  echo "Sanitizer reports in $1/sanitizer-logs:" >&2
  cat "${logs[@]}" >&2
  return 1
}

fresh_logs() {  # DIR
  rm -rf "$1/sanitizer-logs"
  mkdir -p "$1/sanitizer-logs"
  echo "$PWD/$1/sanitizer-logs"
}

run_asan() {
  configure build-asan address,undefined
  cmake --build build-asan -j "$jobs"
  local logs
  logs=$(fresh_logs build-asan)
  ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:log_path=$logs/asan" \
  UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$logs/ubsan" \
    ctest --test-dir build-asan -LE gui --output-on-failure -j "$jobs"
  check_logs build-asan
}

run_tsan() {
  configure build-tsan thread
  local tests=(tests/encoder/orvane_encoder_tests tests/encoder/job_flush_test
               tests/app/app_logic_test tests/cli/cli_app_test tests/cli/cli_binary_test)
  local targets=(orvane-cli)
  for t in "${tests[@]}"; do targets+=("$(basename "$t")"); done
  cmake --build build-tsan -j "$jobs" --target "${targets[@]}"
  local logs
  logs=$(fresh_logs build-tsan)
  for t in "${tests[@]}"; do
    echo "== $t"
    TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:log_path=$logs/tsan" \
      "build-tsan/$t" --gtest_brief=1
  done
  check_logs build-tsan
}

run_fuzz() {
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORVANE_FUZZ=ON -DORVANE_SANITIZERS=address,undefined -DORVANE_BUILD_GUI=OFF \
    -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
  local targets=()
  for f in fuzz/*.cmake; do targets+=("$(basename "$f" .cmake)_fuzzer"); done
  cmake --build build-fuzz -j "$jobs" --target "${targets[@]}"
  for t in "${targets[@]}"; do
    local corpus="$PWD/build-fuzz/ci-corpus/$t" out="$PWD/build-fuzz/$t.out"
    rm -rf "$corpus"
    mkdir -p "$corpus"
    ORVANE_FUZZ_SEEDS_DIR="$corpus" "build-fuzz/fuzz/$t"
    # An empty temporary folder as the current one and as TMPDIR: a target
    # that writes files (orvane-cli's) can write nowhere else.
    local scratch rc=0
    scratch=$(mktemp -d)
    (cd "$scratch" && TMPDIR="$scratch" "$OLDPWD/build-fuzz/fuzz/$t" "$corpus" \
       -max_total_time="${ORVANE_FUZZ_SECONDS:-10}" -rss_limit_mb=2048 \
       -artifact_prefix="$OLDPWD/build-fuzz/$t-" >"$out" 2>&1) || rc=$?
    rm -rf "$scratch"
    if [[ $rc -ne 0 ]]; then
      cat "$out" >&2
      return 1
    fi
    echo "$t: $(grep -E '^#[0-9]+[[:space:]]+DONE' "$out" || tail -n 1 "$out")"
  done
}

steps=("$@")
[[ ${#steps[@]} -gt 0 ]] || steps=(asan tsan fuzz)
for step in "${steps[@]}"; do
  case "$step" in
    asan) run_asan ;;
    tsan) run_tsan ;;
    fuzz) run_fuzz ;;
    *) echo "unknown step: $step (asan, tsan or fuzz)" >&2; exit 2 ;;
  esac
done
