# Windows builds with mingw-w64: i686, the release target, which is only built (this machine cannot
# run 32-bit programs), and x86_64, whose unit tests run under wine64 through CTest.
# Warnings fail the build; Tabrix.exe must need no DLL beyond Windows' own.
set -euo pipefail
if [ -x scripts/fetch-mbedtls ]; then
  scripts/fetch-mbedtls
fi
source scripts/wine-env

for arch in i686 x86_64; do
  echo "== $arch"
  emulator=()
  [ "$arch" = x86_64 ] && emulator=(-DCMAKE_CROSSCOMPILING_EMULATOR="$WINE")
  cmake -S . -B "build/$arch" -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_COMPILE_WARNING_AS_ERROR=ON "${emulator[@]}" > /dev/null
  cmake --build "build/$arch" -j2

  exe="build/$arch/ui/Tabrix.exe"
  imports=$("$arch-w64-mingw32-objdump" -p "$exe" | awk '/DLL Name:/ { print toupper($3) }' | sort -u)
  foreign=$(echo "$imports" | grep -Evx 'KERNEL32.DLL|USER32.DLL|GDI32.DLL|MSVCRT.DLL' || true)
  if [ -n "$foreign" ]; then
    echo "Tabrix.exe ($arch) needs DLLs that Windows does not bring: $foreign" >&2
    exit 1
  fi
  echo "Tabrix.exe ($arch) imports only: $(echo $imports)"
done

ctest --test-dir build/x86_64 --output-on-failure
