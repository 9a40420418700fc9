"""Start-up time and memory of kx9, measured from outside the process."""
import os
import resource
import shutil
import statistics
import subprocess
import tempfile
import time

BIN = "build/bin"
RUNS = 7


def run_kx9(args):
    """Runs kx9 to its end; returns wall seconds and the peak RSS of the children in MB."""
    start = time.perf_counter()
    subprocess.run([f"{BIN}/kx9", *args], check=True, stderr=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    # The largest peak of any child so far; the read run is the largest.
    peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
    return wall, peak / 1024.0


def first_window(command):
    """Starts command; returns seconds until it maps a window and its peak RSS in MB
    once settled."""
    start = time.perf_counter()
    child = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        while subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(child.pid)],
                             stdout=subprocess.DEVNULL).returncode != 0:
            if child.poll() is not None:
                raise RuntimeError(f"{command[0]} ended before it showed a window")
            time.sleep(0.005)
        mapped = time.perf_counter() - start
        time.sleep(1.0)  # the idle window's memory, not a moment of its start
        peak = 0.0
        with open(f"/proc/{child.pid}/status") as status:
            for line in status:
                if line.startswith("VmHWM:"):
                    peak = int(line.split()[1]) / 1024.0
        return mapped, peak
    finally:
        child.terminate()
        child.wait()


def compare_with_qdmr():
    """kx9 and qdmr (another Qt radio programmer) side by side, alternating, so
    that both see the same load; needs both qdmr and xdotool."""
    if not shutil.which("qdmr") or not shutil.which("xdotool"):
        print("qdmr or xdotool not installed: no side-by-side comparison")
        return
    commands = {"kx9": [f"{BIN}/kx9"], "qdmr": ["qdmr"]}
    for command in commands.values():
        first_window(command)  # warm the file cache
    runs = {name: [] for name in commands}
    for _ in range(RUNS):
        for name, command in commands.items():
            runs[name].append(first_window(command))
    time_of = {n: statistics.median(r[0] for r in v) for n, v in runs.items()}
    rss_of = {n: statistics.median(r[1] for r in v) for n, v in runs.items()}
    print(f"first window mapped, median of {RUNS}: kx9 {time_of['kx9'] * 1000:.0f} ms, "
          f"qdmr {time_of['qdmr'] * 1000:.0f} ms (ratio {time_of['kx9'] / time_of['qdmr']:.2f}); "
          f"idle peak RSS kx9 {rss_of['kx9']:.1f} MB, qdmr {rss_of['qdmr']:.1f} MB "
          f"(ratio {rss_of['kx9'] / rss_of['qdmr']:.2f})")


def main():
    work = tempfile.mkdtemp()
    shot = os.path.join(work, "shot.png")

    # Launch to first paint: --screenshot quits right after the first paint,
    # so the wall time is an upper bound of the time to the first window.
    run_kx9(["--screenshot", shot])  # warm the file cache
    times = [run_kx9(["--screenshot", shot])[0] for _ in range(RUNS)]
    median = statistics.median(times)

    radio = os.path.join(work, "radio.sin")
    subprocess.run([f"{BIN}/kx9-cli", "new", "--type", "PMR", "-o", radio], check=True)
    sim = subprocess.Popen([f"{BIN}/kx9-radiosim", "--image", radio],
                           stdout=subprocess.PIPE, text=True)
    try:
        device = sim.stdout.readline().strip()
        wall, rss = run_kx9(["--port", device, "--read", "--screenshot", shot])
    finally:
        sim.terminate()
        sim.wait()

    print(f"start-up to first painted window: median {median * 1000:.0f} ms over {RUNS} runs "
          f"(min {min(times) * 1000:.0f} ms, max {max(times) * 1000:.0f} ms); goal < 500 ms")
    print(f"peak resident memory through a full read: {rss:.1f} MB "
          f"(read took {wall:.2f} s); goal < 80 MB")
    compare_with_qdmr()


if __name__ == "__main__":
    main()
