#!/usr/bin/env bash
# Installs what is missing, checks that no #include runs up the layers, builds, and runs the whole
# test suite twice: once as built, once with AddressSanitizer and UndefinedBehaviorSanitizer;
# then runs the fuzz target for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
python3 scripts/check-layers.py

cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default

cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan

# The charge-file reader under libFuzzer (clang), about 30 seconds.
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz
