#!/usr/bin/env bash
# jetdb's failures: each is exactly one line on standard error and a non-zero exit status.
# Usage: jetdb_errors.sh JETDB DATA_DIR
set -uo pipefail
jetdb=$1
data=$2
failures=0
check() {
  local expected=$1
  shift
  local err
  err=$("$jetdb" "$@" 2>&1 >/dev/null)
  local status=$?
  if ((status == 0)); then
    echo "FAIL: jetdb $* succeeded" >&2
    failures=$((failures + 1))
  elif [[ $(printf '%s\n' "$err" | wc -l) -ne 1 || $err != *"$expected"* ]]; then
    echo "FAIL: jetdb $*: expected one line with '$expected', got: $err" >&2
    failures=$((failures + 1))
  fi
}
check "Could not find file" tables /nonexistent.mdb
check "Unrecognized database format" tables "$0"
check "Not a valid password." tables "$data/ucanaccess_password.mdb"
check "Not a valid password." export --password wrong "$data/mdbreader_V2003_with-password.mdb" Table1
check "cannot find the input table or query 'Nope'" export "$data/mdbtestdata_nwind.mdb" Nope
check "linked from another database" export "$data/ucanaccess_linked.mdb" table2
check "unknown binary mode" export -b base64 "$data/mdbtestdata_nwind.mdb" Orders
check "expected FILE and TABLE" export "$data/mdbtestdata_nwind.mdb"
check "unknown command" frobnicate
# Outside text is checked and quoted: one line whatever a path holds, no statement read from
# bytes that are not text.
check "Could not find file '/nonexistent\\x0Aname.mdb'" tables $'/nonexistent\nname.mdb'
check "the statement is not valid UTF-8" query "$data/mdbtestdata_nwind.mdb" $'SELECT * FROM Orders WHERE ShipName = \'\xFF\''
# Files cut short (2 KB pages): a page named past the end is corruption, with where it was named.
cut=$(mktemp -d)
trap 'rm -rf "$cut"' EXIT
head -c $((292 * 4096)) "$data/mdbtestdata_nwind.mdb" >"$cut/catalog.mdb"
head -c $((733 * 2048)) "$data/mdbtestdata_nwind.mdb" >"$cut/half.mdb"
check "beyond the end of the file (584 pages). (table 'MSysObjects', usage map)" tables "$cut/catalog.mdb"
check "(table 'Umsätze', definition page 753)" export "$cut/half.mdb" "Umsätze"
check "(table 'Umsätze', definition page 753)" query "$cut/half.mdb" "SELECT * FROM Umsätze"
exit $((failures > 0))
