# GUI tests: the real Tabrix.exe of the x86_64 build under wine64 on a virtual display, driven by
# test_gui.exe from outside its process. Needs 20-windows.sh to have built them.
set -euo pipefail
source scripts/wine-env
cmake --build build/x86_64 -j2 --target Tabrix test_gui
start_virtual_display
trap '$WINESERVER -k 2> /dev/null || true; stop_virtual_display' EXIT
$WINE build/x86_64/ui/test_gui.exe
