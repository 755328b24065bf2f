# Native build (g++) and the unit tests through CTest.
set -euo pipefail
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release -DTABRIX_BENCH=ON > /dev/null
cmake --build build/native -j2
ctest --test-dir build/native --output-on-failure
