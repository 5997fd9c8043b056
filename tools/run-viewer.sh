#!/usr/bin/env bash
# Installs what is missing, builds the viewer and starts it on a program (the example bracket
# unless one is named). Without a display it runs on a virtual screen and saves a screenshot of
# that screen to the file it prints (KORVEN_SCREENSHOT to choose it).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
build=${KORVEN_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target korven
program=${1:-examples/bracket.nc}
# The manuals (帮助) are found in the source tree's data folder unless one is named already.
export HOLVARIN_HOME=${HOLVARIN_HOME:-$PWD/share/holvarin}

if [ -n "${DISPLAY:-}" ]; then
  exec "$build/app/korven" "$program"
fi

shot=${KORVEN_SCREENSHOT:-$build/korven-screen.png}
# Printed whole, so it can be opened from wherever the script was started.
shot=$(realpath -m -- "$shot")
export LIBGL_ALWAYS_SOFTWARE=1
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$1" "$2" &
  pid=$!
  # The title names the file once the job has started; give the picture a moment after that.
  for _ in $(seq 100); do
    xwininfo -root -tree 2>/dev/null | grep -q "\"KORVEN : " && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  sleep 2
  import -window root "$3"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
' _ "$build/app/korven" "$program" "$shot"
echo "No display here: the viewer ran on a virtual screen; screenshot: $shot"
