# Windows builds with mingw-w64: i686, the release, and x86_64. Warnings fail the build; Tabrix.exe and
# tabrix-cli.exe must need no DLL beyond Windows' own. The i686 unit tests run under 32-bit Wine through
# CTest, so that what the release zip holds is what was tested; of the x86_64 build only the self-test of
# its tabrix-cli.exe runs, under wine64. Where 32-bit programs cannot run, the x86_64 tests run instead.
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
  cmake --build "build/$arch" -j2
  scripts/pe-check "$arch" "build/$arch/ui/Tabrix.exe" "build/$arch/cli/tabrix-cli.exe"
done

if [ "$TEST_ARCH" = i686 ]; then
  ctest --test-dir build/i686 --output-on-failure
  ctest --test-dir build/x86_64 --output-on-failure -R '^cli_selftest$'
else
  echo "$NO_32BIT_REASON"
  ctest --test-dir build/x86_64 --output-on-failure
fi
