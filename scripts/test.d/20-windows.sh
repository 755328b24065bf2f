# Windows builds with mingw-w64: i686, the release, and x86_64, the 64-bit download. Warnings fail the
# build; Tabrix.exe and tabrix-cli.exe must need no DLL beyond Windows' own. The i686 unit tests run
# under 32-bit Wine through CTest, so that what the release zip holds is what was tested; of the x86_64
# build the console program's tests run under wine64 (its window's tests are in 30-gui.sh), so only the
# programs, the console tests and the GUI test driver are built for it. Where 32-bit programs cannot
# run, every x86_64 test runs instead.
set -euo pipefail
if [ -x scripts/fetch-mbedtls ]; then
  scripts/fetch-mbedtls
fi
source scripts/wine-env

for arch in i686 x86_64; do
  echo "== $arch"
  emulator=$WINE
  [ "$arch" = i686 ] && emulator=$WINE32
  cmake -S . -B "build/$arch" -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DCMAKE_CROSSCOMPILING_EMULATOR="$emulator" > /dev/null
  if [ "$arch" = x86_64 ] && [ "$TEST_ARCH" = i686 ]; then
    cmake --build "build/$arch" -j2 --target Tabrix tabrix-cli test_gui
  else
    cmake --build "build/$arch" -j2
  fi
  scripts/pe-check "$arch" "build/$arch/ui/Tabrix.exe" "build/$arch/cli/tabrix-cli.exe"
done

start_wine_server
trap stop_wine_server EXIT
if [ "$TEST_ARCH" = i686 ]; then
  ctest --test-dir build/i686 --output-on-failure
  ctest --test-dir build/x86_64 --output-on-failure -R '^cli_'
else
  echo "$NO_32BIT_REASON"
  ctest --test-dir build/x86_64 --output-on-failure
fi
