#!/usr/bin/env python3
"""The figures of one run of bench/provider/run.sh as Markdown tables, each beside its reference.

Reads the folder run.sh filled: the Google Benchmark JSON of each program (large.json,
requery.json, open.json, small.json), open_bench's printed memory (open.txt), the whole-command
medians (commands: "work side wall cpu rows load" a line) and the load average before each
program (loads: "name load" a line). Times are processor-time medians in milliseconds.
"""
import json
import re
import sys
from pathlib import Path


def medians(path):
    """{benchmark name: (cpu ms, wall ms)} of the medians in a benchmark JSON file."""
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
    found = {}
    for run in json.loads(path.read_text())["benchmarks"]:
        # A run of one repetition has no aggregates: its one figure stands.
        median = run.get("aggregate_name") == "median"
        if median or (run["run_type"] == "iteration" and run["run_name"] not in found):
            unit = scale[run["time_unit"]]
            found[run["run_name"]] = (run["cpu_time"] * unit, run["real_time"] * unit)
    return found


def ms(value):
    return f"{value:,.0f}" if value >= 100 else f"{value:.3g}"


def main(folder):
    folder = Path(folder)
    large = medians(folder / "large.json")
    small = medians(folder / "small.json")
    requery = medians(folder / "requery.json")
    opened = medians(folder / "open.json")
    loads = dict(line.split() for line in (folder / "loads").read_text().splitlines())
    commands = {}
    for line in (folder / "commands").read_text().splitlines():
        work, side, wall, cpu, rows, load = line.split()
        commands[work, side] = (int(wall), int(cpu), rows, load)

    def cpu(table, name):
        return table[name][0]

    rows = []

    def statement(what, jet, lite, target):
        mine, theirs = cpu(large, jet), cpu(large, lite)
        rows.append((what, ms(mine), f"SQLite {ms(theirs)} ({theirs / mine:.1f}×)", target,
                     loads["large"]))

    statement("summary-search statement, after the table's first search",
              "BM_JetSearchStatement", "BM_SqliteSearchStatement", "under 5, 10× SQLite")
    statement("the same, first search after opening the database",
              "BM_JetFirstSearchStatement", "BM_SqliteFirstSearchStatement",
              "no slower than SQLite")
    rows.append(("re-query through the data components (close, SQL, open, count, first record)",
                 ms(cpu(requery, "BM_RequeryThroughComponents")),
                 f"the statement on the provider {ms(cpu(requery, 'BM_StatementOnProvider'))}",
                 "under 8", loads["requery"]))
    statement("advanced-search statement (LIKE on the `pasokh` memos)",
              "BM_JetMemoSearchStatement", "BM_SqliteMemoSearchStatement", "2× SQLite")
    open_cpu, open_wall = opened["BM_OpenProgramDatasets"]
    rows.append(("opening the fourteen datasets", f"{ms(open_cpu)} (wall {ms(open_wall)})", "—",
                 "under 100", loads["open"]))
    for work in ("scan", "search"):
        wall, mine, _, load = commands[work, "jetdb-query"]
        sqlite, mdbsql = commands[work, "sqlite3"][1], commands[work, "mdb-sql"][1]
        rows.append((f"`jetdb query`, {work} (whole command)", f"{mine:,} (wall {wall:,})",
                     f"`sqlite3` {sqlite:,} ({sqlite / mine:.1f}×), "
                     f"`mdb-sql` {mdbsql:,} ({mdbsql / mine:.1f}×)",
                     "faster, 3× `mdb-sql`", load))
    memory = re.search(r"datasets open: heap ([\d.]+) MB.*?\(peak ([\d.]+) MB\), of which "
                       r"([\d.]+) MB mapped file and ([\d.]+) MB anonymous",
                       (folder / "open.txt").read_text())
    heap, peak, mapped, anonymous = memory.groups()
    rows.append(("memory with the fourteen datasets open", f"heap {heap} MB",
                 f"peak resident {peak} MB: {mapped} MB mapped file, {anonymous} MB anonymous",
                 "heap under 64 MB", loads["open"]))

    print("| measure, 100,000 records a table | Velmora (ms) | reference (ms) | target | load |")
    print("|---|---|---|---|---|")
    for row in rows:
        print("| " + " | ".join(row) + " |")

    print()
    print("| statement, processor time (ms) | 10,000 records | 100,000 records | growth |")
    print("|---|---|---|---|")
    for what, name in (("summary search, after the first", "BM_JetSearchStatement"),
                       ("summary search, first after opening", "BM_JetFirstSearchStatement"),
                       ("advanced search", "BM_JetMemoSearchStatement")):
        before, after = cpu(small, name), cpu(large, name)
        print(f"| {what} | {ms(before)} | {ms(after)} | {after / before:.1f}× |")
    print(f"\nLoad average (one minute) before each program: "
          f"{', '.join(f'{name} {load}' for name, load in loads.items())}.")


if __name__ == "__main__":
    main(sys.argv[1])
