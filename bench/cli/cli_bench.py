#!/usr/bin/env python3
"""Times kx9-cli's start per call against /bin/true in the same run.

Runs /bin/true and the kx9-cli commands --version, table, export, import,
diff and report round robin, so that a busy moment of the machine falls on
all of them alike, and prints each one's CPU and wall time per call and its
ratio to /bin/true. Goals: table / true <= 3.0 (CPU per call); a report of
10 files <= 4x the report of one file (wall).
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

TABLE_GOAL = 3.0
REPORT_10_GOAL = 4.0


def timed(command):
    """Runs command; returns (wall seconds, CPU seconds) or exits when it fails
    (diff's status 1 says the files differ)."""
    start = time.perf_counter()
    child = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) not in ((0, 1) if "diff" in command else (0,)):
        sys.exit(f"{' '.join(command)} failed with status {os.waitstatus_to_exitcode(status)}")
    return wall, usage.ru_utime + usage.ru_stime


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--cli", default=os.path.join(here, "kx9-cli"))
    parser.add_argument("--calls", type=int, default=1000,
                        help="calls of each quick command (default 1000)")
    parser.add_argument("--report-calls", type=int, default=20,
                        help="calls of each report, which draws five pages (default 20)")
    args = parser.parse_args()
    true = shutil.which("true") or "/bin/true"

    with tempfile.TemporaryDirectory() as work:
        os.environ["XDG_DATA_HOME"] = os.path.join(work, "data")
        os.environ["XDG_CONFIG_HOME"] = os.path.join(work, "config")
        a, b = os.path.join(work, "a.sin"), os.path.join(work, "b.sin")
        csv = os.path.join(work, "a.csv")
        subprocess.run([args.cli, "new", "-o", a], check=True)
        subprocess.run([args.cli, "new", "--type", "PMR", "-o", b], check=True)
        subprocess.run([args.cli, "export", b, "-o", csv], check=True)
        files = []
        for i in range(10):
            files.append(os.path.join(work, f"r{i}.sin"))
            shutil.copyfile(b, files[-1])
        reports = os.path.join(work, "reports")
        os.mkdir(reports)

        quick = {
            "true": [true],
            "--version": [args.cli, "--version"],
            "table": [args.cli, "table", a],
            "export": [args.cli, "export", a, "-o", os.path.join(work, "out.csv")],
            "import": [args.cli, "import", csv, "--into", b, "-o", os.path.join(work, "i.sin")],
            "diff": [args.cli, "diff", a, b],
        }
        slow = {
            "report": [args.cli, "report", files[0], "-o", os.path.join(work, "one.pdf")],
            "report x10": [args.cli, "report", *files, "-o", reports],
        }
        times = {name: [] for name in [*quick, *slow]}
        for call in range(max(args.calls, args.report_calls)):
            for name, command in quick.items():
                if call < args.calls:
                    times[name].append(timed(command))
            for name, command in slow.items():
                if call < args.report_calls:
                    times[name].append(timed(command))

    def per_call(name):
        walls = [w for w, _ in times[name]]
        cpus = [c for _, c in times[name]]
        return statistics.mean(walls), statistics.mean(cpus)

    true_wall, true_cpu = per_call("true")
    print(f"{'command':12} {'calls':>6} {'wall ms':>8} {'CPU ms':>8} {'wall/true':>10} "
          f"{'CPU/true':>9}")
    for name in times:
        wall, cpu = per_call(name)
        print(f"{name:12} {len(times[name]):6} {wall * 1000:8.2f} {cpu * 1000:8.2f} "
              f"{wall / true_wall:10.2f} {cpu / true_cpu:9.2f}")
    table_ratio = per_call("table")[1] / true_cpu
    report_ratio = per_call("report x10")[0] / per_call("report")[0]
    table_ok = table_ratio <= TABLE_GOAL
    report_ok = report_ratio <= REPORT_10_GOAL
    print(f"table / true (CPU) {table_ratio:5.2f} (goal <= {TABLE_GOAL:.1f})  "
          f"[{'ok' if table_ok else 'MISSED'}]")
    print(f"report of 10 files / report of one (wall) {report_ratio:5.2f} "
          f"(goal <= {REPORT_10_GOAL:.1f})  [{'ok' if report_ok else 'MISSED'}]")
    return 0 if table_ok and report_ok else 1


if __name__ == "__main__":
    sys.exit(main())
