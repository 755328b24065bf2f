# GUI tests: the real Tabrix.exe of each Windows build under Wine on a virtual display, driven by
# test_gui.exe from outside its process: the i686 release under 32-bit Wine, where 32-bit programs run,
# and the x86_64 build under wine64. Needs 20-windows.sh to have built them.
set -euo pipefail
source scripts/wine-env
archs="i686 x86_64"
if [ -n "$NO_32BIT_REASON" ]; then
  echo "$NO_32BIT_REASON"
  archs=x86_64
fi
start_virtual_display
trap 'stop_wine_server; stop_virtual_display' EXIT
start_wine_server
for arch in $archs; do
  echo "== $arch"
  wine=$WINE
  [ "$arch" = i686 ] && wine=$WINE32
  cmake --build "build/$arch" -j2 --target Tabrix test_gui
  $wine "build/$arch/ui/test_gui.exe"
done
