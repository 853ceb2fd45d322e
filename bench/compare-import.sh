#!/usr/bin/env bash
# Whole-process import and export next to the plain read loop, on the same files in the same run:
#   bench/compare-import.sh BUILD_DIR [RUNS] FILE...
# For each file, RUNS times in turn (default 5): `plain_read_loop FILE`, `locuscope --report FILE`
# and `locuscope --export OUT --select-all FILE`. Prints the medians of the wall-clock seconds
# and of the peak resident memory, the import's speed as a fraction of the plain loop's
# (plain / report: 1.0 is as fast as the loop), memory per byte of file and per feature, and
# the export's time as a multiple of the import's. Runs alternate so that other load on the
# machine falls on all three alike; LOCUSCOPE_IMPORT_THREADS is passed through.
set -euo pipefail
build=${1:?usage: bench/compare-import.sh BUILD_DIR [RUNS] FILE...}
shift
runs=5
if [[ ${1:-} =~ ^[0-9]+$ ]]; then
    runs=$1
    shift
fi
(($# > 0)) || { echo "usage: bench/compare-import.sh BUILD_DIR [RUNS] FILE..." >&2; exit 2; }
locuscope="$build/locuscope"
plain="$build/bench/plain_read_loop"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Runs a command with its output discarded; appends "SECONDS KILOBYTES" to the file $1.
measure() {
    local into=$1
    shift
    /usr/bin/time -f "%e %M" -o "$scratch/time" "$@" > /dev/null 2> "$scratch/stderr" || {
        echo "failed: $*" >&2
        tail -n 5 "$scratch/stderr" >&2
        exit 1
    }
    cat "$scratch/time" >> "$into"
}

# The median of column $2 of file $1.
median() {
    sort -g -k "$2,$2" "$1" | awk -v col="$2" '{ v[NR] = $col } END { print v[int((NR + 1) / 2)] }'
}

echo "uptime: $(uptime)"
echo "import threads: ${LOCUSCOPE_IMPORT_THREADS:-all cores} of $(nproc)"
printf '%-28s %8s %10s %9s %9s %8s %7s %9s %8s %9s %8s\n' file MB features plain_s report_s \
    report_MB ratio rss/file B/feature export_s exp/rep
for file in "$@"; do
    : > "$scratch/plain"
    : > "$scratch/report"
    : > "$scratch/export"
    for ((run = 0; run < runs; ++run)); do
        measure "$scratch/plain" "$plain" "$file"
        measure "$scratch/report" "$locuscope" --report "$file"
        rm -f "$scratch/out.gff"
        measure "$scratch/export" "$locuscope" --export "$scratch/out.gff" --select-all "$file"
    done
    features=$("$locuscope" --report "$file" 2> /dev/null | awk '$1 == "features" { print $2 }')
    bytes=$(stat -c %s "$file")
    plain_s=$(median "$scratch/plain" 1)
    report_s=$(median "$scratch/report" 1)
    report_kb=$(median "$scratch/report" 2)
    export_s=$(median "$scratch/export" 1)
    awk -v name="$(basename "$file")" -v bytes="$bytes" -v features="$features" \
        -v plain="$plain_s" -v report="$report_s" -v kb="$report_kb" -v exported="$export_s" 'BEGIN {
        printf "%-28s %8.1f %10d %9.2f %9.2f %9.0f %7.2f %8.2f %9.1f %9.2f %8.2f\n",
            name, bytes / 1e6, features, plain, report, kb / 1024, plain / report,
            kb * 1024 / bytes, kb * 1024 / features, exported, exported / report }'
done
