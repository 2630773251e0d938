// Reads a database with mdb-reader and compares every user table's rows with expected rows.
// Usage: node compare_tables.mjs FILE.mdb EXPECTED.json
// EXPECTED.json: {"tables": {"name": [{"column": value, ...}, ...], ...}}; null stands for Null.
// Prints one line per difference and exits 1 when there is any; exits 2 when the file cannot
// be read.
import { readFileSync } from "node:fs";
import MDBReader from "mdb-reader";

const [file, expectedFile] = process.argv.slice(2);
if (!file || !expectedFile) {
  console.error("usage: node compare_tables.mjs FILE.mdb EXPECTED.json");
  process.exit(2);
}

let reader;
try {
  reader = new MDBReader(readFileSync(file));
} catch (error) {
  console.error(`mdb-reader cannot open ${file}: ${error.message}`);
  process.exit(2);
}

const expected = JSON.parse(readFileSync(expectedFile, "utf8")).tables;
const differences = [];
const actualNames = reader.getTableNames();
const expectedNames = Object.keys(expected);
if (JSON.stringify(actualNames) !== JSON.stringify(expectedNames)) {
  differences.push(`tables: expected ${JSON.stringify(expectedNames)}, got ${JSON.stringify(actualNames)}`);
}

for (const name of expectedNames.filter((n) => actualNames.includes(n))) {
  let rows;
  try {
    rows = reader.getTable(name).getData();
  } catch (error) {
    differences.push(`${name}: cannot read: ${error.message}`);
    continue;
  }
  const want = expected[name];
  if (rows.length !== want.length) {
    differences.push(`${name}: expected ${want.length} rows, got ${rows.length}`);
  }
  for (let i = 0; i < Math.min(rows.length, want.length); ++i) {
    for (const column of Object.keys(want[i])) {
      const got = rows[i][column] === undefined ? "(no such column)" : rows[i][column];
      if (got !== want[i][column]) {
        differences.push(
          `${name} row ${i + 1} ${column}: expected ${JSON.stringify(want[i][column])}, got ${JSON.stringify(got)}`);
      }
    }
  }
}

for (const line of differences) console.log(line);
process.exit(differences.length ? 1 : 0);
