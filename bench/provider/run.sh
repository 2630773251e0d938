#!/usr/bin/env bash
# Builds and runs the search and start-up benchmarks: in-process figures for the engine against
# SQLite's library, the data components' re-query and opening, the same search on 10000 and
# 100000 records, then whole-command timings (median of RUNS runs) of jetdb query, mdb-sql and
# the sqlite3 shell on the same statements, each with the row count it returned; last, every
# figure beside its reference and the load it was taken at, as Markdown tables to paste
# (bench/provider/figures.py).
#
# The synthetic databases are built once (a minute and 1.4 GB) into VELMORA_BENCH_DATA, which
# several work trees may share.
set -euo pipefail

cd "$(dirname "$0")/../.."
RUNS=${RUNS:-7}
PATTERN=${PATTERN:-مع}
TABLE=kolliyat
build=build-bench
data=${VELMORA_BENCH_DATA:-$PWD/$build/bench-data}
mdb=$data/synth100000.mdb
small=$data/synth10000.mdb
lite=$mdb.$TABLE.sqlite

for tool in mdb-sql sqlite3 python3 /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "run.sh: $tool is missing (tools/setup.sh installs it)" >&2; exit 1; }
done

cmake --preset bench -DVELMORA_BENCH_DATA="$data" >/dev/null
cmake --build --preset bench --target jetdb provider_bench requery_bench open_bench
[ -f "$small" ] || "$build/bin/jetdb" synth 10000 "$small"

# Medians of five repetitions; the processor time is the steadier figure on a shared machine.
repeat=(--benchmark_min_time=1 --benchmark_repetitions=5 --benchmark_report_aggregates_only=true)

# What the figures are made from, removed at exit.
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# Notes the one-minute load average before the figures named $1 are taken.
note_load() { echo "$1 $(cut -d' ' -f1 /proc/loadavg)" >>"$out/loads"; }
# Runs benchmark program $2 with the arguments after it (they may override the repetitions),
# its median figures kept as $1.json.
bench() {
  local name=$1 program=$2
  shift 2
  note_load "$name"
  "$build/bin/$program" "${repeat[@]}" "$@" --benchmark_out="$out/$name.json" \
    --benchmark_out_format=json
}

echo
echo "== in process (Google Benchmark), 100000 records =="
bench large provider_bench --mdb="$mdb" --sqlite="$lite" --table=$TABLE --pattern="$PATTERN" "$@"
bench requery requery_bench --mdb="$mdb" --pattern="$PATTERN" "$@"
bench open open_bench --mdb="$mdb" "$@" | tee "$out/open.txt"

echo
echo "== the same searches on 10000 records =="
bench small provider_bench --mdb="$small" --table=$TABLE --pattern="$PATTERN" \
  --benchmark_filter=Statement "$@"

search="SELECT * FROM $TABLE where kholase like '%$PATTERN%'"
scan="SELECT * FROM $TABLE"

# Each side runs one statement, its own command alone measured ($timer is empty or a timer).
timer=()
jetdb_run() { "${timer[@]}" "$build/bin/jetdb" query "$mdb" "$1"; }
mdbsql_run() { "${timer[@]}" mdb-sql -P "$mdb" < <(printf '%s\n' "$1"); }
sqlite_run() { "${timer[@]}" sqlite3 -csv -header "$lite" "$1"; }

csv_rows() { python3 -c 'import csv, sys; print(sum(1 for _ in csv.reader(sys.stdin)) - 1)'; }
jetdb_rows() { jetdb_run "$1" | csv_rows; }
mdbsql_rows() { mdbsql_run "$1" | sed -n 's/^\([0-9]*\) Rows retrieved$/\1/p'; }
sqlite_rows() { sqlite_run "$1" | csv_rows; }

# "WALL CPU": the medians, in milliseconds, of the wall time and of the processor time (user
# plus system) of RUNS runs of "$1 $2", output discarded. The processor time is the steadier
# figure on a machine shared with other work.
medians_ms() {
  local walls=() cpus=() line
  for ((i = 0; i < RUNS; i++)); do
    timer=(/usr/bin/time -f '%e %U %S' -o "$times_file")
    "$1" "$2" >/dev/null
    timer=()
    read -r wall user sys <"$times_file"
    walls+=("$(awk -v t="$wall" 'BEGIN { printf "%d", t * 1000 }')")
    cpus+=("$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%d", (u + s) * 1000 }')")
  done
  median() { printf '%s\n' "$@" | sort -n | sed -n "$(((RUNS + 1) / 2))p"; }
  echo "$(median "${walls[@]}") $(median "${cpus[@]}")"
}
times_file=$out/times

echo
echo "== whole commands: median of $RUNS runs =="
printf '%-8s %-14s %9s %9s %8s\n' work command "wall ms" "cpu ms" rows
for work in scan search; do
  sql=${!work}
  for side in jetdb mdbsql sqlite; do
    case $side in
      jetdb) name="jetdb query" ;;
      mdbsql) name="mdb-sql" ;;
      sqlite) name="sqlite3" ;;
    esac
    load=$(cut -d' ' -f1 /proc/loadavg)
    read -r wall cpu < <(medians_ms "${side}_run" "$sql")
    rows=$("${side}_rows" "$sql")
    printf '%-8s %-14s %9s %9s %8s\n' "$work" "$name" "$wall" "$cpu" "$rows"
    echo "$work ${name// /-} $wall $cpu $rows $load" >>"$out/commands"
  done
done

echo
echo "== the figures, each beside its reference =="
python3 bench/provider/figures.py "$out"
