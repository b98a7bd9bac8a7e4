#!/usr/bin/env python3
"""Turns ./bench's raw results (a folder) into its Markdown report on standard output."""
import json
import os
import statistics
import sys

PAIRS = [  # program, its bare window, what the bare window does on its tick
    ("orvanedesk", "bare_desk", "1 s timer, sets its title when the second changes"),
    ("tickmoth", "bare_picture", "1 s timer, one 150x150 copy to the round window"),
    ("tamsela", "bare_character", "40 ms timer, nothing else"),
    ("tamselb", "bare_character", "40 ms timer, nothing else"),
    ("tamselc", "bare_character", "40 ms timer, nothing else"),
]
CPU_GOAL_MS_PER_MIN = {"orvanedesk": 30.0, "tickmoth": 30.0}  # 0.05 % of one core
RATIO_GOAL = 1.5
STARTUP_GOAL = 1.3
ALARM_PATHS = [
    ("BM_Load", "load: parse Message.ini from memory"),
    ("BM_Save", "save: format Message.ini in memory"),
    ("BM_LoadAndSaveFile", "load and save through a real file (atomic write, flushed)"),
    ("BM_RebuildHourMessages", "rebuild the hour's candidates"),
    ("BM_MinuteCheck", "minute check at a new minute"),
    ("BM_TickWithinTheMinute", "tick within the minute (nothing to do)"),
]


def read_lines(path):
    if not os.path.exists(path):
        return []
    with open(path, encoding="utf-8", errors="replace") as f:
        return [line.rstrip("\n") for line in f if line.strip()]


def spread(values, fmt="{:.1f}"):
    if len(values) == 1:
        return fmt.format(values[0]) + " (1 round)"
    return (fmt + " ({}–{})").format(
        statistics.median(values), fmt.format(min(values)), fmt.format(max(values)))


def machine_section(folder):
    info = {}
    for line in read_lines(os.path.join(folder, "machine.txt")):
        key, _, value = line.partition(" ")
        info[key] = value
    out = ["# The clocks measured", ""]
    out.append(f"Run {info.get('date', '?')} on {info.get('cpus', '?')} CPUs "
               f"({info.get('cpu_model', '?')}), {info.get('wine', 'Wine')}. "
               f"Load average (1, 5, 15 min) {info.get('load_start', '?')} at the start, "
               f"{info.get('load_end', '?')} at the end.")
    out.append("")
    out.append("This machine is shared and its load moves while ./bench runs: absolute numbers "
               "vary from run to run by tens of percent. Each program therefore runs at the same "
               "time as its bare window, so a busy moment falls on both, and the ratios of the "
               "same round are the figures to compare; medians over the rounds, with the lowest "
               "and highest in brackets.")
    out.append("")
    shots = sorted(f for f in os.listdir(folder) if f.startswith("screen-"))
    if shots:
        out.append("The screen during the first round (the windows measured, none covering "
                   "another): " + ", ".join(os.path.join(folder, f) for f in shots))
        out.append("")
    return out


def alarm_section(folder):
    path = os.path.join(folder, "alarms.json")
    out = ["## The alarm list's data paths (Google Benchmark, host, optimised)", ""]
    if not os.path.exists(path):
        return out + ["No results (alarms_bench did not run).", ""]
    with open(path) as f:
        data = json.load(f)
    times = {}
    for b in data.get("benchmarks", []):
        name, _, size = b["name"].partition("/")
        if b.get("run_type", "iteration") != "iteration" or not size.isdigit():
            continue
        scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}[b.get("time_unit", "ns")]
        times.setdefault(name, {})[int(size)] = b["cpu_time"] * scale
    sizes = sorted({s for t in times.values() for s in t})
    out.append("CPU time per call in microseconds at each number of records, and the growth "
               "from each size to the next (×10 records): about 10 is linear growth.")
    out.append("")
    out.append("| Path | " + " | ".join(f"{s:,}" for s in sizes) + " | growth per ×10 |")
    out.append("|---|" + "---:|" * len(sizes) + "---|")
    for name, label in ALARM_PATHS:
        t = times.get(name)
        if not t:
            continue
        cells = [f"{t[s]:,.2f}" if s in t else "–" for s in sizes]
        growth = []
        for a, b in zip(sizes, sizes[1:]):
            if a in t and b in t and t[a] > 0:
                growth.append(f"{t[b] / t[a]:.1f}")
        out.append(f"| {label} | " + " | ".join(cells) + " | " + ", ".join(growth) + " |")
    out.append("")
    out.append("The tick within a minute does nothing whatever the size (growth about 1); the "
               "minute check looks only at the hour's candidates, so it grows with them.")
    out.append("")
    return out


def cpu_section(folder):
    rows = {}  # (round, name) -> (cpu_ns, rss_kb, seconds)
    for line in read_lines(os.path.join(folder, "cpu.txt")):
        r, name, ns, rss, secs = line.split()
        rows[(r, name)] = (int(ns), int(rss), float(secs))
    out = ["## CPU time and memory under Wine, each program beside its bare window", ""]
    if not rows:
        return out + ["No results.", ""]
    out.append("CPU time of all the process's threads (the scheduler's count from "
               "/proc/<pid>/task/*/schedstat) over each round, after both had settled, scaled "
               "to one minute; resident memory (VmRSS) at the end of the round. Wine's server "
               "and the X server work for both sides and are counted for neither.")
    out.append("")
    out.append("| Program | its CPU, ms/min | bare window | bare CPU, ms/min | ratio | "
               "% of one core | RSS, MB (bare) | goals |")
    out.append("|---|---:|---|---:|---:|---:|---:|---|")
    for program, bare, what in PAIRS:
        rounds = sorted(r for (r, n) in rows if n == program)
        if not rounds:
            continue
        mine, theirs, ratios, rss, bare_rss = [], [], [], [], []
        for r in rounds:
            ns, kb, secs = rows[(r, program)]
            mine.append(ns / 1e6 * 60 / secs)
            rss.append(kb / 1024)
            if (r, bare) in rows:
                bns, bkb, bsecs = rows[(r, bare)]
                theirs.append(bns / 1e6 * 60 / bsecs)
                bare_rss.append(bkb / 1024)
                if bns > 0:
                    ratios.append((ns / secs) / (bns / bsecs))
        med = statistics.median(mine)
        goals = []
        if ratios:
            ok = statistics.median(ratios) <= RATIO_GOAL
            goals.append(f"ratio ≤ {RATIO_GOAL}: {'met' if ok else 'NOT met'}")
        if program in CPU_GOAL_MS_PER_MIN:
            goal = CPU_GOAL_MS_PER_MIN[program]
            text = f"< {goal:.0f} ms/min: {'met' if med < goal else 'NOT met'}"
            if theirs and statistics.median(theirs) >= goal:
                text += f" (its bare window alone takes {statistics.median(theirs):.0f})"
            goals.append(text)
        out.append(
            f"| {program} | {spread(mine)} | {what} | {spread(theirs) if theirs else '–'} | "
            f"{spread(ratios, '{:.2f}') if ratios else '–'} | {med / 600:.3f} % | "
            f"{statistics.median(rss):.1f} ({statistics.median(bare_rss) if bare_rss else 0:.1f}) | "
            f"{'; '.join(goals)} |")
    out.append("")
    return out


TICKS_PER_SECOND = {"orvanedesk": 1, "tickmoth": 1, "tamsela": 25, "tamselb": 25, "tamselc": 25}


def calls_section(folder):
    rows = {}  # program -> its counts and its group's bare window's
    groups = {}
    for line in read_lines(os.path.join(folder, "calls.txt")):
        group, name, requests, x_writes, secs = line.split()
        groups.setdefault(group, {})[name] = (int(requests) / float(secs),
                                              int(x_writes) / float(secs))
    for members in groups.values():
        for program, bare, _ in PAIRS:
            if program in members and bare in members:
                rows[program] = (members[program], members[bare])
    out = ["## Requests to the Wine server and the X server", ""]
    if not rows:
        return out + ["Not counted (strace is missing).", ""]
    out.append("Counted by strace over 10 s within one minute, each group at once: a request to the Wine "
               "server is one write on the process's request pipe; what reaches the screen goes "
               "out as writes on the X connection. Unlike CPU time, these counts do not depend on "
               "the machine's load. The last column is what one tick asks of the Wine server "
               "beyond what the bare window's tick asks.")
    out.append("")
    out.append("| Program | server requests/s | X writes/s | bare: server requests/s | "
               "bare: X writes/s | extra server requests per tick |")
    out.append("|---|---:|---:|---:|---:|---:|")
    for program, _, _ in PAIRS:
        if program not in rows:
            continue
        (w, x), (bw, bx) = rows[program]
        extra = (w - bw) / TICKS_PER_SECOND[program]
        out.append(f"| {program} | {w:.1f} | {x:.1f} | {bw:.1f} | {bx:.1f} | {extra:.2f} |")
    out.append("")
    return out


def startup_section(folder):
    times = {}  # program -> [painted ms]
    visible = {}
    failed = {}
    for line in read_lines(os.path.join(folder, "startup.tsv")):
        parts = line.split("\t")
        if len(parts) != 3:
            continue
        command, v, p = parts
        exe = command.split(" ")[0].split("\\")[-1].removesuffix(".exe")
        if p == "failed":
            failed[exe] = failed.get(exe, 0) + 1
            continue
        times.setdefault(exe, []).append(float(p))
        visible.setdefault(exe, []).append(float(v))
    out = ["## Start-up time", ""]
    if not times:
        return out + ["No results.", ""]
    out.append("From just before CreateProcess (by a small Windows program, tools/startup_probe) "
               "to the moment the program's window is visible, and to the moment it has painted: "
               "its update region is empty and its thread is back in its message loop (it answered "
               "a sent WM_NULL). Each program started 7 times, in turn with the others, after one "
               "unmeasured warm-up start; the bare window is a plain window with a timer. Most "
               "of both is Wine starting a process.")
    out.append("")
    out.append("| Program | visible, ms | painted, ms | ratio to the bare window | goal ≤ 1.3 |")
    out.append("|---|---:|---:|---:|---|")
    bare = statistics.median(times["bare_window"]) if "bare_window" in times else None
    for exe in sorted(times, key=lambda e: (e == "bare_window", e)):
        p = statistics.median(times[exe])
        ratio = f"{p / bare:.2f}" if bare else "–"
        goal = "" if exe == "bare_window" or not bare else (
            "met" if p / bare <= STARTUP_GOAL else "NOT met")
        note = f" ({failed[exe]} failed)" if exe in failed else ""
        out.append(f"| {exe}{note} | {statistics.median(visible[exe]):.0f} | "
                   f"{spread(times[exe], '{:.0f}')} | {ratio} | {goal} |")
    out.append("")
    return out


EDITIONS = ["a", "b", "c"]


def tamsel_section(folder):
    values = {}  # edition -> name -> value
    for letter in EDITIONS:
        for line in read_lines(os.path.join(folder, f"tamsel_timing_{letter}.tsv")):
            name, _, ms = line.replace("\r", "").partition("\t")
            try:
                values.setdefault(letter, {})[name] = float(ms)
            except ValueError:
                pass
    out = ["## The character clock's drawing (each edition, in-process under Wine)", ""]
    if not values:
        return out + ["No results.", ""]
    labels = [
        ("region_from_one_read", "window region from picture 104, pixels read in one call"),
        ("region_pixel_by_pixel", "the same region, one GetPixel and one union per run"),
        ("load_three_pictures", "loading the three pictures from the resources, as each paint "
                                "does"),
        ("paint_whole_window", "a whole-window paint (a new minute)"),
        ("paint_face_area", "a face-area paint (an animation frame)"),
        ("paint_creature_area", "a creature-area paint (the second edition's creatures)"),
        ("tick_and_paint_mean", "a 40 ms tick with the paint it asks for, mean over one "
                                "animation cycle"),
    ]
    letters = [e for e in EDITIONS if e in values]
    out.append("CPU time of the thread (not wall time), per call, averaged over at least half a "
               "second of CPU. What Wine then does to bring a paint to the screen happens later in "
               "the message loop and is not in these figures.")
    out.append("")
    out.append("| Work, CPU ms per call | " + " | ".join(f"tamsel{e}" for e in letters) + " |")
    out.append("|---|" + "---:|" * len(letters))
    for key, label in labels:
        cells = [f"{values[e][key]:.3f}" if key in values[e] else "–" for e in letters]
        if any(c != "–" for c in cells):
            out.append(f"| {label} | " + " | ".join(cells) + " |")
    counts = [values[e].get("animation_paints_per_minute") for e in letters]
    if all(c is not None for c in counts):
        out.append("| paints a minute asked for by the animation (a count, not ms) | " +
                   " | ".join(f"{c:.0f}" for c in counts) + " |")
    out.append("")
    own = {e: values[e]["tick_and_paint_mean"] * 1500 for e in letters
           if "tick_and_paint_mean" in values[e]}
    if own:
        out.append("At 1,500 ticks a minute the clock's own drawing and deciding comes to about " +
                   ", ".join(f"{own[e]:.0f} ms (tamsel{e})" for e in own) +
                   " of CPU a minute; the rest of its CPU time in the table above is Wine "
                   "delivering the timer messages, which the bare 40 ms window pays too, and "
                   "bringing each paint to the screen, which it does not.")
        out.append("")
    return out


def main():
    folder = sys.argv[1]
    lines = []
    for section in (machine_section, cpu_section, calls_section, startup_section,
                    tamsel_section, alarm_section):
        lines += section(folder)
    print("\n".join(lines))


if __name__ == "__main__":
    main()
