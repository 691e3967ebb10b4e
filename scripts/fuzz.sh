#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang and runs each for SECONDS
# (default 60) on its corpus, after replaying the reproducers of faults
# already mended (fuzz/regressions/<target>). Prints executions, exec/s and
# coverage per target; exits non-zero on any finding, keeping the input that
# caused it in the build folder's findings/<target>/ (the path is printed).
#
#   bash scripts/fuzz.sh [SECONDS] [TARGET...]
#
# PINAKOS_FUZZ_BUILD_DIR chooses the build folder (default build-fuzz/).
# Clang comes with `bash scripts/setup.sh --fuzz`.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PINAKOS_FUZZ_BUILD_DIR:-$here/build-fuzz}"
seconds="${1:-60}"
shift || true

cxx="${PINAKOS_FUZZ_CXX:-$(command -v clang++ || true)}"
if [ -z "$cxx" ]; then
  echo "fuzz.sh: clang++ not found; install it with: bash scripts/setup.sh --fuzz" >&2
  exit 2
fi

mkdir -p "$build"
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPINAKOS_FUZZ=ON -DPINAKOS_TESTS=OFF -DPINAKOS_BENCH=OFF "${launcher[@]}" >"$build/configure.log" 2>&1 ||
  { cat "$build/configure.log" >&2; exit 2; }
cmake --build "$build" --target pinakos_fuzzers -j"$(nproc)" >"$build/build.log" 2>&1 ||
  { tail -50 "$build/build.log" >&2; exit 2; }

if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for src in "$here"/fuzz/fuzz_*.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi

export QT_QPA_PLATFORM=offscreen
export QT_LOGGING_RULES="${QT_LOGGING_RULES:-qt.gui.imageio*=false}"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
# Leaks inside the system's font and graphics libraries are theirs, not ours.
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$here/.ci/lsan.supp:print_suppressions=0}"

status=0
report=()
for t in "${targets[@]}"; do
  exe="$build/fuzz/$t"
  seeds="$here/fuzz/corpus/$t"
  regressions="$here/fuzz/regressions/$t"
  work="$build/corpus/$t" # what the run learns; the seeds in the repository stay as they are
  findings="$build/findings/$t"
  log="$build/logs/$t.log"
  mkdir -p "$work" "$findings" "$(dirname "$log")" "$seeds"
  options=(-timeout=20 -rss_limit_mb=2560 -max_len=65536 -print_final_stats=1 -artifact_prefix="$findings/")
  [ -f "$here/fuzz/dict/$t.dict" ] && options+=(-dict="$here/fuzz/dict/$t.dict")
  [ -f "$here/fuzz/options/$t.options" ] && read -r -a extra <"$here/fuzz/options/$t.options" && options+=("${extra[@]}")

  # Reproducers of mended faults first: each must run clean.
  if [ -d "$regressions" ] && [ -n "$(ls -A "$regressions")" ]; then
    if ! "$exe" "${options[@]}" "$regressions"/* >"$log.regressions" 2>&1; then
      echo "$t: a mended fault is back; see $log.regressions" >&2
      tail -30 "$log.regressions" >&2
      status=1
    fi
  fi

  rc=0
  "$exe" "${options[@]}" -max_total_time="$seconds" "$work" "$seeds" >"$log" 2>&1 || rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  line=$(printf '%-16s %10s runs %8s exec/s  cov %6s  ft %6s' "$t" "${runs:-?}" "${speed:-?}" "${cov:-?}" "${ft:-?}")
  if [ $rc -ne 0 ]; then
    status=1
    found=$(ls -t "$findings" 2>/dev/null | head -1)
    line="$line  FINDING: $findings/${found:-?} (log $log)"
    echo "---- $t ----" >&2
    grep -B2 -A25 -m1 -E 'ERROR: |PROPERTY BROKEN|runtime error' "$log" >&2 || tail -40 "$log" >&2
  fi
  report+=("$line")
  echo "$line"
done

echo
echo "Fuzzing, $seconds s per target:"
printf '%s\n' "${report[@]}"
exit $status
