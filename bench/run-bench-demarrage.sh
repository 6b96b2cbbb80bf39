#!/usr/bin/env bash
# Start-up and peak memory of Plumelune against a bare Qt Widgets program, under a virtual X
# display. Usage: bench/run-bench-demarrage.sh [build folder] [--tours N]
set -euo pipefail
build="${1:-build}"
shift || true
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bench/bench_demarrage" "$@"
