# The release zip: scripts/package once, then what it holds: the four files, checksums that match, both
# programs 32-bit (PE32) importing only Windows' own DLLs, and byte for byte the i686 programs that
# 20-windows.sh tested.
set -euo pipefail
zip=$(scripts/package | tail -n 1)
contents=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
if [ "$contents" != "README.md SHA256SUMS Tabrix.exe tabrix-cli.exe " ]; then
  echo "$zip holds: $contents" >&2
  exit 1
fi
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
unzip -q "$zip" -d "$dir"
(cd "$dir" && sha256sum --quiet -c SHA256SUMS)
scripts/pe-check i686 "$dir/Tabrix.exe" "$dir/tabrix-cli.exe"
cmp "$dir/Tabrix.exe" build/i686/ui/Tabrix.exe
cmp "$dir/tabrix-cli.exe" build/i686/cli/tabrix-cli.exe
echo "$zip: $contents"
