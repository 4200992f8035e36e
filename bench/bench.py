"""Runs the benchmark programs under Wine and prints one table of ratios against baselines
measured in the same run. Started by scripts/bench, which builds the programs and provides
WINEPREFIX and DISPLAY.

    python3 bench/bench.py --build build/bench [--runs 9]
"""
import argparse
import contextlib
import os
import platform
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

TILES = 18
MIB = 1024 * 1024


def log(text):
    print(f"[bench] {text}", file=sys.stderr, flush=True)


def windows_path(path):
    return subprocess.run(["winepath", "-w", str(path)], check=True, capture_output=True, text=True).stdout.strip()


def unix_memory(windows_exe):
    """Working set and private bytes of the running copy of `windows_exe`, read from /proc the way
    Wine reports them for its own process: VmRSS, and RssAnon + VmSwap."""
    for entry in Path("/proc").iterdir():
        if not entry.name.isdigit():
            continue
        try:
            argv0 = (entry / "cmdline").read_bytes().split(b"\0")[0].decode("utf-8", "replace")
            if argv0 != windows_exe:
                continue
            fields = {}
            for line in (entry / "status").read_text().splitlines():
                key, _, value = line.partition(":")
                if value.strip().endswith("kB"):
                    fields[key] = int(value.split()[0]) * 1024
            return fields.get("VmRSS", 0), fields.get("RssAnon", 0) + fields.get("VmSwap", 0)
        except (FileNotFoundError, ProcessLookupError, PermissionError):
            continue
    raise RuntimeError(f"no running process for {windows_exe}")


def prepare(work, build):
    program = work / "program"
    baseline = work / "baseline"
    program.mkdir()
    baseline.mkdir()
    shutil.copy(build / "wolumetr" / "wolumetr.exe", program / "wolumetr.exe")
    shutil.copy(build / "bench_minimal.exe", baseline / "bench_minimal.exe")
    shutil.copy(build / "bench_minimal_figures.exe", baseline / "bench_minimal_figures.exe")
    # 18 tiles on the two fixed drives every Wine prefix has (bench_minimal_figures asks the same).
    lines = ["[Dyski]"] + [f"Dysk{k}={'C:' if k % 2 else 'Z:'}\\" for k in range(1, TILES + 1)]
    (program / "wolumetr.ini").write_bytes(("\r\n".join(lines) + "\r\n").encode("ascii"))
    return (windows_path(program / "wolumetr.exe"), windows_path(baseline / "bench_minimal.exe"),
            windows_path(baseline / "bench_minimal_figures.exe"))


def failure_text(errors):
    """The program's own complaint from a captured stderr, without Wine's fixme noise."""
    errors.seek(0)
    lines = [line for line in errors.read().splitlines() if ":fixme:" not in line and "Read access denied" not in line]
    return "\n".join(lines[-20:])


def run_launcher(build, runs, program_exe, baseline_exe, figures_exe):
    """Start-up times of quick starts, {baseline name: [(program, baseline)]}, and memory of settled
    ones, [(program, baseline)], each paired in run order."""
    exes = {"program": program_exe, "baseline": baseline_exe}
    memory = {}
    starts = {"program": [], "baseline": [], "figures": []}
    settled = {"program": [], "baseline": []}
    # Start-ups are single short events on a shared machine: three times as many of them.
    process = subprocess.Popen(["wine", str(build / "bench_launcher.exe"), "--pause", str(runs), str(3 * runs),
                                program_exe, baseline_exe, figures_exe], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL, text=True)
    for line in process.stdout:
        words = line.split()
        if words[:1] == ["ready"]:
            memory[words[1]] = unix_memory(exes[words[1]])
            process.stdin.write("\n")
            process.stdin.flush()
        elif words[:1] == ["start"]:
            starts[words[1]].append(float(words[2]))
        elif words[:1] == ["launch"]:
            settled[words[1]].append(memory.pop(words[1]))
    if process.wait() != 0:
        raise RuntimeError("bench_launcher failed:\n" + failure_text(errors))
    return ({name: list(zip(starts["program"], starts[name])) for name in ("baseline", "figures")},
            list(zip(settled["program"], settled["baseline"])))


def server_pids():
    """The Wine server of WINEPREFIX and the X server of DISPLAY."""
    prefix = os.stat(os.environ["WINEPREFIX"])
    server_dir = f"server-{prefix.st_dev:x}-{prefix.st_ino:x}"
    display = os.environ.get("DISPLAY", "")
    pids = []
    for entry in Path("/proc").iterdir():
        if not entry.name.isdigit():
            continue
        try:
            argv = (entry / "cmdline").read_bytes().split(b"\0")
            name = Path(argv[0].decode("utf-8", "replace")).name
            if name.startswith("wineserver") and os.readlink(entry / "cwd").endswith(server_dir):
                pids.append(int(entry.name))
            elif name == "Xvfb" and display and display.encode() in argv[1:2]:
                pids.append(int(entry.name))
        except (FileNotFoundError, ProcessLookupError, PermissionError):
            continue
    return pids


@contextlib.contextmanager
def on_one_cpu():
    """This process (so the programs it starts), the Wine server and the X server on one CPU.
    Every system call under Wine is a round trip to the Wine server, and on a virtual machine a
    wake-up across CPUs can cost several times the call itself: unpinned, a thread's figures then
    depend on whether the scheduler put it beside the server (36 disk queries took 1.6 ms beside
    it and 7.6 ms across on this machine), not on the program. WOLUMETR_BENCH_PIN=0 leaves all as
    it is."""
    cpus = sorted(os.sched_getaffinity(0))
    if os.environ.get("WOLUMETR_BENCH_PIN", "1") == "0" or len(cpus) < 2:
        yield "unpinned"
        return
    pids = [0] + server_pids()
    for pid in pids:
        os.sched_setaffinity(pid, {cpus[-1]})
    try:
        yield f"on CPU {cpus[-1]} with the Wine and X servers"
    finally:
        for pid in pids:
            with contextlib.suppress(ProcessLookupError):
                os.sched_setaffinity(pid, cpus)


def run_in_process(build, runs):
    errors = tempfile.TemporaryFile(mode="w+")
    result = subprocess.run(["wine", str(build / "bench_in_process.exe"), str(runs)], stdout=subprocess.PIPE,
                            stderr=errors, text=True, timeout=1800)
    if result.returncode != 0:
        raise RuntimeError("bench_in_process failed:\n" + failure_text(errors))
    out = result.stdout
    samples, parts, info, handles = {}, {}, {}, []
    for line in out.splitlines():
        words = line.split()
        if words[:1] == ["sample"]:
            samples.setdefault(words[1], []).append((float(words[2]), float(words[3])))
        elif words[:1] == ["part"]:
            parts.setdefault(f"{words[1]} {words[2]}", []).append(float(words[3]))
        elif words[:1] == ["info"]:
            info[words[1]] = " ".join(words[2:])
        elif words[:1] == ["handles"]:
            handles.append((words[1], *map(int, words[2:6])))
    return samples, parts, info, handles


def size_text(value, unit):
    if unit == "ms":
        return f"{value:.1f} ms"
    if unit == "us":
        return f"{value / 1000:.2f} ms" if value >= 1000 else f"{value:.0f} µs"
    if unit == "bytes":
        return f"{value / MIB:.1f} MiB"
    return f"{value:g}"


class Table:
    def __init__(self):
        self.rows = []

    def ratios(self, name, pairs, unit, baseline_name, target):
        ratios = [p / b for p, b in pairs]
        median = statistics.median(ratios)
        judged = target is not None
        self.rows.append((name, size_text(statistics.median(p for p, _ in pairs), unit),
                          f"{size_text(statistics.median(b for _, b in pairs), unit)} {baseline_name}",
                          f"{median:.2f}", f"{min(ratios):.2f}–{max(ratios):.2f}",
                          f"≤ {target:.2f}" if judged else "(for comparison)",
                          ("met" if median <= target else "MISSED") if judged else ""))

    def single(self, name, program, baseline, ratio, target_text, met):
        self.rows.append((name, program, baseline, f"{ratio:.2f}", "–", target_text, "met" if met else "MISSED"))

    def print(self, title):
        header = ("row", "program", "baseline", "ratio", "min–max", "target", "")
        widths = [max(len(r[i]) for r in self.rows + [header]) for i in range(len(header))]
        print(title)
        for row in [header] + self.rows:
            print("  ".join(cell.ljust(widths[i]) for i, cell in enumerate(row)).rstrip())


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", type=Path, required=True)
    parser.add_argument("--runs", type=int, default=9)
    args = parser.parse_args()
    build = args.build.resolve()
    runs = max(args.runs, 3)

    work = Path(tempfile.mkdtemp(prefix="wolumetr-bench-"))
    try:
        program_exe, baseline_exe, figures_exe = prepare(work, build)
        started = time.monotonic()
        log(f"start-up and memory: {4 * runs} starts of wolumetr.exe and the minimal window, {3 * runs} of the "
            "minimal window with the figure calls")
        starts, settled = run_launcher(build, runs, program_exe, baseline_exe, figures_exe)
        with on_one_cpu() as placement:
            log(f"refresh, paint and handles in-process, {placement}")
            samples, parts, info, handles = run_in_process(build, runs)
        elapsed = time.monotonic() - started
    finally:
        shutil.rmtree(work, ignore_errors=True)

    wine = subprocess.run(["wine", "--version"], capture_output=True, text=True).stdout.strip()
    table = Table()
    table.ratios("start-up", starts["figures"], "ms", "minimal window after the 18 tiles' figure calls", 1.05)
    table.ratios("start-up", starts["baseline"], "ms", "minimal window", None)
    table.ratios("refresh", samples["refresh"], "us", "36 GetDiskFreeSpaceExW", 1.05)
    table.ratios("paint", samples["paint"], "us", "same GDI calls, memory DC", 1.30)
    table.ratios("working set", [(p[0], b[0]) for p, b in settled], "bytes", "minimal window", 1.15)
    table.ratios("private bytes", [(p[1], b[1]) for p, b in settled], "bytes", "minimal window", 1.15)
    stage = {name: counts for name, *counts in handles}
    for index, kind in ((0, "GDI objects"), (1, "USER objects"), (2, "threads"), (3, "kernel handles")):
        for what, before, after in (("10,000 refreshes", "first-refresh", "after-refreshes"),
                                    ("3 x 200 openings", "first-openings", "after-about")):
            start, end = stage[before][index], stage[after][index]
            if start < 0:
                continue  # not to be counted here
            table.single(f"{kind}, {what}", str(end), f"{start} before", end / start if start else 1.0,
                         "growth 0", end == start)
    exe_size = (build / "wolumetr" / "wolumetr.exe").stat().st_size
    table.single("wolumetr.exe", f"{exe_size / 1024:.0f} KiB", "1024 KiB", exe_size / MIB, "≤ 1.00", exe_size <= MIB)
    table.print(f"Wolumetr benchmark: {runs} runs, {wine}, {platform.machine()}, {elapsed:.0f} s "
                "(ratio = median of the runs' program/baseline ratios)")

    cycles = parts.get("paint window-cycle", [])
    drawing = [(p - c) / b for (p, b), c in zip(samples["paint"], cycles)]
    print()
    print(f"start-up: {len(starts['figures'])} starts of each from a launcher in the same Wine, which polls the window "
          f"list every millisecond until the window shows (wolumetr.exe: its main window at the size of 18 tiles; the "
          f"baselines: a minimal window, shown at once or after the 18 tiles' figure calls)")
    build = parts.get("start-up build", [])
    if build:
        names = statistics.median(parts["start-up volume-names"])
        queries = statistics.median(parts["start-up disk-queries"])
        print(f"          in-process, building the main window with its 18 tiles (hidden, as before the first "
              f"show) takes {size_text(statistics.median(build), 'us')}, of which the system calls for the "
              f"figures take {size_text(names, 'us')} (18 volume names) and {size_text(queries, 'us')} "
              f"(36 disk-space queries)")
    print(f"refresh:  {info.get('refresh', '?')}")
    print(f"          refresh, paint and handles measured {placement}; start-up and memory unpinned, since the "
          f"program's first drive round runs beside its window's creation on a second CPU")
    print(f"paint:    {info.get('paint', '?')}; the window system's own cycle (invalidate, BeginPaint, one copy "
          f"to the screen, EndPaint of a bare window of the same size and kind) takes "
          f"{size_text(statistics.median(cycles), 'us') if cycles else '?'} of it; without it the program "
          f"draws at about {statistics.median(drawing) if drawing else float('nan'):.2f} times the baseline")
    cached = [stage["first-openings"][i] - stage["after-refreshes"][i] for i in (0, 1)]
    print(f"handles:  counted after the first refresh and after 10,000 more (with a paint every 100), then after "
          f"a first opening of the Options, Drive selection and About windows (which fills the caches kept for the "
          f"rest of the run: {cached[0]} GDI and {cached[1]} USER objects) and after 200 more openings and closings "
          f"of each; {info.get('handles', '')}")
    print("memory:   Wine's figures from /proc: working set = VmRSS, private bytes = RssAnon + VmSwap")


if __name__ == "__main__":
    main()
