#!/usr/bin/env bash
# Runs one fuzzer of a build (cmake -S tests/fuzz) from its committed corpus, and judges the run.
#   run_fuzzer.sh run BUILD TARGET SECONDS   fuzzes for SECONDS; what it learns stays in
#                                            BUILD/corpus/TARGET, a failing input in BUILD/findings/TARGET
#   run_fuzzer.sh brief BUILD TARGET SECONDS the same from the committed corpus alone (BUILD/brief/TARGET
#                                            emptied first): the test command's short run
#   run_fuzzer.sh merge BUILD TARGET         adds to the committed corpus only the learned inputs that
#                                            reach code it does not (edges alone, without hit counts)
# A run fails on a finding (a failed check, a crash, a sanitizer report, a slow input, a leak) and
# when the fuzzer stops early: before its time is up, or having tried too few inputs in it.
set -uo pipefail

mode=${1:-} build=${2:-} target=${3:-} seconds=${4:-}
seeds=$(cd "$(dirname "$0")" && pwd)/corpus/$target
fuzzer=$build/fuzz_$target

# Per fuzzer: the longest input, and the fewest inputs a second a run must average. The floors sit
# far below what the fuzzers do on a busy two-core machine (the settings fuzzer, the slowest, does
# about 100 a second); a fuzzer under them is stuck, not slow.
case "$target" in
  settings_file) max_len=8192 min_rate=10 ;;
  number_reading) max_len=64 min_rate=200 ;;
  size_text) max_len=32 min_rate=200 ;;
  *) echo "run_fuzzer.sh: no fuzzer '$target'" >&2; exit 2 ;;
esac
if [ ! -x "$fuzzer" ] || [ ! -d "$seeds" ]; then
  echo "run_fuzzer.sh: $fuzzer or $seeds is missing" >&2
  exit 2
fi

if [ "$mode" = merge ]; then
  mkdir -p "$build/corpus/$target"
  exec "$fuzzer" -merge=1 -use_counters=0 -max_len="$max_len" "$seeds" "$build/corpus/$target"
fi
case "$mode:$seconds" in
  run:[1-9]* | brief:[1-9]*) ;;
  *) echo "usage: run_fuzzer.sh run|brief BUILD TARGET SECONDS | run_fuzzer.sh merge BUILD TARGET" >&2; exit 2 ;;
esac

learned=$build/corpus/$target
if [ "$mode" = brief ]; then
  learned=$build/brief/$target
  rm -rf "$learned"
fi
findings=$build/findings/$target
log=$build/logs/$target.log
mkdir -p "$learned" "$findings" "$(dirname "$log")"

"$fuzzer" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -print_final_stats=1 \
  -artifact_prefix="$findings/" "$learned" "$seeds" 2>&1 | tee "$log"
status=${PIPESTATUS[0]}

# libFuzzer ends a run that used its time with "Done N runs in S second(s)" (S past the time
# given) and the final stats; a crash or a failed check ends it without them.
# The inputs it made up are those it ran after reading its corpus ("#N INITED").
field() { sed -nE "s/$1/\\1/p" "$log" | tail -n 1; }
inited=$(field '^#([0-9]+)[[:space:]]+INITED.*')
executed=$(field '^stat::number_of_executed_units: *([0-9]+).*')
took=$(field '^Done [0-9]+ runs in ([0-9]+) second.*')
verdict=""
if [ "$status" -ne 0 ]; then
  verdict="a finding (exit status $status); inputs in $findings/"
elif [ -z "$inited" ] || [ -z "$executed" ] || [ -z "$took" ]; then
  verdict="it stopped without finishing its run"
elif [ "$took" -lt "$seconds" ]; then
  verdict="it stopped after $took of $seconds seconds"
elif [ $((executed - inited)) -lt $((min_rate * seconds)) ]; then
  verdict="it made up $((executed - inited)) inputs in $took seconds, fewer than $((min_rate * seconds))"
fi
if [ -n "$verdict" ]; then
  echo "fuzz_$target FAILED: $verdict" >&2
  exit 1
fi
echo "fuzz_$target: $executed inputs ($((executed - inited)) made up) in $took seconds, no finding"
