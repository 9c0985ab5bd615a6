#!/usr/bin/env bash
# Installs what Telvio needs on Debian 12, builds it, and runs it or its tests.
#
#   scripts/setup.sh demo       install, build, start the app on a simulated modem
#   scripts/setup.sh test       install, build, run every test
#   scripts/setup.sh sanitize   build everything with ASan+UBSan and run every test
#   scripts/setup.sh fuzz [SECONDS]  build the fuzzers (clang) and run each for SECONDS
#   scripts/setup.sh deps|build only install, or only build
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
build=${TELVIO_BUILD_DIR:-$top/build}
jobs=$(nproc 2>/dev/null || echo 2)
# Most tests wait on a modem answering at a real line rate rather than
# compute, so twice as many run at once as there are cores.
test_jobs=$((jobs * 2))

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libgl-dev
  qt6-charts-dev libqt6opengl6-dev
  libgtest-dev googletest
  xvfb xauth fonts-dejavu-core
  xdotool x11-apps python3
)
# Only the fuzzers need clang; libclang-rt-14-dev holds libFuzzer's runtime
# (-fsanitize=fuzzer) and clang's sanitizer runtimes.
fuzz_packages=(clang libclang-rt-14-dev)

# A compiler cache, when the machine has one, makes rebuilds of the three
# configurations (test, sanitize, fuzz) cheap; nothing needs it.
if command -v ccache >/dev/null 2>&1; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR=$top CCACHE_NOHASHDIR=1
fi

deps() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if ((${#missing[@]})); then
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

build() {
  cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$build" -j"$jobs"
}

run_tests() {
  # Widget tests run on Qt's offscreen platform; no display is needed.
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j"$test_jobs" --timeout 300
}

sanitize() {
  local sbuild=${TELVIO_SANITIZE_DIR:-$top/build-sanitize}
  cmake -S "$top" -B "$sbuild" -DCMAKE_BUILD_TYPE=Debug -DTELVIO_SANITIZE=ON
  cmake --build "$sbuild" -j"$jobs"
  # Widget tests too, on the offscreen platform (they need no leak
  # suppressions there).
  QT_QPA_PLATFORM=offscreen \
  ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$sbuild" --output-on-failure -j"$test_jobs" --timeout 600
}

case "${1:-}" in
  deps) deps ;;
  build) deps; build ;;
  test) deps; build; run_tests ;;
  sanitize) deps; sanitize ;;
  fuzz-deps) packages+=("${fuzz_packages[@]}"); deps ;;
  fuzz) shift; exec bash "$top/scripts/fuzz.sh" "$@" ;;
  demo)
    deps; build
    shift
    exec "$build/telvio" --demo "$@"
    ;;
  *)
    sed -n '2,8p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
    ;;
esac
