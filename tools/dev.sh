#!/usr/bin/env bash
# Sets up a Debian 12 machine for Hueforge and builds, runs or tests it.
#   tools/dev.sh run     install, build and start the editor
#   tools/dev.sh test    install, build and run every test
#   tools/dev.sh asan    the tests again under AddressSanitizer and UBSan
#   tools/dev.sh fuzz [SECONDS]   build and run the scan fuzzer (default 60 s)
#   tools/dev.sh bench   build and run the benchmarks
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"
jobs=$(nproc 2>/dev/null || echo 2)

packages=(cmake ninja-build g++ clang libclang-rt-dev pkg-config
          qt6-base-dev qt6-base-dev-tools libgl-dev googletest libgtest-dev libbenchmark-dev
          xvfb xauth x11-utils fonts-dejavu-core)

install_packages() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure_build() { # dir, extra cmake args... [--target T]
    local dir=$1; shift
    local target=()
    if [ "${*: -2:1}" = "--target" ]; then
        target=(--target "${*: -1}")
        set -- "${@:1:$#-2}"
    fi
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j "$jobs" "${target[@]}"
}

run_tests() { # dir
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$1" --output-on-failure -j "$jobs"
}

case "${1:-test}" in
run)
    install_packages
    configure_build build
    if [ -x build/hueforge ]; then
        exec build/hueforge
    fi
    exec build/tools/hueforge-list samples/sample.mdl
    ;;
test)
    install_packages
    configure_build build
    run_tests build
    ;;
asan)
    install_packages
    configure_build build-asan -DHUEFORGE_SANITIZE=ON
    ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions="$here/tools/lsan.supp" \
        run_tests build-asan
    ;;
fuzz)
    install_packages
    # Only the fuzzer: the engine it links is instrumented for it.
    CXX=clang++ configure_build build-fuzz -DHUEFORGE_BUILD_FUZZ=ON -DHUEFORGE_BUILD_UI=OFF \
        -DHUEFORGE_BUILD_TESTS=OFF --target scan_fuzzer
    mkdir -p build-fuzz/corpus
    build-fuzz/fuzz/scan_fuzzer -max_total_time="${2:-60}" -print_final_stats=1 \
        build-fuzz/corpus fuzz/seeds samples
    ;;
bench)
    install_packages
    configure_build build-bench -DCMAKE_BUILD_TYPE=Release -DHUEFORGE_BUILD_BENCH=ON
    build-bench/bench/scan_bench --benchmark_counters_tabular=true
    ;;
*)
    echo "usage: tools/dev.sh run|test|asan|fuzz [SECONDS]|bench" >&2
    exit 64
    ;;
esac
