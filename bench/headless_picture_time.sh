#!/usr/bin/env bash
# Pictures without a display: a thumbnail of a 100 MB CAM-like program against interpreting it
# alone (korven-info's report) in the same run, with software GL (llvmpipe) and with Mesa's
# no-op driver (the CPU cost a fast graphics card still pays); and the 800x600 picture of the
# example bracket. Usage: bench/headless_picture_time.sh [BUILD_DIR] [MB] [SIZE]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-${KORVEN_BUILD_DIR:-build}}
mb=${2:-100}
size=${3:-256}
shared=${KORVEN_SHARED_DIR:-$(cd .. && pwd)/shared}
work="$build/bench-interp"  # the program is shared with interp_throughput.sh
mkdir -p "$work"

cmake --build "$build" --target korven-info korven-thumbnailer -j2 >/dev/null
program="$work/p${mb}.nc"
if [[ ! -s "$program" ]]; then
    python3 "$shared/bench/gen_program.py" --seed 7 --mb "$mb" --eol crlf --out "$program"
fi

# Best of three: wall seconds and CPU seconds (user + system), no display.
best() {
    local best_wall=999999 best_cpu=0
    for _ in 1 2 3; do
        read -r wall user sys < <( { env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/time -f "%e %U %S" \
            "$@" >/dev/null; } 2>&1 | tail -1)
        if awk -v a="$wall" -v b="$best_wall" 'BEGIN{exit !(a<b)}'; then
            best_wall=$wall
            best_cpu=$(awk -v u="$user" -v s="$sys" 'BEGIN{printf "%.2f", u+s}')
        fi
    done
    echo "$best_wall $best_cpu"
}

out="$work/picture.png"
read -r rw rc < <(best "$build/tools/korven-info" "$program")
read -r tw tc < <(best "$build/tools/korven-thumbnailer" -s "$size" "$program" "$out")
read -r nw nc < <(best env GALLIUM_NOOP=1 "$build/tools/korven-thumbnailer" -s "$size" "$program" "$out")
read -r bw bc < <(best "$build/tools/korven-info" examples/bracket.nc --png "$out")
awk -v mb="$mb" -v s="$size" -v rw="$rw" -v rc="$rc" -v tw="$tw" -v tc="$tc" -v nw="$nw" \
    -v nc="$nc" -v bw="$bw" -v bc="$bc" -v load="$(cut -d' ' -f1 /proc/loadavg)" 'BEGIN {
    printf "load average    %s\n", load
    printf "report          %6.2f s  (cpu %.2f s)  %d MB program, interpretation only\n", rw, rc, mb
    printf "thumbnail %-5d %6.2f s  (cpu %.2f s)  %.2fx the report\n", s, tw, tc, tw / rw
    printf "  no-op GL      %6.2f s  (cpu %.2f s)  %.2fx the report\n", nw, nc, nw / rw
    printf "bracket 800x600 %6.2f s  (cpu %.2f s)\n", bw, bc
}'
