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

# Plain seeds: the example and test files. The import target's first byte picks the name
# (bits 0-2: 0 gff, 1 bed, 2 txt, 3 bedGraph, 4 narrowPeak, 5 broadPeak, 6 bed12, 7 gtf), a
# ".gz" ending (bit 3), the storage (bits 4-5: 1 gzip-compressed by the target, 2 the rest
# behind gzip's first two bytes), a cancel at the first progress report (bit 6) and a memory
# budget of a few kilobytes (bit 7); see fuzz/import_file_fuzz.cpp.
for file in examples/* tests/files/*; do
    [[ -f "$file" ]] || continue
    base=$(basename "$file")
    head -c 4096 "$file" > "$seeds/lines/$base"
    for selector in 00 01 02; do
        { printf "\\x$selector"; head -c 4096 "$file"; } > "$seeds/files/$selector-$base"
    done
done
gff_bad='chr1\tsrc\tgene\t300\t200\t0\t+\t.\n'
gff_good='chr1\tsrc\tgene\t1\t2\t0\t+\t.\n'
printf 'chr1\tsrc\tgene\t1\t9\tinf\t+\t.\nchr1\tsrc\tgene\t2\t9\t-inf\t+\t.\nchr1\tsrc\tgene\t3\t9\tnan\t-\t.\nchr1\tsrc\tgene\t4\t9\t1e39\t+\t.\n' \
    > "$seeds/lines/scores.gff"
printf 'chr1 0 10 a inf\r\nchr1 5 20 b -inf\r\n\r\nchr1 6 7 c NaN\r\n' > "$seeds/lines/cr.bed"
{ printf '\x00'; cat "$seeds/lines/scores.gff"; } > "$seeds/files/scores"
{ printf '\x01'; cat "$seeds/lines/cr.bed"; } > "$seeds/files/cr"
# Classic Mac line ends with a blank line, a UTF-8 byte-order mark, UTF-16 text.
printf '\x00chr1\tsrc\tgene\t1\t9\t0\t+\t.\r\rchr1\tsrc\tgene\t2\t9\t0\t+\t.\r' > "$seeds/files/mac"
printf '\x01\xef\xbb\xbfchr1 0 10\n' > "$seeds/files/mark"
printf '\x01\xff\xfec\x00h\x00r\x001\x00' > "$seeds/files/utf16"
# The limits the target sets: 33 lines with the end before the start, 17 chromosome names, a
# line over 256 bytes, 300 lines (progress and cancel, bit 6), 20 tracks (memory, bit 7).
{ printf '\x00'; for _ in $(seq 33); do printf "$gff_bad"; done; printf "$gff_good$gff_good"; } \
    > "$seeds/files/33-refused"
{ printf '\x01'; for i in $(seq 17); do printf 'c%d 0 10\n' "$i"; done; } > "$seeds/files/17-names"
{ printf '\x01chr1 0 10\n'; head -c 300 /dev/zero | tr '\0' A; printf '\nchr1 5 9\n'; } \
    > "$seeds/files/long-line"
{ printf '\x40'; for _ in $(seq 300); do printf "$gff_good"; done; } > "$seeds/files/cancel"
{ printf '\x80'; for i in $(seq 20); do printf 'chr1\tsrc\ttype%d\t1\t9\t0\t+\t.\n' "$i"; done; } \
    > "$seeds/files/memory"
# '\x10' = gff compressed by the target; '\x20' = gff as gzip data behind gzip's first two bytes;
# '\x08' = plain gff under a ".gz" name.
for file in examples/*; do
    base=$(basename "$file")
    { printf '\x10'; head -c 4096 "$file"; } > "$seeds/files/gz-$base"
    { printf '\x20'; head -c 4096 "$file" | gzip -c | tail -c +3; } > "$seeds/files/raw-gz-$base"
    { printf '\x08'; head -c 4096 "$file"; } > "$seeds/files/gz-name-$base"
done

# The other names of the BED family.
printf '\x03track type=bedGraph name=cov\nchr1 0 100 1.5\nchr1 100 100 nan\n' > "$seeds/files/bedgraph"
printf '\x04chr1\t9\t50\tpeak1\t900\t.\t5.2\t3.3e-82\t2.1\t20\nchr1\t60\t80\t.\t1\t+\t1\t2\t3\t-1\n' \
    > "$seeds/files/narrowpeak"
printf '\x05chr2\t0\t500\tdomain\t7\t-\t0.5\t12\t9\n' > "$seeds/files/broadpeak"
printf '\x06track name=m itemRgb="Off"\nchr2 100 1000 tx1 0 + 200 900 0,0,255 3 100,200,100, 0,400,800,\nchr2 100 1000 bad 0 - 50 100 . 2 100,100 0,700\n' \
    > "$seeds/files/bed12"
# 40 lines of blocks that do not fit.
{ printf '\x06'; for i in $(seq 40); do printf 'chr1 %d 100 n 0 + 0 100 0 2 10,10 0,10\n' "$i"; done; } \
    > "$seeds/files/bed12-dropped"
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
# The same files, their first byte read as fuzz/parallel_import_fuzz.cpp says.
run parallel_import_fuzz "$seeds/files" -max_len=8192 -len_control=0
run gene_model_linker_fuzz "$seeds/lines" -max_len=16384
run view_arithmetic_fuzz "$seeds/lines" -max_len=1024
