"""Start-up time and memory of kx9, measured from outside the process."""
import os
import resource
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


if __name__ == "__main__":
    main()
