#!/usr/bin/env bash
# The RS274/NGC reading of a macro loop that makes as many moves as the 100 MB benchmark
# program has nodes, from a dozen lines, against the default reading of that program, timed in
# the same rounds; and, when KORVEN_BASELINE_INFO names an older korven-info, the NGC reading of
# the 100 MB program (no parameters, no O-words) by both, to show it kept its speed.
# Figures are medians over the rounds, ratios medians of the per-round ratios.
# Usage: bench/ngc_flow_throughput.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-${KORVEN_BUILD_DIR:-build}}
rounds=${2:-5}
shared=${KORVEN_SHARED_DIR:-$(cd .. && pwd)/shared}
work="$build/bench-interp"
mkdir -p "$work"
info="$build/tools/korven-info"
baseline=${KORVEN_BASELINE_INFO:-$info}

cmake --build "$build" --target korven-info -j2 >/dev/null
program="$work/p100.nc"
if [[ ! -s "$program" ]]; then
    python3 "$shared/bench/gen_program.py" --seed 7 --mb 100 --eol crlf --out "$program"
fi
nodes=$("$info" "$program" 2>/dev/null | awk '$1=="nodes"{print $2}')
# Four moves a pass, three of them computed; the last pass and the closing rapid make up the
# count to the program's within a few nodes.
loop="$work/loop.ngc"
cat >"$loop" <<NGC
G21 G90 G17 F1000
#1 = 0
o100 while [#1 LT $(( (nodes - 3) / 4 ))]
G1 X[#1 MOD 100] Y1
G1 X[[#1 MOD 100] + 0.5] Y2
G1 Y3 Z#2
G0 Z1
#1 = [#1 + 1]
o100 endwhile
G0 X0 Y0 Z5
M2
NGC
loopnodes=$("$info" --dialect ngc "$loop" 2>/dev/null | awk '$1=="nodes"{print $2}')

# Wall seconds and CPU seconds of one run.
timed() {
    /usr/bin/time -f "%e %U %S" -o "$work/time.txt" "$@" >/dev/null 2>&1
    awk '{printf "%s %.2f", $1, $2 + $3}' "$work/time.txt"
}
rows="$work/flowrounds.txt"
: >"$rows"
for _ in $(seq "$rounds"); do
    echo "$(timed "$info" "$program") $(timed "$info" --dialect ngc "$loop")" \
        "$(timed "$info" --dialect ngc "$program") $(timed "$baseline" --dialect ngc "$program")" >>"$rows"
done

awk -v nodes="$nodes" -v loopnodes="$loopnodes" '
function median(a, n,   i, j, t) {
    for (i = 2; i <= n; i++)
        for (j = i; j > 1 && a[j - 1] > a[j]; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
}
{ n++; dw[n] = $1; dc[n] = $2; lw[n] = $3; lc[n] = $4; nw[n] = $5; nc[n] = $6; bw[n] = $7; bc[n] = $8
  rl[n] = $1 / $3; rlc[n] = $2 / $4; rn[n] = $7 / $5; rnc[n] = $8 / $6 }
END {
    printf "default reading, 100 MB program   %6.2f s (cpu %.2f s), %d nodes\n", median(dw, n), median(dc, n), nodes
    printf "NGC reading, macro loop           %6.2f s (cpu %.2f s), %d nodes\n", median(lw, n), median(lc, n), loopnodes
    printf "  speed against the default      %.2fx (cpu %.2fx)\n", median(rl, n), median(rlc, n)
    printf "NGC reading, 100 MB program       %6.2f s (cpu %.2f s)\n", median(nw, n), median(nc, n)
    printf "  baseline                        %6.2f s (cpu %.2f s): this speed %.2fx the baseline (cpu %.2fx)\n",
        median(bw, n), median(bc, n), median(rn, n), median(rnc, n)
    printf "medians of %d rounds\n", n
}' "$rows"
