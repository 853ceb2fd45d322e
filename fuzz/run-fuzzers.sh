#!/usr/bin/env bash
# Seeds and runs every fuzz target of a fuzz build for SECONDS each; stops at the first problem.
#   fuzz/run-fuzzers.sh BUILD_DIR SECONDS [CORPUS_ROOT]
# With CORPUS_ROOT, each target's corpus is kept in CORPUS_ROOT/<target> between runs (what
# `make fuzz` does); without it, the corpora live in a temporary folder.
set -euo pipefail
build=$(cd "${1:?usage: fuzz/run-fuzzers.sh BUILD_DIR SECONDS [CORPUS_ROOT]}" && pwd)
seconds=${2:?usage: fuzz/run-fuzzers.sh BUILD_DIR SECONDS [CORPUS_ROOT]}
cd "$(dirname "$0")/.."

seeds=$(mktemp -d)
trap 'rm -rf "$seeds"' EXIT
corpus_root=${3:-$seeds/corpus}
mkdir -p "$seeds/lines" "$seeds/files" "$corpus_root"

# Plain seeds: the example and test files; the import target's first byte picks the extension
# (0 gff, 1 bed, 2 txt) and, from '3' on, the compact form that expands to many lines.
for file in examples/* tests/files/*; do
    [[ -f "$file" ]] || continue
    base=$(basename "$file")
    head -c 4096 "$file" > "$seeds/lines/$base"
    for selector in 0 1 2; do
        { printf "\\x3$selector"; head -c 4096 "$file"; } > "$seeds/files/$selector-$base"
    done
done
gff_bad='chr1\tsrc\tgene\t300\t200\t0\t+\t.\n'
gff_good='chr1\tsrc\tgene\t1\t2\t0\t+\t.\n'
printf 'chr1\tsrc\tgene\t1\t9\tinf\t+\t.\nchr1\tsrc\tgene\t2\t9\t-inf\t+\t.\nchr1\tsrc\tgene\t3\t9\tnan\t-\t.\nchr1\tsrc\tgene\t4\t9\t1e39\t+\t.\n' \
    > "$seeds/lines/scores.gff"
printf 'chr1 0 10 a inf\r\nchr1 5 20 b -inf\r\n\r\nchr1 6 7 c NaN\r\n' > "$seeds/lines/cr.bed"
{ printf '0'; cat "$seeds/lines/scores.gff"; } > "$seeds/files/scores"
{ printf '1'; cat "$seeds/lines/cr.bed"; } > "$seeds/files/cr"
# Compact (selector '3' = gff, '4' = bed): a two-byte count, then the line to repeat.
{ printf '3\x00\x21'"$gff_bad"'\x00\x02'"$gff_good"; } > "$seeds/files/33-refused"
{ printf '4\x80\x02c%%d 0 10\n'; } > "$seeds/files/32770-names"
{ printf '4\x00\x01chr1 0 10\n\xff\xffAAAAAAAAAAAAAAAAAAAA\x00\x00\x01chr1 5 9\n'; } > "$seeds/files/long-line"
# '9' = gff, compact, and the progress display cancels at the first progress report.
{ printf '9'; for _ in 1 2 3; do printf '\xff\xff'"$gff_good"; done; } > "$seeds/files/cancel"
# 'H' = gff compressed by the target; '\x84' = gff whose text is taken as gzip data as it stands.
for file in examples/*; do
    base=$(basename "$file")
    { printf 'H'; head -c 4096 "$file"; } > "$seeds/files/gz-$base"
    { printf '\x84'; head -c 4096 "$file" | gzip -c; } > "$seeds/files/raw-gz-$base"
done

# From '\xc0' on, the other names of the BED family: byte % 4 picks .bedGraph, .narrowPeak,
# .broadPeak or .bed12.
printf '\xc0track type=bedGraph name=cov\nchr1 0 100 1.5\nchr1 100 100 nan\n' > "$seeds/files/bedgraph"
printf '\xc1chr1\t9\t50\tpeak1\t900\t.\t5.2\t3.3e-82\t2.1\t20\nchr1\t60\t80\t.\t1\t+\t1\t2\t3\t-1\n' \
    > "$seeds/files/narrowpeak"
printf '\xc2chr2\t0\t500\tdomain\t7\t-\t0.5\t12\t9\n' > "$seeds/files/broadpeak"
printf '\xc3track name=m itemRgb="Off"\nchr2 100 1000 tx1 0 + 200 900 0,0,255 3 100,200,100, 0,400,800,\nchr2 100 1000 bad 0 - 50 100 . 2 100,100 0,700\n' \
    > "$seeds/files/bed12"
# '\xc7' = .bed12 in the compact form: 40 lines of blocks that do not fit.
{ printf '\xc7\x00\x28chr1 %%d 100 n 0 + 0 100 0 2 10,10 0,10\n'; } > "$seeds/files/bed12-dropped"
printf 'chr2 100 1000 tx1 0 + 200 900 . 3 100,200,100, 0,400,800,\nchr1 5 5 ins\n' > "$seeds/lines/blocks.bed"

# A kept corpus keeps the seeds too, so that replaying it (for coverage, say) starts from them.
[[ -n ${3:-} ]] && cp -r "$seeds/lines" "$seeds/files" "$corpus_root/"

run() {
    local target=$1 corpus=$2
    shift 2
    local work
    work=$(mktemp -d -p "$seeds")
    mkdir -p "$corpus_root/$target"
    echo "-- $target"
    if ! (cd "$work" && "$build/fuzz/$target" -max_total_time="$seconds" -timeout=30 \
            -rss_limit_mb=4096 -print_final_stats=1 "$@" "$corpus_root/$target" "$corpus" \
            > "$work/log" 2>&1); then
        tail -n 60 "$work/log" >&2
        cp "$work"/crash-* "$work"/timeout-* "$work"/leak-* . 2>/dev/null || true
        echo "$target found a problem (input copied to $(pwd))" >&2
        exit 1
    fi
    grep -E "^stat::(number_of_executed_units|peak_rss_mb)|^Done" "$work/log" || true
}

run gff_reader_fuzz "$seeds/lines" -max_len=8192
run bed_reader_fuzz "$seeds/lines" -max_len=8192
run import_file_fuzz "$seeds/files" -max_len=16384 -len_control=0
run score_summary_fuzz "$seeds/lines" -max_len=4096
run gene_model_linker_fuzz "$seeds/lines" -max_len=16384
run view_arithmetic_fuzz "$seeds/lines" -max_len=1024
