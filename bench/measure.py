#!/usr/bin/env python3
"""Measures the real game against a bare Qt window, both under a private Xvfb.

Figures, for the game (plodway) and the baseline (plodway-baseline):
  (a) CPU use as % of one core while level 1 runs (baseline: while it runs)
  (b) CPU use while the menu idles (game only)
  (c) peak resident memory (VmHWM) at the end of the run
  (d) start-up: process start to the first window being visible, median of
      STARTS starts; polled with xdotool, and from the instrumented builds'
      own time stamp of their first paint
  (e) from the instrumented builds: the 50 ms tick's interval (median, p99),
      1 ms ticks per 50 ms tick and the spacing of the 1 ms ticks.

CPU time is the sum of the process's threads' run time from
/proc/PID/task/*/schedstat (nanoseconds), taken at both ends of the window.
"""

import math
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

BUILD = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build")
RUN_SECONDS = float(os.environ.get("SECONDS_PER_RUN", "20"))
STARTS = int(os.environ.get("STARTS", "5"))
SETTLE_SECONDS = 2.0

GAME = os.path.join(BUILD, "plodway")
BASELINE = os.path.join(BUILD, "bench", "plodway-baseline")
GAME_LOG = os.path.join(BUILD, "bench", "plodway-instrumented")
BASELINE_LOG = os.path.join(BUILD, "bench", "plodway-baseline-instrumented")

MENU_TITLE = "^Plodway$"
LEVEL1_TITLE = "^Level 1: Country Highway$"
BASELINE_TITLE = "^Plodway baseline$"
# The first entry of the menu's level list, in window pixels.
LIST_ITEM1 = (40, 118)


def free_display():
    number = int(os.environ.get("DISPLAY_NUMBER", "77"))
    while os.path.exists(f"/tmp/.X{number}-lock") or os.path.exists(f"/tmp/.X11-unix/X{number}"):
        number += 1
    return number


class Display:
    """A private Xvfb with openbox, so windows get focus as on a desktop."""

    def __enter__(self):
        self.number = free_display()
        self.name = f":{self.number}"
        self.xvfb = subprocess.Popen(
            ["Xvfb", self.name, "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.env = dict(os.environ, DISPLAY=self.name)
        self.env.pop("QT_QPA_PLATFORM", None)
        for _ in range(200):
            if subprocess.run(["xdotool", "getdisplaygeometry"], env=self.env,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0:
                break
            time.sleep(0.05)
        else:
            raise RuntimeError(f"Xvfb {self.name} did not start")
        self.wm = None
        if shutil.which("openbox"):
            self.wm = subprocess.Popen(["openbox"], env=self.env,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            time.sleep(0.5)
        return self

    def __exit__(self, *exc):
        for process in (self.wm, self.xvfb):
            if process:
                stop(process)

    def xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True)
        if check and result.returncode != 0:
            raise RuntimeError(f"xdotool {' '.join(args)} failed: {result.stderr.strip()}")
        return result.stdout.split()

    def visible_window(self, title):
        return self.xdotool("search", "--onlyvisible", "--name", title, check=False)

    def wait_window(self, title, timeout=10.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = self.visible_window(title)
            if found:
                return found[0]
        raise RuntimeError(f"no window {title} within {timeout} s")


def cpu_ns(pid):
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                total += int(f.read().split()[0])
        except (FileNotFoundError, ProcessLookupError):
            pass  # a thread that ended between listing and reading
    return total


def peak_rss_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    raise RuntimeError("no VmHWM")


def cpu_percent(pids, seconds):
    """% of one core used by each of pids over the next `seconds`."""
    before = [cpu_ns(p) for p in pids]
    t0 = time.monotonic_ns()
    time.sleep(seconds)
    elapsed = time.monotonic_ns() - t0
    return [100.0 * (cpu_ns(p) - b) / elapsed for p, b in zip(pids, before)]


def stop(process):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def open_level1(display, menu):
    display.xdotool("mousemove", "--window", menu, str(LIST_ITEM1[0]), str(LIST_ITEM1[1]))
    display.xdotool("click", "1")
    time.sleep(0.2)
    display.xdotool("key", "Return")
    return display.wait_window(LEVEL1_TITLE)


def percentile(values, p):
    ordered = sorted(values)
    return ordered[max(0, math.ceil(p * len(ordered)) - 1)]


def start_up_ms(display, program, title):
    """Median time from spawn to the window being visible (xdotool polling)."""
    times = []
    for _ in range(STARTS):
        t0 = time.monotonic_ns()
        process = subprocess.Popen([program], env=display.env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        display.wait_window(title)
        times.append((time.monotonic_ns() - t0) / 1e6)
        stop(process)
        time.sleep(0.3)
    return statistics.median(times)


def run_logged(display, program, title, open_level):
    """Runs an instrumented build for RUN_SECONDS; returns its log lines and spawn time."""
    with tempfile.TemporaryFile(mode="w+") as log:
        t0 = time.time_ns()
        process = subprocess.Popen([program], env=display.env, stdout=subprocess.DEVNULL, stderr=log)
        try:
            window = display.wait_window(title)
            time.sleep(SETTLE_SECONDS / 2)
            if open_level:
                open_level1(display, window)
            time.sleep(RUN_SECONDS)
        finally:
            stop(process)
        log.seek(0)
        return log.read().splitlines(), t0


def logged_figures(lines, spawn_ns):
    shown = next((int(l.split()[1]) for l in lines if l.startswith("shown ")), None)
    app = next((int(l.split()[1]) for l in lines if l.startswith("app ")), None)
    traffic = [l.split() for l in lines if l.startswith("traffic ")]
    traffic = traffic[5:]  # leave out the first ticks after the window opened
    intervals = [int(t[1]) / 1000.0 for t in traffic]
    collisions = [int(t[2]) for t in traffic]
    gaps = [l for l in lines if l.startswith("gaps ")]
    gap = dict(kv.split("=") for kv in gaps[-1].split()[1:]) if gaps else {}
    return {
        "app_ms": (app - spawn_ns) / 1e6 if app else None,
        "shown_ms": (shown - spawn_ns) / 1e6 if shown else None,
        "ticks": len(intervals),
        "interval_median": statistics.median(intervals) if intervals else None,
        "interval_p99": percentile(intervals, 0.99) if intervals else None,
        "interval_max": max(intervals) if intervals else None,
        "collisions_mean": statistics.mean(collisions) if collisions else None,
        "collisions_min": min(collisions) if collisions else None,
        "gap_p50_ms": int(gap["p50"]) / 1000 if gap else None,
        "gap_p99_ms": int(gap["p99"]) / 1000 if gap else None,
        "gap_max_ms": int(gap["max"]) / 1000 if gap else None,
    }


def measure_game(display):
    process = subprocess.Popen([GAME], env=display.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        menu = display.wait_window(MENU_TITLE)
        time.sleep(SETTLE_SECONDS)
        menu_cpu, menu_x = cpu_percent([process.pid, display.xvfb.pid], RUN_SECONDS)
        open_level1(display, menu)
        time.sleep(SETTLE_SECONDS)
        play_cpu, play_x = cpu_percent([process.pid, display.xvfb.pid], RUN_SECONDS)
        if not display.visible_window(LEVEL1_TITLE):
            raise RuntimeError("level 1 closed during the run")
        rss = peak_rss_kib(process.pid)
    finally:
        stop(process)
    return {"menu_cpu": menu_cpu, "menu_x": menu_x, "play_cpu": play_cpu, "play_x": play_x, "rss": rss}


def measure_baseline(display):
    process = subprocess.Popen([BASELINE], env=display.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        display.wait_window(BASELINE_TITLE)
        time.sleep(SETTLE_SECONDS)
        play_cpu, play_x = cpu_percent([process.pid, display.xvfb.pid], RUN_SECONDS)
        rss = peak_rss_kib(process.pid)
    finally:
        stop(process)
    return {"play_cpu": play_cpu, "play_x": play_x, "rss": rss}


def fmt(value, digits=2, unit=""):
    return "n/a" if value is None else f"{value:.{digits}f}{unit}"


def verdict(ok):
    return "met" if ok else "MISSED"


def main():
    for program in (GAME, BASELINE, GAME_LOG, BASELINE_LOG):
        if not os.access(program, os.X_OK):
            sys.exit(f"measure: {program} is missing; build the project first")
    with Display() as display:
        print(f"display {display.name}, {RUN_SECONDS:g} s per run, {STARTS} starts each", file=sys.stderr)
        game = measure_game(display)
        base = measure_baseline(display)
        game_start = start_up_ms(display, GAME, MENU_TITLE)
        base_start = start_up_ms(display, BASELINE, BASELINE_TITLE)
        game_log = logged_figures(*run_logged(display, GAME_LOG, MENU_TITLE, True))
        base_log = logged_figures(*run_logged(display, BASELINE_LOG, BASELINE_TITLE, False))

    rows = [
        ("(a) CPU, level 1 playing (% of one core)", fmt(game["play_cpu"]), fmt(base["play_cpu"]),
         "<= 1.2 x baseline", verdict(game["play_cpu"] <= 1.2 * base["play_cpu"])),
        ("    stretch: CPU while playing", fmt(game["play_cpu"]), "", "<= 2 %", verdict(game["play_cpu"] <= 2.0)),
        ("    Xvfb CPU meanwhile (%)", fmt(game["play_x"]), fmt(base["play_x"]), "(information)", ""),
        ("(b) CPU, menu idle (% of one core)", fmt(game["menu_cpu"]), "", "<= 0.3 %", verdict(game["menu_cpu"] <= 0.3)),
        ("    Xvfb CPU meanwhile (%)", fmt(game["menu_x"]), "", "(information)", ""),
        ("(c) peak resident memory (MiB)", fmt(game["rss"] / 1024, 1), fmt(base["rss"] / 1024, 1),
         "<= 1.3 x baseline", verdict(game["rss"] <= 1.3 * base["rss"])),
        ("(d) start-up to visible window, xdotool (ms)", fmt(game_start, 0), fmt(base_start, 0),
         "<= baseline + 100", verdict(game_start <= base_start + 100)),
        ("    start-up to first paint, instrumented (ms)", fmt(game_log["shown_ms"], 0), fmt(base_log["shown_ms"], 0),
         "<= baseline + 100",
         verdict(None not in (game_log["shown_ms"], base_log["shown_ms"])
                 and game_log["shown_ms"] <= base_log["shown_ms"] + 100)),
        ("    of which up to QApplication (ms)", fmt(game_log["app_ms"], 0), fmt(base_log["app_ms"], 0),
         "(information)", ""),
    ]
    g, b = game_log, base_log
    have = g["ticks"] > 0
    rows += [
        ("(e) 50 ms tick interval, median (ms)", fmt(g["interval_median"], 3), fmt(b["interval_median"], 3),
         "50 +- 0.5", verdict(have and abs(g["interval_median"] - 50) <= 0.5)),
        ("    50 ms tick interval, p99 (ms)", fmt(g["interval_p99"], 3), fmt(b["interval_p99"], 3),
         "< 55", verdict(have and g["interval_p99"] < 55)),
        ("    50 ms tick interval, max (ms)", fmt(g["interval_max"], 3), fmt(b["interval_max"], 3),
         "(information)", ""),
        ("    1 ms ticks per 50 ms tick, mean", fmt(g["collisions_mean"], 1), fmt(b["collisions_mean"], 1),
         ">= 10", verdict(have and g["collisions_mean"] >= 10)),
        ("    1 ms ticks per 50 ms tick, fewest", fmt(g["collisions_min"], 0), fmt(b["collisions_min"], 0),
         ">= 10", verdict(have and g["collisions_min"] >= 10)),
        ("    1 ms tick spacing p50 / p99 / max (ms)",
         f"{fmt(g['gap_p50_ms'])} / {fmt(g['gap_p99_ms'])} / {fmt(g['gap_max_ms'])}",
         f"{fmt(b['gap_p50_ms'])} / {fmt(b['gap_p99_ms'])} / {fmt(b['gap_max_ms'])}",
         "stretch: every one <= 1", verdict(have and g["gap_max_ms"] is not None and g["gap_max_ms"] <= 1.0)),
        ("    50 ms ticks counted", str(g["ticks"]), str(b["ticks"]), "", ""),
    ]
    headers = ("figure", "plodway", "baseline", "target", "")
    widths = [max(len(str(r[i])) for r in rows + [headers]) for i in range(5)]
    line = "| " + " | ".join(h.ljust(w) for h, w in zip(headers, widths)) + " |"
    print(line)
    print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    for r in rows:
        print("| " + " | ".join(str(c).ljust(w) for c, w in zip(r, widths)) + " |")


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *a: sys.exit(1))  # still tears the display down
    main()
