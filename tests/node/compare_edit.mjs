// Reads a database before and after scripted edits with mdb-reader and checks that exactly the
// edits happened: the edited rows hold their new values, every other row and table is as before.
// Usage: node compare_edit.mjs BEFORE.mdb AFTER.mdb EDITS.json
// EDITS.json: {"table": {"key": "Column", "set": {"key value": {"column": value, ...}, ...},
// "deleted": ["key value", ...], "added": [{"column": value, ...}, ...]}}, every part optional but
// the key; an added row names every column. A value is the JSON of what mdb-reader returns (null
// for Null). Rows are matched by their key, since an edited row may move within the file.
// Prints one line per difference and exits 1 when there is any; exits 2 when a file cannot be read.
import { readFileSync } from "node:fs";
import MDBReader from "mdb-reader";

const [beforeFile, afterFile, editsFile] = process.argv.slice(2);

function open(file) {
  try {
    return new MDBReader(readFileSync(file));
  } catch (error) {
    console.error(`mdb-reader cannot open ${file}: ${error.message}`);
    process.exit(2);
  }
}

const plain = (value) =>
  value instanceof Date ? value.toISOString() : Buffer.isBuffer(value) ? value.toString("hex") : value;
const text = (row) => JSON.stringify(Object.fromEntries(Object.entries(row).map(([k, v]) => [k, plain(v)])));

const before = open(beforeFile);
const after = open(afterFile);
const edits = JSON.parse(readFileSync(editsFile, "utf8"));
const differences = [];
const names = before.getTableNames({ normalTables: true, systemTables: true });
if (JSON.stringify(names) !== JSON.stringify(after.getTableNames({ normalTables: true, systemTables: true })))
  differences.push("the tables differ");

for (const name of names) {
  let old;
  let now;
  try {
    old = before.getTable(name).getData();
    now = after.getTable(name).getData();
  } catch (error) {
    if (name.startsWith("MSys")) continue;
    differences.push(`${name}: cannot read: ${error.message}`);
    continue;
  }
  const edit = edits[name];
  if (!edit) {
    if (JSON.stringify(old.map(text)) !== JSON.stringify(now.map(text)))
      differences.push(`${name}: changed though it was not edited`);
    continue;
  }
  const expected = new Map(old.map((row) => [String(row[edit.key]), { ...row }]));
  for (const [key, values] of Object.entries(edit.set ?? {})) {
    if (!expected.has(key)) differences.push(`${name}: no row ${key} before`);
    else Object.assign(expected.get(key), values);
  }
  for (const key of edit.deleted ?? []) {
    if (!expected.delete(String(key))) differences.push(`${name}: no row ${key} before`);
  }
  for (const row of edit.added ?? []) expected.set(String(row[edit.key]), row);
  const got = new Map(now.map((row) => [String(row[edit.key]), row]));
  if (got.size !== expected.size) differences.push(`${name}: ${expected.size} rows expected, ${got.size} found`);
  for (const [key, row] of expected) {
    if (!got.has(key)) differences.push(`${name} row ${key}: missing`);
    else if (text(got.get(key)) !== text(row)) differences.push(`${name} row ${key}: ${text(got.get(key)).slice(0, 200)}`);
  }
}

for (const line of differences) console.log(line);
process.exit(differences.length ? 1 : 0);
