#!/usr/bin/env python3
"""Writes one channel file into 8 kx9-radiosim --wire-speed radios at once with kx9-cli.

Prints the wall time against one radio's write measured in the same run
(goal: ratio <= 1.10) and kx9-cli's CPU time as a share of one core over
the fleet's wall time (goal: <= 10 %).
"""

import argparse
import os
import subprocess
import sys
import tempfile
import time

RADIOS = 8
WALL_GOAL = 1.10
CPU_GOAL = 0.10


def start_radios(radiosim, image, count):
    radios, ports = [], []
    for _ in range(count):
        radio = subprocess.Popen([radiosim, "--wire-speed", "--image", image],
                                 stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        port = radio.stdout.readline().strip()
        if not port:
            sys.exit("kx9-radiosim printed no device path")
        radios.append(radio)
        ports.append(port)
    return radios, ports


def timed(command):
    """Runs command; returns (exit status, wall seconds, CPU seconds)."""
    start = time.perf_counter()
    child = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.perf_counter() - start
    return os.waitstatus_to_exitcode(status), wall, usage.ru_utime + usage.ru_stime


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--cli", default=os.path.join(here, "kx9-cli"))
    parser.add_argument("--radiosim", default=os.path.join(here, "kx9-radiosim"))
    args = parser.parse_args()

    with tempfile.TemporaryDirectory() as workdir:
        image = os.path.join(workdir, "radio.sin")
        subprocess.run([args.cli, "new", "-o", image], check=True)
        # The radios report identity 01; give the file the same so none is skipped.
        with open(image, "r+b") as f:
            f.seek(0x81B)
            f.write(b"\x01")
        radios, ports = start_radios(args.radiosim, image, RADIOS)
        try:
            status, one_wall, _ = timed([args.cli, "write", "--port", ports[0], image])
            if status != 0:
                sys.exit(f"the single write failed with status {status}")
            command = [args.cli, "write", image]
            for port in ports:
                command += ["--port", port]
            status, wall, cpu = timed(command)
            if status != 0:
                sys.exit(f"the fleet write failed with status {status}")
        finally:
            for radio in radios:
                radio.terminate()
                radio.wait()
    ratio = wall / one_wall
    cpu_share = cpu / wall
    ok = ratio <= WALL_GOAL and cpu_share <= CPU_GOAL
    print(f"one radio  wall {one_wall:7.3f} s")
    print(f"{RADIOS} radios   wall {wall:7.3f} s  ratio {ratio:5.3f} (goal <= {WALL_GOAL:.2f})  "
          f"kx9-cli CPU {cpu:6.3f} s = {cpu_share * 100:4.1f} % of one core "
          f"(goal <= {CPU_GOAL * 100:.0f} %)  [{'ok' if ok else 'MISSED'}]")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
