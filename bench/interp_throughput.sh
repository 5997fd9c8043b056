#!/usr/bin/env bash
# Interpreter throughput on a 100 MB CAM-like program, against the word-scan floor timed in
# the same run. Each round runs korven-info, the scan with strtod and the fast scan one after
# the other, so all three see the same load from whatever else shares the machine; figures
# are medians over the rounds, ratios medians of the per-round ratios.
# Usage: bench/interp_throughput.sh [BUILD_DIR] [MB] [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-${KORVEN_BUILD_DIR:-build}}
mb=${2:-100}
rounds=${3:-7}
shared=${KORVEN_SHARED_DIR:-$(cd .. && pwd)/shared}
work="$build/bench-interp"
mkdir -p "$work"

cmake --build "$build" --target korven-info -j2 >/dev/null
program="$work/p${mb}.nc"
if [[ ! -s "$program" ]]; then
    python3 "$shared/bench/gen_program.py" --seed 7 --mb "$mb" --eol crlf --out "$program"
fi
cc -O2 -o "$work/wordscan" "$shared/bench/wordscan.c"

# Wall seconds, CPU seconds and peak RSS in KB of one run.
timed() {
    { /usr/bin/time -f "%e %U %S %M" "$@" >/dev/null; } 2>&1 | tail -1 |
        awk '{printf "%s %.2f %s", $1, $2 + $3, $4}'
}

nodes=$("$build/tools/korven-info" "$program" | awk '$1=="nodes"{print $2}')
rows="$work/rounds.txt"
: >"$rows"
for _ in $(seq "$rounds"); do
    echo "$(timed "$build/tools/korven-info" "$program") $(timed "$work/wordscan" "$program")" \
        "$(timed "$work/wordscan" "$program" fast)" \
        "$(timed "$build/tools/korven-info" --dialect ngc "$program")" >>"$rows"
done

# Columns: korven-info, strtod scan, fast scan, korven-info --dialect ngc; each wall, cpu, rss.
awk -v bytes="$(stat -c %s "$program")" -v nodes="$nodes" '
function median(a, n,   i, j, t) {
    for (i = 2; i <= n; i++)
        for (j = i; j > 1 && a[j - 1] > a[j]; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
}
{ n++; iw[n] = $1; ic[n] = $2; rss[n] = $3; fw[n] = $4; fc[n] = $5; qw[n] = $7; qc[n] = $8
  rf[n] = $1 / $4; rq[n] = $1 / $7; gw[n] = $10; gc[n] = $11; rg[n] = $10 / $1 }
END {
    mb = bytes / 1e6; w = median(iw, n); f = median(fw, n); q = median(qw, n); r = median(rss, n)
    printf "program        %.1f MB, %d nodes, medians of %d rounds\n", mb, nodes, n
    printf "korven-info    %6.2f s  %7.1f MB/s   (cpu %.2f s)\n", w, mb / w, median(ic, n)
    printf "wordscan       %6.2f s  %7.1f MB/s   (cpu %.2f s)  floor, strtod\n", f, mb / f, median(fc, n)
    printf "wordscan fast  %6.2f s  %7.1f MB/s   (cpu %.2f s)\n", q, mb / q, median(qc, n)
    printf "ratio          %.2fx the time of the floor (%.2fx the fast scan)\n", median(rf, n), median(rq, n)
    g = median(gw, n)
    printf "reading ngc    %6.2f s  %7.1f MB/s   (cpu %.2f s)  %.2fx the time of the default\n", g, mb / g, median(gc, n), median(rg, n)
    printf "peak RSS       %.0f MB, %.1f bytes per node\n", r / 1024, r * 1024 / nodes
}' "$rows"
