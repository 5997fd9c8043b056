#!/usr/bin/env bash
# The Fanuc-family reading against the default reading in the same run: the 100 MB CAM-like
# program read both ways, and a macro loop of a few lines that makes about as many moves.
# Each round runs all three one after the other, so that they see the same load; figures
# are medians over the rounds of wall and CPU seconds and of peak memory, ratios medians of
# per-round ratios (above 1: the Fanuc-family reading is faster).
# Usage: bench/fanuc_throughput.sh [BUILD_DIR] [MB] [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-${KORVEN_BUILD_DIR:-build}}
mb=${2:-100}
rounds=${3:-3}
shared=${KORVEN_SHARED_DIR:-$(cd .. && pwd)/shared}
work="$build/bench-fanuc"
mkdir -p "$work"

cmake --build "$build" --target korven-info -j2 >/dev/null
program="$work/p${mb}.nc"
if [[ ! -s "$program" ]]; then
    python3 "$shared/bench/gen_program.py" --seed 7 --mb "$mb" --out "$program"
fi
# 2850 x 2000 x 2 feed moves: 11.4 M moves from eleven lines.
loop="$work/loop.nc"
cat >"$loop" <<'PROGRAM'
G21 G90 G17 G0 X0 Y0 Z5.
#1=0
WHILE [#1 LT 2850] DO 1
#2=0
WHILE [#2 LT 2000] DO 2
G1 X[#2*0.1] Y[#1*0.1] Z-1. F1200.
X[#2*0.1+0.05] Z-0.5
#2=#2+1
END 2
#1=#1+1
END 1
PROGRAM

timed() {
    /usr/bin/time -o "$work/time.txt" -f "%e %U %S %M" "$@" >/dev/null 2>/dev/null
    tail -1 "$work/time.txt" | awk '{printf "%s %.2f %d", $1, $2 + $3, $4}'
}

rows="$work/rounds.txt"
: >"$rows"
for _ in $(seq "$rounds"); do
    echo "$(timed "$build/tools/korven-info" "$program")" \
        "$(timed "$build/tools/korven-info" --dialect fanuc "$program")" \
        "$(timed "$build/tools/korven-info" --dialect fanuc "$loop")" >>"$rows"
done
echo "nodes: default $("$build/tools/korven-info" "$program" 2>/dev/null | awk '$1=="nodes"{print $2}')," \
    "fanuc $("$build/tools/korven-info" --dialect fanuc "$program" 2>/dev/null | awk '$1=="nodes"{print $2}')," \
    "loop $("$build/tools/korven-info" --dialect fanuc "$loop" 2>/dev/null | awk '$1=="nodes"{print $2}')"
# Columns: default wall cpu kB, fanuc wall cpu kB, loop wall cpu kB.
awk '
function median(a, n,   i, j, t) {
    for (i = 2; i <= n; i++) for (j = i; j > 1 && a[j-1] > a[j]; j--) { t = a[j]; a[j] = a[j-1]; a[j-1] = t }
    return n % 2 ? a[(n+1)/2] : (a[n/2] + a[n/2+1]) / 2
}
{ n++; dw[n]=$1; dc[n]=$2; dm[n]=$3; fw[n]=$4; fc[n]=$5; fm[n]=$6; lw[n]=$7; lc[n]=$8; lm[n]=$9
  rw[n]=$1/$4; rc[n]=$2/$5; qw[n]=$1/$7; qc[n]=$2/$8 }
END {
    printf "default reading   %6.2f s wall %6.2f s cpu %5.0f MB peak\n", median(dw, n), median(dc, n), median(dm, n) / 1024
    printf "fanuc, same file  %6.2f s wall %6.2f s cpu %5.0f MB peak  speed ratio %.2f wall %.2f cpu\n", median(fw, n), median(fc, n), median(fm, n) / 1024, median(rw, n), median(rc, n)
    printf "fanuc, macro loop %6.2f s wall %6.2f s cpu %5.0f MB peak  speed ratio %.2f wall %.2f cpu\n", median(lw, n), median(lc, n), median(lm, n) / 1024, median(qw, n), median(qc, n)
}' "$rows"
