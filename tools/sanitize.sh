#!/usr/bin/env bash
# Builds every test with AddressSanitizer and UndefinedBehaviorSanitizer in build-sanitize/ and
# runs them, then runs each fuzz target for a short while from its seed corpus. Uses clang, whose
# runtime package also brings libFuzzer. Options: FUZZ_SECONDS (per target, default 30), JOBS
# (parallel compilations, default 2).
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(clang libclang-rt-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends \
        "${missing[@]}"
fi

# Test discovery runs the test programs while building, so the options apply from here on.
# No strict_string_checks: libxkbcommon calls strndup() for zero bytes at the very end of an X
# server reply, which only that option counts as reading past it.
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1
export LSAN_OPTIONS="suppressions=$PWD/tools/sanitize.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

started=$SECONDS
CC=clang CXX=clang++ cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQSTEREO_SANITIZE=ON -DQSTEREO_FUZZ=ON >/dev/null
cmake --build build-sanitize -j "${JOBS:-2}"
ctest --test-dir build-sanitize --output-on-failure -j2

corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
for target in data_file settings_file import_text xlsx; do
    mkdir -p "$corpus/$target"
    cp tests/fuzz/corpus/"$target"/* "$corpus/$target/"
    build-sanitize/tests/fuzz/fuzz_"$target" -max_total_time="${FUZZ_SECONDS:-30}" -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$corpus/" "$corpus/$target" \
        tests/fuzz/reproducers/"$target" 2>&1 | grep -E '^(stat::number_of_executed_units|==|SUMMARY)' || true
    if compgen -G "$corpus/crash-*" >/dev/null || compgen -G "$corpus/leak-*" >/dev/null; then
        echo "fuzz_$target found a fault:" "$corpus"/crash-* "$corpus"/leak-* >&2
        exit 1
    fi
done
echo "sanitizer stage: $((SECONDS - started)) s"
