#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test (GUI tests on a virtual display).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
build=${KORVEN_BUILD_DIR:-build}
werror=OFF
[ -n "${CI:-}" ] && werror=ON
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVEN_WERROR=$werror "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
run=()
if [ -z "${DISPLAY:-}" ]; then
  run=(xvfb-run -a -s "-screen 0 1280x1024x24")
fi
export LIBGL_ALWAYS_SOFTWARE=1
"${run[@]}" ctest --test-dir "$build" --output-on-failure --no-tests=error -j"$(nproc)"
