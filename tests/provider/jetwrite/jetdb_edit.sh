#!/usr/bin/env bash
# jetdb edit on a copy of the sample database: mdb-export and mdb-reader show exactly the edits,
# the row counts are right, every other table and the schema are byte-identical; a failing script
# leaves the file as it was.
# Usage: jetdb_edit.sh JETDB SAMPLE.mdb SOURCE_DIR
set -uo pipefail
jetdb=$1
sample=$2
source=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
for tool in mdb-export mdb-schema mdb-tables node; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed: run tools/setup.sh" >&2; exit 1; }
done

# The records of a table, one per line of awk's with RS=$'\036', fields split by $'\037'.
records() { mdb-export -H -Q -d $'\037' -R $'\036' "$1" "$2"; }
count() { records "$1" "$2" | tr -cd '\036' | wc -c; }
# Whether a record of table $2 in file $1 starts with $3.
has() { records "$1" "$2" | awk -v RS=$'\036' -v p="$3" 'index($0, p) == 1 { found = 1 } END { exit !found }'; }

cp "$sample" "$work/before.mdb"
cp "$sample" "$work/edited.mdb"
tables=$(mdb-tables -1 "$work/before.mdb")
long=$(printf 'پاسخ تازه با ی و ک، %.0s' $(seq 600))
next_id=$(( $(count "$work/before.mdb" ejaz) + 1 ))
rows_elm=$(count "$work/before.mdb" elm)
printf '%s\n' \
  "# a grown answer, a new title, an inserted and a deleted row, in one transaction" \
  "begin" \
  $'update\tkolliyat\tid=1\tpasokh='"$long"$'\tkholase=عنوان تازه' \
  $'insert\tejaz\tkholase=پرسش نو\tporsesh=چرا؟\tpasokh=\\N' \
  $'delete\telm\tid=2' \
  "commit" \
  $'update\tvahy\tid=3\tpavaraghi=کوتاه' >"$work/script"
"$jetdb" edit "$work/edited.mdb" <"$work/script" || fail "jetdb edit failed"

[[ $(mdb-schema "$work/before.mdb") == "$(mdb-schema "$work/edited.mdb")" ]] || fail "mdb-schema changed"
for table in $tables; do
  case $table in kolliyat | ejaz | elm | vahy) continue ;; esac
  cmp -s <(mdb-export "$work/before.mdb" "$table") <(mdb-export "$work/edited.mdb" "$table") ||
    fail "table $table changed"
done
records "$work/edited.mdb" kolliyat | awk -v RS=$'\036' -F $'\037' -v long="$long" \
  '$1 == 1 && $2 == "عنوان تازه" && $4 == long { found = 1 } END { exit !found }' ||
  fail "mdb-export does not show the new answer and title"
[[ $(count "$work/edited.mdb" ejaz) == "$next_id" ]] || fail "ejaz has not one more row"
has "$work/edited.mdb" ejaz "$next_id"$'\037پرسش نو\037چرا؟' || fail "mdb-export does not show the inserted row"
[[ $(count "$work/edited.mdb" elm) == $((rows_elm - 1)) ]] || fail "elm has not one row less"
has "$work/edited.mdb" elm $'2\037' && fail "the deleted row is still there"

cat >"$work/edits.json" <<JSON
{"kolliyat": {"key": "id", "set": {"1": {"pasokh": "$long", "kholase": "عنوان تازه"}}},
 "ejaz": {"key": "id", "added": [{"id": $next_id, "kholase": "پرسش نو", "porsesh": "چرا؟", "pasokh": null, "pavaraghi": null}]},
 "elm": {"key": "id", "deleted": ["2"]},
 "vahy": {"key": "id", "set": {"3": {"pavaraghi": "کوتاه"}}}}
JSON
node "$source/tests/node/compare_edit.mjs" "$work/before.mdb" "$work/edited.mdb" "$work/edits.json" ||
  fail "mdb-reader does not show exactly the edits"

# A failing line ends the run before its transaction is committed: nothing changes.
cp "$work/edited.mdb" "$work/kept.mdb"
printf '%s\n' "begin" $'update\tkolliyat\tid=1\tkholase=بی‌اثر' $'update\tkolliyat\tid=1\tnope=1' "commit" |
  "$jetdb" edit "$work/edited.mdb" 2>"$work/error" && fail "a bad script succeeded"
[[ $(wc -l <"$work/error") == 1 ]] || fail "the failure is not one line: $(cat "$work/error")"
cmp -s "$work/kept.mdb" "$work/edited.mdb" || fail "a failed script changed the file"

((failures == 0)) && echo "jetdb edit: all checks passed"
exit $((failures > 0))
