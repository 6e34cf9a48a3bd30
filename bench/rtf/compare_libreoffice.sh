#!/usr/bin/env bash
# Runs the RTF benchmark, then converts the same generated files with LibreOffice for
# comparison when it is installed (it is not a dependency; the comparison is skipped without it).
#   bench/rtf/compare_libreoffice.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/bin/bench_rtf" "$work"

soffice=$(command -v soffice || command -v libreoffice || true)
if [ -z "$soffice" ]; then
    echo "LibreOffice: not installed, comparison skipped"
    exit 0
fi
profile="-env:UserInstallation=file://$work/profile"
"$soffice" "$profile" --headless --convert-to odt --outdir "$work/warm" "$work/hundred.rtf" >/dev/null 2>&1 || true
time_it() {
    local start end
    start=$(date +%s.%N)
    "$soffice" "$profile" --headless --convert-to "$1" --outdir "$work/lo" "$2" >/dev/null 2>&1
    end=$(date +%s.%N)
    echo "$end - $start" | bc
}
big_mb=$(echo "scale=1; $(stat -c %s "$work/big.rtf") / 1048576" | bc)
echo "LibreOffice: big.rtf ($big_mb MB) -> odt: $(time_it odt "$work/big.rtf") s (includes start-up)"
echo "LibreOffice: hundred.rtf -> pdf: $(time_it pdf "$work/hundred.rtf") s (includes start-up)"
