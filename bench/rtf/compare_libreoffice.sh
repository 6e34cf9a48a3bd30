#!/usr/bin/env bash
# Runs the RTF benchmark, then converts the same generated files, and the RTF corpus beside the
# project, with quillon-rtf and with LibreOffice for comparison when it is installed (it is not
# a dependency; the comparison is skipped without it). Whole-process times on both sides.
#   bench/rtf/compare_libreoffice.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
corpus=$(dirname "$0")/../../../shared/rtf-corpus

"$build/bin/bench_rtf" "$work"

elapsed() { # command...: seconds it took
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    echo "$end - $start" | bc
}
mb() { echo "scale=1; $(stat -c %s "$1") / 1000000" | bc; }
files=()
[ -d "$corpus" ] && mapfile -t files < <(find "$corpus" -name '*.rtf' | sort)

echo "quillon-rtf: big.rtf ($(mb "$work/big.rtf") MB) -> rtf: $(elapsed "$build/bin/quillon-rtf" rtf "$work/big.rtf" "$work/q.rtf") s"
echo "quillon-rtf: hundred.rtf -> pdf: $(elapsed "$build/bin/quillon-rtf" pdf "$work/hundred.rtf" "$work/q.pdf") s"
echo "quillon-rtf: ledger.rtf -> pdf: $(elapsed "$build/bin/quillon-rtf" pdf "$work/ledger.rtf" "$work/q.pdf") s"
if [ ${#files[@]} -gt 0 ]; then
    start=$(date +%s.%N)
    for f in "${files[@]}"; do "$build/bin/quillon-rtf" text "$f" >/dev/null 2>&1 || true; done
    end=$(date +%s.%N)
    echo "quillon-rtf: ${#files[@]} corpus files -> text, one process each: $(echo "$end - $start" | bc) s"
fi

soffice=$(command -v soffice || command -v libreoffice || true)
if [ -z "$soffice" ]; then
    echo "LibreOffice: not installed, comparison skipped"
    exit 0
fi
profile="-env:UserInstallation=file://$work/profile"
lo() { "$soffice" "$profile" --headless --convert-to "$1" --outdir "$work/lo" "${@:2}"; }
lo odt "$work/hundred.rtf" >/dev/null 2>&1 || true # first start: makes the profile
echo "LibreOffice: big.rtf -> odt: $(elapsed lo odt "$work/big.rtf") s (includes start-up)"
echo "LibreOffice: hundred.rtf -> pdf: $(elapsed lo pdf "$work/hundred.rtf") s (includes start-up)"
echo "LibreOffice: ledger.rtf -> pdf: $(elapsed lo pdf "$work/ledger.rtf") s (includes start-up)"
if [ ${#files[@]} -gt 0 ]; then
    echo "LibreOffice: ${#files[@]} corpus files -> txt, one start: $(elapsed lo txt:Text "${files[@]}") s"
fi
