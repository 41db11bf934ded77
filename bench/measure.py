#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Measures the real game against a bare Qt window, both under a private Xvfb.

Usage: measure.py [build-dir] [--before PROGRAM]
       measure.py [build-dir] --wine WINDOWS-BUILD-DIR
With --before, PROGRAM (the game built from older code) is measured too,
in the same runs, for CPU, wake-ups and memory.
With --wine, the Windows build (built with the tools on) is measured under
Wine beside the Linux build: the .exe's size, start-up, and the traffic
tick's rhythm with the precise timer the game uses and with Qt's default
coarse one (the baseline's). Only these: Wine's own CPU use and wake-ups
say nothing of Windows'.

Figures, each the median of RUNS runs of SECONDS_PER_RUN seconds; game,
older game and baseline runs alternate:
  CPU use, % of one core, and wake-ups a second, for
    level 1 open and untouched, with an arrow key (Right) held down so the
    keyboard auto-repeats, with the Pause box open, and the menu alone;
    the baseline: a bare window repainted every 50 ms, no other timer;
    beside the menu alone, a bare window of the menu's size that swaps its
    icon every 500 ms with plain Qt (plodway-baseline --icon-blink), and the
    same sending each icon with QGuiApplication::sync() (--icon-blink sync),
    as plain Qt on X11 shows no blink without it
  peak resident memory (VmHWM) after the menu and level 1 untouched, and at
    the end of a run
  start-up: process start to the first window being visible, median of
    STARTS starts (xdotool polling), and the instrumented builds' own time
    stamp of their first paint
  from the instrumented builds: the traffic tick's interval (median, p99,
    largest) and the keyboard's auto-repeat rate while the key is held.

CPU time is the sum of the process's threads' run time from
/proc/PID/task/*/schedstat (nanoseconds), wake-ups the sum of their
voluntary and involuntary context switches from /proc/PID/task/*/status,
both taken at the two ends of the window.
"""

import argparse
import math
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

RUN_SECONDS = float(os.environ.get("SECONDS_PER_RUN", "10"))
RUNS = int(os.environ.get("RUNS", "5"))
STARTS = int(os.environ.get("STARTS", "5"))
SETTLE_SECONDS = 2.0
HOLD_SECONDS = 3.0  # the key held in the instrumented run

MENU_TITLE = "^Plodway$"  # the Pause box has the same title
LEVEL1_TITLE = "^Level 1: Country Highway$"
BASELINE_TITLE = "^Plodway baseline$"
BLINK_TITLE = "^Plodway baseline icon blink$"
# The first entry of the menu's level list, in window pixels: at a display
# scale (QT_SCALE_FACTOR) the window's pixels are that much larger.
_SCALE = float(os.environ.get("QT_SCALE_FACTOR", "1"))
LIST_ITEM1 = (round(40 * _SCALE), round(118 * _SCALE))


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

    def visible_windows(self, title):
        return self.xdotool("search", "--onlyvisible", "--name", title, check=False)

    def wait_windows(self, title, count, timeout=10.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = self.visible_windows(title)
            if len(found) == count:
                return found
            time.sleep(0.02)
        raise RuntimeError(f"not {count} windows {title} within {timeout} s")

    def wait_window(self, title, timeout=10.0):
        return self.wait_windows(title, 1, timeout)[0]


def threads(pid):
    """{thread id: (name, CPU ns, context switches, voluntary ones)} of a process."""
    found = {}
    for task in os.listdir(f"/proc/{pid}/task"):
        base = f"/proc/{pid}/task/{task}"
        try:
            with open(f"{base}/schedstat") as f:
                cpu = int(f.read().split()[0])
            with open(f"{base}/comm") as f:
                name = f.read().strip()
            switches = voluntary = 0
            with open(f"{base}/status") as f:
                for line in f:
                    if line.startswith(("voluntary_ctxt_switches:", "nonvoluntary_ctxt_switches:")):
                        switches += int(line.split()[1])
                    if line.startswith("voluntary_ctxt_switches:"):
                        voluntary = int(line.split()[1])
        except (FileNotFoundError, ProcessLookupError):
            continue  # a thread that ended between listing and reading
        found[task] = (name, cpu, switches, voluntary)
    return found


def sample(pid, xvfb_pid, seconds):
    """CPU %, wake-ups a second and per-thread wake-ups of pid over the next seconds."""
    before, x_before = threads(pid), threads(xvfb_pid)
    t0 = time.monotonic_ns()
    time.sleep(seconds)
    after, x_after = threads(pid), threads(xvfb_pid)
    elapsed = time.monotonic_ns() - t0

    def rate(b, a, field):
        return sum(v[field] - b.get(t, (0, 0, 0, 0))[field] for t, v in a.items()) * 1e9 / elapsed

    per_thread = {}
    for t, (name, _, switches, _) in after.items():
        per_thread[name] = per_thread.get(name, 0.0) + (switches - before.get(t, (0, 0, 0, 0))[2]) * 1e9 / elapsed
    return {"cpu": rate(before, after, 1) / 1e7, "wakes": rate(before, after, 2),
            "voluntary": rate(before, after, 3), "threads": per_thread,
            "x_cpu": rate(x_before, x_after, 1) / 1e7}


def peak_rss_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    raise RuntimeError("no VmHWM")


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


def measure_game(display, program):
    """One run of the game: menu, level 1 untouched, with Pause open, with a key held."""
    process = subprocess.Popen([program], env=display.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    figures = {}
    try:
        menu = display.wait_window(MENU_TITLE)
        time.sleep(SETTLE_SECONDS)
        figures["menu"] = sample(process.pid, display.xvfb.pid, RUN_SECONDS)
        open_level1(display, menu)
        time.sleep(SETTLE_SECONDS)
        figures["level"] = sample(process.pid, display.xvfb.pid, RUN_SECONDS)
        figures["rss"] = peak_rss_kib(process.pid)  # before any box was shown

        display.xdotool("key", "p")
        display.wait_windows(MENU_TITLE, 2)  # the menu and the box
        time.sleep(SETTLE_SECONDS / 2)
        figures["paused"] = sample(process.pid, display.xvfb.pid, RUN_SECONDS)
        display.xdotool("key", "Return")
        display.wait_windows(MENU_TITLE, 1)
        time.sleep(SETTLE_SECONDS)

        # Right walks the turtle along its start row to the edge, where the
        # edge pull and the next press alternate; no vehicle comes there.
        display.xdotool("keydown", "Right")
        try:
            time.sleep(SETTLE_SECONDS / 2)  # past the auto-repeat delay
            figures["key"] = sample(process.pid, display.xvfb.pid, RUN_SECONDS)
        finally:
            display.xdotool("keyup", "Right")
        if not display.visible_windows(LEVEL1_TITLE):
            raise RuntimeError("level 1 closed during the run")
        figures["rss_end"] = peak_rss_kib(process.pid)
    finally:
        stop(process)
    return figures


def measure_baseline(display, program, title=BASELINE_TITLE, scenario="level"):
    process = subprocess.Popen(command(program), env=display.env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        display.wait_window(title)
        time.sleep(SETTLE_SECONDS)
        figures = {scenario: sample(process.pid, display.xvfb.pid, RUN_SECONDS)}
        figures["rss"] = peak_rss_kib(process.pid)
    finally:
        stop(process)
    return figures


def command(program):
    return program if isinstance(program, list) else [program]


def start_up_ms(display, program, title):
    """Median time from spawn to the window being visible (xdotool polling)."""
    times = []
    for _ in range(STARTS):
        t0 = time.monotonic_ns()
        process = subprocess.Popen(command(program), env=display.env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        display.wait_window(title)
        times.append((time.monotonic_ns() - t0) / 1e6)
        stop(process)
        time.sleep(0.3)
    return statistics.median(times)


def run_logged(display, program, title, open_level):
    """Runs an instrumented build; the game gets level 1 and a held key at the end."""
    with tempfile.TemporaryFile(mode="w+") as log:
        t0 = time.time_ns()
        process = subprocess.Popen(command(program), env=display.env, stdout=subprocess.DEVNULL, stderr=log)
        try:
            window = display.wait_window(title)
            time.sleep(SETTLE_SECONDS / 2)
            if open_level:
                open_level1(display, window)
            time.sleep(RUN_SECONDS)
            if open_level:
                display.xdotool("keydown", "Right")
                time.sleep(HOLD_SECONDS)
                display.xdotool("keyup", "Right")
        finally:
            stop(process)
        log.seek(0)
        return log.read().splitlines(), t0


def logged_figures(lines, spawn_ns):
    shown = next((int(l.split()[1]) for l in lines if l.startswith("shown ")), None)
    app = next((int(l.split()[1]) for l in lines if l.startswith("app ")), None)
    intervals = [int(l.split()[1]) / 1000.0 for l in lines if l.startswith("traffic ")]
    intervals = intervals[5:]  # leave out the first ticks after the window opened
    # Qt does not always flag X's repeats as such: the rate is taken from the
    # usual spacing of all presses.
    presses = [int(l.split()[1]) for l in lines if l.startswith("key ")]
    spacing = statistics.median(b - a for a, b in zip(presses, presses[1:])) if len(presses) > 2 else None
    return {
        "app_ms": (app - spawn_ns) / 1e6 if app else None,
        "shown_ms": (shown - spawn_ns) / 1e6 if shown else None,
        "ticks": len(intervals),
        "interval_median": statistics.median(intervals) if intervals else None,
        "interval_p99": percentile(intervals, 0.99) if intervals else None,
        "interval_max": max(intervals) if intervals else None,
        "repeat_rate": 1e6 / spacing if spacing else None,
    }


def fmt(value, digits=2):
    return "n/a" if value is None else f"{value:.{digits}f}"


def verdict(ok):
    return "met" if ok else "MISSED"


def median_of(runs, scenario, key):
    return statistics.median(r[scenario][key] for r in runs)


def print_table(headers, rows):
    widths = [max(len(str(r[i])) for r in rows + [headers]) for i in range(len(headers))]
    print("| " + " | ".join(h.ljust(w) for h, w in zip(headers, widths)) + " |")
    print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    for r in rows:
        print("| " + " | ".join(str(c).ljust(w) for c, w in zip(r, widths)) + " |")


def measure_wine(build, windows):
    """The Windows build under Wine beside the Linux build."""
    # Wine runs straight, not through wine-run.sh, with its server kept
    # running between starts, as Windows itself is: a start then costs
    # what starting a program costs, not what starting Wine does.
    wine_prefix = os.path.join(windows, "wine-desktop")
    env = dict(os.environ, WINEPREFIX=wine_prefix, WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d;winemenubuilder.exe=d")
    prefix = ["env"] + [f"{k}={env[k]}" for k in ("WINEPREFIX", "WINEDEBUG", "WINEDLLOVERRIDES")] + ["wine"]

    def exe(name):
        # Qt's Windows builds put every program at the top of the build tree.
        for path in (os.path.join(windows, name), os.path.join(windows, "bench", name)):
            if os.path.exists(path):
                return prefix + [path]
        sys.exit(f"measure: {name} is missing in {windows}; build the Windows build with the tools on")

    with Display() as display:
        wine_run = os.path.join(os.path.dirname(__file__), "..", "cmake", "windows", "wine-run.sh")
        subprocess.run(["bash", wine_run, "--prefix", wine_prefix, "cmd", "/c", "exit"], env=display.env)
        server = subprocess.Popen(["wineserver", "-f", "-p"], env=dict(display.env, **env))
        try:
            wine_start = start_up_ms(display, exe("plodway.exe"), MENU_TITLE)
            precise = logged_figures(*run_logged(display, exe("plodway-instrumented.exe"), MENU_TITLE, True))
            coarse = logged_figures(*run_logged(
                display, exe("plodway-baseline-instrumented.exe") + ["0", "coarse"], BASELINE_TITLE, False))
        finally:
            subprocess.run(["wineserver", "-k"], env=env)
            server.wait()
        linux_start = start_up_ms(display, os.path.join(build, "plodway"), MENU_TITLE)
    with tempfile.TemporaryDirectory() as tmp:
        stripped = os.path.join(tmp, "plodway.exe")
        subprocess.run(["x86_64-w64-mingw32-strip", "-o", stripped, os.path.join(windows, "plodway.exe")], check=True)
        size = os.path.getsize(stripped)
    print_table(("figure", "Windows build under Wine", "Linux build"), [
        ("plodway.exe, stripped (MB)", fmt(size / 1e6, 1), ""),
        ("start-up to visible window, xdotool (ms); Wine's server kept running", fmt(wine_start, 0), fmt(linux_start, 0)),
        ("traffic tick, precise timer (the game's): median (ms)", fmt(precise["interval_median"], 3), ""),
        ("    p99 (ms)", fmt(precise["interval_p99"], 3), ""),
        ("    largest (ms)", fmt(precise["interval_max"], 3), ""),
        ("    ticks counted", str(precise["ticks"]), ""),
        ("50 ms on Qt's default coarse timer (the baseline): median (ms)", fmt(coarse["interval_median"], 3), ""),
        ("    p99 (ms)", fmt(coarse["interval_p99"], 3), ""),
        ("    ticks counted", str(coarse["ticks"]), ""),
    ])


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("build", nargs="?", default=os.path.join(os.path.dirname(__file__), "..", "build"))
    parser.add_argument("--before", help="an older build's plodway, measured in the same runs")
    parser.add_argument("--wine", help="a Windows build to measure under Wine beside the Linux build")
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    if args.wine:
        measure_wine(build, os.path.abspath(args.wine))
        return
    game = os.path.join(build, "plodway")
    baseline = os.path.join(build, "bench", "plodway-baseline")
    game_log = os.path.join(build, "bench", "plodway-instrumented")
    baseline_log = os.path.join(build, "bench", "plodway-baseline-instrumented")
    before = os.path.abspath(args.before) if args.before else None
    for program in (game, baseline, game_log, baseline_log) + ((before,) if before else ()):
        if not os.access(program, os.X_OK):
            sys.exit(f"measure: {program} is missing; build it first")

    games, olds, bases, blinks, synced = [], [], [], [], []
    with Display() as display:
        print(f"display {display.name}, {RUNS} runs of {RUN_SECONDS:g} s per figure", file=sys.stderr)
        for run in range(RUNS):
            games.append(measure_game(display, game))
            if before:
                olds.append(measure_game(display, before))
            bases.append(measure_baseline(display, baseline))
            blinks.append(measure_baseline(display, [baseline, "--icon-blink"], BLINK_TITLE, "menu"))
            synced.append(measure_baseline(display, [baseline, "--icon-blink", "sync"], BLINK_TITLE, "menu"))
            print(f"run {run + 1} of {RUNS} done", file=sys.stderr)
        game_start = start_up_ms(display, game, MENU_TITLE)
        base_start = start_up_ms(display, baseline, BASELINE_TITLE)
        g = logged_figures(*run_logged(display, game_log, MENU_TITLE, True))
        b = logged_figures(*run_logged(display, baseline_log, BASELINE_TITLE, False))

    def m(scenario, key="cpu", runs=games):
        return median_of(runs, scenario, key) if runs else None

    def old(scenario, key="cpu", digits=2):
        return fmt(m(scenario, key, olds), digits) if olds else ""

    def highest(scenario, key, runs):
        return max(r[scenario][key] for r in runs)

    base_cpu, base_wakes = m("level", runs=bases), m("level", "wakes", bases)
    blink_wakes, synced_wakes = m("menu", "wakes", blinks), m("menu", "wakes", synced)
    rss, base_rss = statistics.median(r["rss"] for r in games), statistics.median(r["rss"] for r in bases)
    rows = [
        ("level 1 untouched: CPU (% of one core)", fmt(m("level")), old("level"), fmt(base_cpu),
         "<= 1.3 x baseline", verdict(m("level") <= 1.3 * base_cpu)),
        ("level 1 untouched: wake-ups a second", fmt(m("level", "wakes"), 1), old("level", "wakes", 1),
         fmt(base_wakes, 1), "<= 1.5 x baseline", verdict(m("level", "wakes") <= 1.5 * base_wakes)),
        ("    stretch: both at or below the baseline", "", "", "", "<= 1.0 x",
         verdict(m("level") <= base_cpu and m("level", "wakes") <= base_wakes)),
        ("    level's share: less the menu alone (CPU / wake-ups)",
         f"{fmt(m('level') - m('menu'))} / {fmt(m('level', 'wakes') - m('menu', 'wakes'), 1)}", "",
         f"{fmt(base_cpu)} / {fmt(base_wakes, 1)}", "(information)", ""),
        ("    of which voluntary", fmt(m("level", "voluntary"), 1), old("level", "voluntary", 1),
         fmt(m("level", "voluntary", bases), 1), "(information)", ""),
        ("    Xvfb CPU meanwhile (%)", fmt(m("level", "x_cpu")), old("level", "x_cpu"),
         fmt(m("level", "x_cpu", bases)), "(information)", ""),
        ("level 1, Right held: CPU (%)", fmt(m("key")), old("key"), "", "(information)", ""),
        ("level 1, Right held: wake-ups a second", fmt(m("key", "wakes"), 1), old("key", "wakes", 1), "",
         "(information)", ""),
        ("level 1, Pause box open: CPU (%)", fmt(m("paused")), old("paused"), "", "<= the menu's, highest run",
         verdict(m("paused") <= highest("menu", "cpu", games))),
        ("level 1, Pause box open: wake-ups a second", fmt(m("paused", "wakes"), 1), old("paused", "wakes", 1), "",
         "<= the menu's, highest run", verdict(m("paused", "wakes") <= highest("menu", "wakes", games))),
        ("menu alone: CPU (%)", fmt(m("menu")), old("menu"), fmt(m("menu", runs=blinks)), "<= 0.3",
         verdict(m("menu") <= 0.3)),
        ("menu alone: wake-ups a second", fmt(m("menu", "wakes"), 1), old("menu", "wakes", 1), fmt(blink_wakes, 1),
         "<= 5 or <= baseline", verdict(m("menu", "wakes") <= 5 or m("menu", "wakes") <= blink_wakes)),
        ("    of which voluntary", fmt(m("menu", "voluntary"), 1), old("menu", "voluntary", 1),
         fmt(m("menu", "voluntary", blinks), 1), "(information)", ""),
        ("    baseline here: the menu's size, icon swapped every 500 ms", "", "", "", "(information)", ""),
        ("    the same baseline sending each icon with a sync, so it blinks", "", "", fmt(synced_wakes, 1),
         "(information)", ""),
        ("peak resident memory, menu and level 1 (MiB)", fmt(rss / 1024, 1),
         fmt(statistics.median(r["rss"] for r in olds) / 1024, 1) if olds else "", fmt(base_rss / 1024, 1),
         "<= 1.3 x baseline", verdict(rss <= 1.3 * base_rss)),
        ("    after the Pause box and the held key too",
         fmt(statistics.median(r["rss_end"] for r in games) / 1024, 1),
         fmt(statistics.median(r["rss_end"] for r in olds) / 1024, 1) if olds else "", "", "(information)", ""),
    ]
    have = g["ticks"] > 0
    rows += [
        ("start-up to visible window, xdotool (ms)", fmt(game_start, 0), "", fmt(base_start, 0),
         "<= baseline + 100", verdict(game_start <= base_start + 100)),
        ("start-up to first paint, instrumented (ms)", fmt(g["shown_ms"], 0), "", fmt(b["shown_ms"], 0),
         "<= baseline + 100",
         verdict(None not in (g["shown_ms"], b["shown_ms"]) and g["shown_ms"] <= b["shown_ms"] + 100)),
        ("    of which up to QApplication (ms)", fmt(g["app_ms"], 0), "", fmt(b["app_ms"], 0), "(information)", ""),
        ("traffic tick interval, median (ms)", fmt(g["interval_median"], 3), "", fmt(b["interval_median"], 3),
         "50 +- 0.5", verdict(have and abs(g["interval_median"] - 50) <= 0.5)),
        ("traffic tick interval, p99 (ms)", fmt(g["interval_p99"], 3), "", fmt(b["interval_p99"], 3),
         "< 55", verdict(have and g["interval_p99"] < 55)),
        ("traffic tick interval, largest (ms)", fmt(g["interval_max"], 3), "", fmt(b["interval_max"], 3),
         "(information)", ""),
        ("traffic ticks counted", str(g["ticks"]), "", str(b["ticks"]), "", ""),
        ("auto-repeat while Right is held (presses/s)", fmt(g["repeat_rate"], 1), "", "", "(information)", ""),
    ]
    print_table(("figure", "plodway", "before" if olds else "", "baseline", "target", ""), rows)

    print("\nEvery run (the table gives the medians):")
    for name, runs in (("plodway", games), ("before", olds)):
        for scenario, label in (("level", "level 1 untouched"), ("key", "Right held"),
                                ("paused", "Pause box open"), ("menu", "menu alone")):
            if runs:
                print(f"  {name}, {label}: CPU {' '.join(fmt(r[scenario]['cpu']) for r in runs)};"
                      f" wake-ups {' '.join(fmt(r[scenario]['wakes'], 1) for r in runs)}")
    print(f"  baseline: CPU {' '.join(fmt(r['level']['cpu']) for r in bases)};"
          f" wake-ups {' '.join(fmt(r['level']['wakes'], 1) for r in bases)}")
    print(f"  baseline swapping its icon: CPU {' '.join(fmt(r['menu']['cpu']) for r in blinks)};"
          f" wake-ups {' '.join(fmt(r['menu']['wakes'], 1) for r in blinks)}")
    print(f"  the same, synced: CPU {' '.join(fmt(r['menu']['cpu']) for r in synced)};"
          f" wake-ups {' '.join(fmt(r['menu']['wakes'], 1) for r in synced)}")
    print("\nWake-ups a second by thread, medians:")
    for label, runs, scenario in (("level 1 untouched", games, "level"), ("Right held", games, "key"),
                                  ("Pause box open", games, "paused"), ("menu alone", games, "menu"),
                                  ("before, level 1 untouched", olds, "level"), ("baseline", bases, "level"),
                                  ("baseline swapping its icon", blinks, "menu"),
                                  ("the same, synced", synced, "menu")):
        if not runs:
            continue
        names = sorted({n for r in runs for n in r[scenario]["threads"]})
        parts = [f"{n} {fmt(statistics.median(r[scenario]['threads'].get(n, 0.0) for r in runs), 1)}"
                 for n in names]
        print(f"  {label}: {', '.join(parts)}")


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *a: sys.exit(1))  # still tears the display down
    main()
