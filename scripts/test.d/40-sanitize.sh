# Every native unit test again, built with AddressSanitizer and UndefinedBehaviorSanitizer. Debug, so
# that assertions hold, optimised for debugging (-Og) and with line tables only (-g1): the sanitizers
# check every access as before and their stack traces keep files and lines, and the build takes about
# half the time of -O1 with full debug information (most of it in the JSON library's templates).
set -euo pipefail
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
  -DCMAKE_CXX_FLAGS="-Og -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" > /dev/null
cmake --build build/asan -j2
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build/asan --output-on-failure
