#!/usr/bin/env bash
# Start-up and peak memory of Plumelune against a bare Qt Widgets program, under a virtual X
# display of a classroom screen's size: the program at scale 1 and at its automatic scale.
# Usage: bench/run-bench-demarrage.sh [build folder] [--tours N] [--ecran WxH] [--avant PROBE]
# --avant: an earlier build's src/plumelune_sonde, to print whether start-up grew since it.
set -euo pipefail
build="${1:-build}"
shift || true
ecran=1920x1080
args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --ecran) ecran="$2"; shift 2 ;;
    *) args+=("$1"); shift ;;
  esac
done
exec xvfb-run -a -s "-screen 0 ${ecran}x24" "$build/bench/bench_demarrage" "${args[@]}"
