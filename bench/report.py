#!/usr/bin/env python3
# Reads the benchmarks' JSON (repetitions, aggregates only) and prints the table
# of medians and ratios, then one GOAL line per performance goal.
#   report.py results.json <size of quennix.exe in bytes, or "missing">
import json
import sys

UNIT = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
ROWS = [20, 1000, 10000, 100000]
SIZE_LIMIT = 1 << 20


def medians(path):
    found = {}
    for run in json.load(open(path))["benchmarks"]:
        if run.get("aggregate_name") == "median":
            found[run["run_name"]] = {"cpu": run["cpu_time"] * UNIT[run["time_unit"]],
                                      "bytes": run.get("bytes_per_second")}
    return found


def seconds(t):
    for unit, scale in (("s", 1.0), ("ms", 1e-3), ("us", 1e-6)):
        if t >= scale:
            return f"{t / scale:.3g} {unit}"
    return f"{t / 1e-9:.3g} ns"


def rate(b):
    return "" if b is None else f"{b / 1e9:.3g} GB/s"


def main():
    results = medians(sys.argv[1])
    size = sys.argv[2]
    time = lambda name: results[name]["cpu"] if name in results else None

    # Each row's comparison: the baseline's time over the scraper's (a speed-up), or a
    # text operation's time over its std::string_view reference (a slow-down).
    reference = {}
    for source in range(1, 5):
        for rows in ROWS:
            reference[f"scrape/source{source}/rows:{rows}"] = ("baseline", f"baseline/source{source}/rows:{rows}")
    for page in ("ascii", "gbk"):
        for op, ref in (("findText", "stringViewFind"), ("findTextFolded", "stringViewFind"),
                        ("replaceText", "replaceByFind")):
            reference[f"text/{op}/{page}"] = (ref, f"text/{ref}/{page}")

    # The runs come shuffled; the table keeps each scraper beside its baseline.
    order = [f"{kind}/source{source}/rows:{rows}" for source in range(1, 5) for rows in ROWS
             for kind in ("scrape", "baseline")]
    order += [f"text/{op}/{page}" for page in ("ascii", "gbk")
              for op in ("findText", "findTextFolded", "stringViewFind", "replaceText", "replaceByFind")]
    order = [n for n in order if n in results] + sorted(n for n in results if n not in order)

    print(f"{'benchmark (median CPU time)':44} {'time':>10} {'throughput':>12}  ratio")
    for name in order:
        r = results[name]
        note = ""
        if name in reference and time(reference[name][1]):
            ref_name, ref = reference[name]
            if ref_name == "baseline":
                note = f"{time(ref) / r['cpu']:.3g}x faster than the baseline"
            else:
                note = f"{r['cpu'] / time(ref):.3g}x the time of {ref_name}"
        print(f"{name:44} {seconds(r['cpu']):>10} {rate(r['bytes']):>12}  {note}")
    print("(source 1 cuts its first entry only; its throughput counts the whole page)")
    print(f"quennix.exe: {size} bytes" + ("" if size == "missing" else f" ({int(size) / 1024:.0f} KiB)"))

    goals = []

    def goal(name, figure, target, holds):
        shown = "none" if figure is None else f"{figure:.3g}" if isinstance(figure, float) else str(figure)
        goals.append(f"GOAL {name} {shown} {target} {'holds' if figure is not None and holds(figure) else 'short'}")

    for source in range(1, 5):
        small, large = time(f"scrape/source{source}/rows:1000"), time(f"scrape/source{source}/rows:100000")
        goal(f"linear-source{source}", large / (100 * small) if small and large else None, 1.5, lambda f: f <= 1.5)
    for source in range(1, 5):
        real, base = time(f"scrape/source{source}/rows:10000"), time(f"baseline/source{source}/rows:10000")
        goal(f"speedup-source{source}", base / real if real and base else None, 50, lambda f: f >= 50)
    for source in range(2, 5):
        r = results.get(f"scrape/source{source}/rows:100000")
        goal(f"throughput-source{source}-GBps", r["bytes"] / 1e9 if r and r["bytes"] else None, 1, lambda f: f >= 1)
    for op, ref in (("findText", "stringViewFind"), ("replaceText", "replaceByFind")):
        t, t_ref = time(f"text/{op}/ascii"), time(f"text/{ref}/ascii")
        goal(f"{op}-ascii-vs-find", t / t_ref if t and t_ref else None, 3, lambda f: f <= 3)
    for source in range(1, 5):
        pages = {n: r["cpu"] for n, r in results.items() if n.startswith(f"hostile/source{source}/")}
        worst = max(pages, key=pages.get) if pages else None
        if worst:
            print(f"worst hostile page of source {source}: {worst} ({seconds(pages[worst])} per 16 MiB page)")
        goal(f"hostile-source{source}-seconds", pages[worst] if worst else None, 0.5, lambda f: f <= 0.5)
    goal("program-size-bytes", None if size == "missing" else int(size), SIZE_LIMIT, lambda f: f <= SIZE_LIMIT)
    print("\n".join(goals))


main()
