# GUI tests: the real Tabrix.exe of the build under test (i686, the release, where 32-bit programs run)
# under Wine on a virtual display, driven by test_gui.exe from outside its process. Needs 20-windows.sh
# to have built them.
set -euo pipefail
source scripts/wine-env
[ -z "$NO_32BIT_REASON" ] || echo "$NO_32BIT_REASON"
cmake --build "build/$TEST_ARCH" -j2 --target Tabrix test_gui
start_virtual_display
trap '$WINESERVER -k 2> /dev/null || true; stop_virtual_display' EXIT
$TEST_WINE "build/$TEST_ARCH/ui/test_gui.exe"
