# Each libFuzzer target for a bounded time.
set -euo pipefail
scripts/fuzz "${TABRIX_FUZZ_SECONDS:-20}"
