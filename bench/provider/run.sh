#!/usr/bin/env bash
# Builds and runs the provider benchmarks: in-process figures for the engine and SQLite's
# library, then whole-command timings (median of RUNS runs) of jetdb query, mdb-sql and the
# sqlite3 shell on the same statements, each with the row count it returned.
set -euo pipefail

cd "$(dirname "$0")/../.."
RUNS=${RUNS:-7}
PATTERN=${PATTERN:-مع}
TABLE=kolliyat
build=build-bench
mdb=$build/bench-data/synth100000.mdb
lite=$mdb.$TABLE.sqlite

for tool in mdb-sql sqlite3 python3; do
  command -v "$tool" >/dev/null || { echo "run.sh: $tool is missing (tools/setup.sh installs it)" >&2; exit 1; }
done

cmake --preset bench >/dev/null
cmake --build --preset bench --target jetdb provider_bench

echo
echo "== in process (Google Benchmark) =="
"$build/bin/provider_bench" --mdb="$mdb" --sqlite="$lite" --table=$TABLE --pattern="$PATTERN" \
  --benchmark_min_time=1 "$@"

search="SELECT * FROM $TABLE where kholase like '%$PATTERN%'"
scan="SELECT * FROM $TABLE"

jetdb_run() { "$build/bin/jetdb" query "$mdb" "$1"; }
mdbsql_run() { printf '%s\n' "$1" | mdb-sql -P "$mdb"; }
sqlite_run() { sqlite3 -csv -header "$lite" "$1"; }

csv_rows() { python3 -c 'import csv, sys; print(sum(1 for _ in csv.reader(sys.stdin)) - 1)'; }
jetdb_rows() { jetdb_run "$1" | csv_rows; }
mdbsql_rows() { mdbsql_run "$1" | sed -n 's/^\([0-9]*\) Rows retrieved$/\1/p'; }
sqlite_rows() { sqlite_run "$1" | csv_rows; }

# Median wall time in milliseconds of RUNS runs of "$1 $2", output discarded.
median_ms() {
  local times=() start end
  for ((i = 0; i < RUNS; i++)); do
    start=$(date +%s%N)
    "$1" "$2" >/dev/null
    end=$(date +%s%N)
    times+=($(((end - start) / 1000000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((RUNS + 1) / 2))p"
}

echo
echo "== whole commands: median of $RUNS runs, wall time =="
printf '%-8s %-18s %10s %8s\n' work command ms rows
for work in scan search; do
  sql=${!work}
  for side in jetdb mdbsql sqlite; do
    case $side in
      jetdb) name="jetdb query" ;;
      mdbsql) name="mdb-sql" ;;
      sqlite) name="sqlite3" ;;
    esac
    ms=$(median_ms "${side}_run" "$sql")
    rows=$("${side}_rows" "$sql")
    printf '%-8s %-18s %10s %8s\n' "$work" "$name" "$ms" "$rows"
  done
done
