// Prints a table's rows as mdb-reader reads them, in the form the tests read mdb-export's: a
// header of column names, then one record per row; cells separated by 0x1F, records by 0x1E,
// Null as 0x01. Text is printed as it is, other values as JavaScript writes them.
// Usage: node export_rows.mjs FILE.mdb TABLE [COLUMN...] (all columns when none is named)
import { readFileSync } from "node:fs";
import MDBReader from "mdb-reader";

const [file, name, ...named] = process.argv.slice(2);
if (!file || !name) {
  console.error("usage: node export_rows.mjs FILE.mdb TABLE");
  process.exit(2);
}
let table;
try {
  table = new MDBReader(readFileSync(file)).getTable(name);
} catch (error) {
  console.error(`mdb-reader cannot read ${name} of ${file}: ${error.message}`);
  process.exit(2);
}
const columns = named.length ? named : table.getColumnNames();
const cell = (value) =>
  value === null || value === undefined
    ? "\x01"
    : value instanceof Date
      ? value.toISOString()
      : String(value);
const records = [columns.join("\x1f")];
for (const row of table.getData()) records.push(columns.map((c) => cell(row[c])).join("\x1f"));
process.stdout.write(records.join("\x1e"));
