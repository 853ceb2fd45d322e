#!/usr/bin/env bash
# Generates the benchmark inputs under bench-data/ when missing and runs the benchmarks.
#   bench/run-benchmarks.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: bench/run-benchmarks.sh BUILD_DIR}
data=bench-data
mkdir -p "$data"

gff="$data/gencode_like_1200k.gff"
gff1m="$data/gencode_like_1000k.gff"
models="$data/gene_models_1000k.gff"
bed="$data/peaks_10m.bed"
names="$data/gencode_like_3000k.gff"
[[ -s "$gff" ]] || "$build/bench/bench_generate" gff "$gff" 1200000
[[ -s "$gff1m" ]] || "$build/bench/bench_generate" gff "$gff1m" 1000000
[[ -s "$models" ]] || "$build/bench/bench_generate" models "$models" 1000000
[[ -s "$names" ]] || "$build/bench/bench_generate" gff "$names" 3000000
[[ -s "$bed" ]] || "$build/bench/bench_generate" bed "$bed" 10000000
# The GFF as annotation is published: gzip-compressed. Importing it should take no longer than
# decompressing it with gzip plus importing the plain file.
gz="$gff.gz"
[[ -s "$gz" ]] || gzip -c "$gff" > "$gz"
ls -l "$gff" "$gz" "$bed" "$names"
TIMEFORMAT='gzip -dc: %R s'
time gzip -dc "$gz" > /dev/null

# Whole processes: --report and --export next to the plain read loop, on all cores and on one.
bench/compare-import.sh "$build" "$gff1m" "$bed"
LOCUSCOPE_IMPORT_THREADS=1 bench/compare-import.sh "$build" "$gff1m" "$bed"
"$build/bench/import_benchmark" "$gff" "$gz" "$bed"
"$build/bench/gene_model_benchmark" "$models" "$gff"
"$build/bench/render_benchmark" "$models"
"$build/bench/pane_selector_benchmark"
"$build/bench/idle_benchmark"
"$build/bench/undo_benchmark"
"$build/bench/search_export_benchmark" "$gff" "$bed"
"$build/bench/name_lookup_benchmark" "$names"
