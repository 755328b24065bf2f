# The two downloads: scripts/package once, then what each zip holds: the four files, checksums that
# match, both programs of the zip's format (PE32 in win32, PE32+ in win64) importing only Windows' own
# DLLs, and byte for byte the programs that 20-windows.sh and 30-gui.sh test.
set -euo pipefail
zips=$(scripts/package | tail -n 2)
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
for zip in $zips; do
  case "$zip" in
    *-win32.zip) arch=i686 ;;
    *-win64.zip) arch=x86_64 ;;
    *) echo "unexpected download $zip" >&2; exit 1 ;;
  esac
  contents=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
  if [ "$contents" != "README.txt SHA256SUMS Tabrix.exe tabrix-cli.exe " ]; then
    echo "$zip holds: $contents" >&2
    exit 1
  fi
  rm -rf "${dir:?}"/*
  unzip -q "$zip" -d "$dir"
  (cd "$dir" && sha256sum --quiet -c SHA256SUMS)
  scripts/pe-check "$arch" "$dir/Tabrix.exe" "$dir/tabrix-cli.exe"
  cmp "$dir/Tabrix.exe" "build/$arch/ui/Tabrix.exe"
  cmp "$dir/tabrix-cli.exe" "build/$arch/cli/tabrix-cli.exe"
  echo "$zip: $contents"
done
[ "$(echo "$zips" | wc -w)" -eq 2 ] || { echo "scripts/package wrote: $zips" >&2; exit 1; }
