#!/usr/bin/env python3
"""Varnelle benchmark: runs the viewer and the floor program side by side on
the X server named by DISPLAY, its window manager already running, gathers
the figures from varnelle_probe and varnelle_frame_time, prints the results
table and writes docs/performance.md from the template performance.md.in
beside this script.

Usage: run_bench.py BUILD_DIR OUTPUT_MARKDOWN
"""
import math
import os
import platform
import statistics
import subprocess
import sys
import tempfile
import time

# Pairs of first-frame runs, viewer and floor alternating.
FIRST_FRAME_PAIRS = 31
# Sessions of each program, alternating; each gives idle CPU, key latency
# and memory figures.
SESSIONS_PER_PROGRAM = 2
TIMED_PRESSES = 100
# Frames per session: memory growth is read over the last 600 of them, after
# the first hundred have paid any one-off cost.
SESSION_FRAMES = 700
GROWTH_FROM_FRAME = 100
IDLE_SECONDS = 5
# Frame-time driver: rounds of alternating scene and clear-only blocks.
FRAME_SIZES = [(480, 480), (1280, 1024)]
FRAME_ROUNDS = 10
FRAMES_PER_ROUND = 20
# Uncounted frames of each loop that the driver runs first.
WARM_UP_FRAMES = 10
# Targets.
FIRST_FRAME_RATIO_LIMIT = 1.05
COMMAND = "make bench"


def run(args):
    """Run a command and return its standard output; fail loudly."""
    done = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                          text=True, check=False)
    if done.returncode != 0:
        sys.exit("bench: %s failed (%d):\n%s" % (" ".join(args), done.returncode, done.stderr))
    return done.stdout


def parse(output):
    """Turn "name value..." lines into a dict of lists of strings."""
    result = {}
    for line in output.splitlines():
        parts = line.split()
        if parts:
            result[parts[0]] = parts[1:]
    return result


def percentile(values, fraction):
    """Nearest-rank percentile of a list of numbers."""
    ordered = sorted(values)
    rank = max(1, math.ceil(fraction * len(ordered)))
    return ordered[min(rank, len(ordered)) - 1]


def ms(micros):
    return "%.1f" % (micros / 1000.0) if micros >= 10000 else "%.2f" % (micros / 1000.0)


def spread(values):
    """Median with its 10th to 90th percentile range, in ms."""
    return "%s (%s–%s)" % (ms(statistics.median(values)), ms(percentile(values, 0.1)),
                           ms(percentile(values, 0.9)))


def machine_load():
    load = os.getloadavg()
    return "%.2f %.2f %.2f" % load


def busiest_processes():
    """The processes using CPU right now, from top's second sample."""
    top = subprocess.run(["top", "-bn2", "-d", "0.5", "-w", "200"], stdout=subprocess.PIPE,
                         stderr=subprocess.DEVNULL, text=True).stdout.splitlines()
    rows = []
    headers_seen = 0
    for line in top:
        fields = line.split()
        if fields[:1] == ["PID"]:
            headers_seen += 1
            continue
        if headers_seen == 2 and len(fields) >= 12 and float(fields[8]) > 0.0:
            rows.append("%s %s%%" % (fields[11], fields[8]))
    return rows


def first_frames(probe, viewer, floor):
    """Alternate the two programs, swapping which goes first in each pair."""
    # One run of each first, not counted, so both start with warm caches.
    run([probe, "first-frame", viewer])
    run([probe, "first-frame", floor])
    viewer_times, floor_times = [], []
    for pair in range(FIRST_FRAME_PAIRS):
        order = [(viewer, viewer_times), (floor, floor_times)]
        if pair % 2 == 1:
            order.reverse()
        for program, times in order:
            times.append(int(parse(run([probe, "first-frame", program]))["first_frame_us"][0]))
    return viewer_times, floor_times


def instructions_to_first_frame(probe, program):
    """Instructions the program runs from exec to its first display(), by
    callgrind: the same comparison as the first frame, free of the machine's
    noise."""
    with tempfile.TemporaryDirectory() as scratch:
        profile = os.path.join(scratch, "callgrind.out")
        run([probe, "first-frame", "valgrind", "--tool=callgrind", "--dump-before=display()",
             "--callgrind-out-file=" + profile, program])
        # The part dumped on entering display() is numbered 1.
        with open(profile + ".1") as part:
            for line in part:
                if line.startswith("summary:"):
                    return int(line.split()[1])
    sys.exit("bench: no instruction count for %s" % program)


def sessions(probe, viewer, floor):
    results = {viewer: [], floor: []}
    for index in range(SESSIONS_PER_PROGRAM):
        order = [viewer, floor] if index % 2 == 0 else [floor, viewer]
        for program in order:
            output = run([probe, "session", program, str(TIMED_PRESSES), str(SESSION_FRAMES),
                          str(IDLE_SECONDS)])
            session = parse(output)
            # Every press must have reached the program, and no frame may
            # have reported an OpenGL error.
            if int(session["key_lines"][0]) != SESSION_FRAMES or int(session["error_lines"][0]):
                sys.exit("bench: %s: %s key lines for %d presses, %s error lines" % (
                    program, session["key_lines"][0], SESSION_FRAMES,
                    session["error_lines"][0]))
            results[program].append(session)
    return results[viewer], results[floor]


def frame_times(driver):
    results = []
    for width, height in FRAME_SIZES:
        output = parse(run([driver, str(width), str(height), str(FRAME_ROUNDS),
                            str(FRAMES_PER_ROUND)]))
        results.append((width, height, [int(t) for t in output["scene"]],
                        [int(t) for t in output["clear"]], " ".join(output["renderer"]),
                        [int(kb) for kb in output["resident_kb"]]))
    return results


def pooled(session_list, name):
    values = []
    for session in session_list:
        values += [int(v) for v in session[name]]
    return values


def memory(session, name):
    """kB by frame count, from the probe's pairs."""
    pairs = [int(v) for v in session[name]]
    return dict(zip(pairs[0::2], pairs[1::2]))


def memory_cells(session_list, name):
    """Start-up figure, one-off growth by the first key's frame, growth over
    the last 600 frames; each as the list over sessions."""
    startup, first_key, growth = [], [], []
    for session in session_list:
        kb = memory(session, name)
        startup.append(kb[0])
        first_key.append(kb[1] - kb[0])
        growth.append(kb[SESSION_FRAMES] - kb[GROWTH_FROM_FRAME])
    return startup, first_key, growth


def cpu_model():
    with open("/proc/cpuinfo") as info:
        for line in info:
            if line.startswith("model name"):
                return line.split(":", 1)[1].strip()
    return platform.processor()


def memory_total():
    with open("/proc/meminfo") as info:
        for line in info:
            if line.startswith("MemTotal"):
                return "%.1f GiB" % (int(line.split()[1]) / 1024.0 / 1024.0)
    return "?"


def proactive_pageout():
    """Whether the kernel runs DAMON, which may page out cold memory."""
    root = "/sys/kernel/mm/damon/admin/kdamonds"
    try:
        states = [open(os.path.join(root, d, "state")).read().strip()
                  for d in os.listdir(root) if d.isdigit()]
    except OSError:
        return "not available"
    return "on" if "on" in states else "off"


def kb_list(values):
    return ", ".join("%d" % v for v in values)


def verdict(met):
    return "met" if met else "**missed**"


def main():
    build, output_path = sys.argv[1], sys.argv[2]
    probe = os.path.join(build, "varnelle_probe")
    floor = os.path.join(build, "varnelle_floor")
    viewer = os.path.join(build, "varnelle", "varnelle")
    driver = os.path.join(build, "varnelle_frame_time")

    load_before = machine_load()
    busy_before = busiest_processes()
    started = time.strftime("%Y-%m-%d %H:%M UTC", time.gmtime())
    print("bench: first frames, %d pairs" % FIRST_FRAME_PAIRS, flush=True)
    viewer_first, floor_first = first_frames(probe, viewer, floor)
    print("bench: instructions to the first frame (callgrind)", flush=True)
    viewer_instructions = instructions_to_first_frame(probe, viewer)
    floor_instructions = instructions_to_first_frame(probe, floor)
    print("bench: sessions (idle CPU, key latency, memory)", flush=True)
    viewer_sessions, floor_sessions = sessions(probe, viewer, floor)
    print("bench: frame times", flush=True)
    frames = frame_times(driver)
    load_after = machine_load()

    ratios = [v / f for v, f in zip(viewer_first, floor_first)]
    ratio = statistics.median(ratios)
    rows = []
    rows.append("| First frame: exec to first `D`, ms, median (min–max) of %d | %s (%s–%s) | "
                "%s (%s–%s) | ratio ≤ %.2f | ratio %.3f (pairs %.3f–%.3f): %s |" % (
                    len(viewer_first), ms(statistics.median(viewer_first)),
                    ms(min(viewer_first)), ms(max(viewer_first)),
                    ms(statistics.median(floor_first)), ms(min(floor_first)),
                    ms(max(floor_first)), FIRST_FRAME_RATIO_LIMIT, ratio, min(ratios),
                    max(ratios), verdict(ratio <= FIRST_FRAME_RATIO_LIMIT)))

    rows.append("| Instructions from exec to the first `display()`, millions (callgrind) | "
                "%.1f | %.1f | | ratio %.3f |" % (
                    viewer_instructions / 1e6, floor_instructions / 1e6,
                    viewer_instructions / floor_instructions))

    viewer_idle = [int(s["idle_ticks"][0]) for s in viewer_sessions]
    floor_idle = [int(s["idle_ticks"][0]) for s in floor_sessions]
    idle_lines = [int(s["idle_lines"][0]) for s in viewer_sessions]
    rows.append("| Idle CPU over %d s, ticks of 1/%s s, each session | %s | %s | 0 | "
                "%s (trace lines while idle: %s) |" % (
                    IDLE_SECONDS, viewer_sessions[0]["clock_ticks_per_second"][0],
                    kb_list(viewer_idle), kb_list(floor_idle), verdict(max(viewer_idle) == 0),
                    kb_list(idle_lines)))

    viewer_latency = pooled(viewer_sessions, "latency_us")
    floor_latency = pooled(floor_sessions, "latency_us")
    viewer_sender = pooled(viewer_sessions, "sender_us")
    floor_sender = pooled(floor_sessions, "sender_us")
    scene_480 = frames[0][2]
    budget = percentile(viewer_sender, 0.95) + statistics.median(scene_480)
    rows.append("| Key `f` to next `D`, ms, p50 / p95 (max) of %d presses | %s / %s (%s) | "
                "%s / %s (%s) | p95 ≤ sender p95 + one frame = %s | %s |" % (
                    len(viewer_latency), ms(percentile(viewer_latency, 0.5)),
                    ms(percentile(viewer_latency, 0.95)), ms(max(viewer_latency)),
                    ms(percentile(floor_latency, 0.5)), ms(percentile(floor_latency, 0.95)),
                    ms(max(floor_latency)), ms(budget),
                    verdict(percentile(viewer_latency, 0.95) <= budget)))
    rows.append("| Key sender's own cost (XTest press and release, XSync), ms, p50 / p95 (max) | "
                "%s / %s (%s) | %s / %s (%s) | | |" % (
                    ms(percentile(viewer_sender, 0.5)), ms(percentile(viewer_sender, 0.95)),
                    ms(max(viewer_sender)), ms(percentile(floor_sender, 0.5)),
                    ms(percentile(floor_sender, 0.95)), ms(max(floor_sender))))

    viewer_share = [l - c for l, c in zip(viewer_latency, viewer_sender)]
    floor_share = [l - c for l, c in zip(floor_latency, floor_sender)]
    rows.append("| Key to `D` less the sender's cost, press by press, ms, p50 / p95 (max) | "
                "%s / %s (%s) | %s / %s (%s) | | |" % (
                    ms(percentile(viewer_share, 0.5)), ms(percentile(viewer_share, 0.95)),
                    ms(max(viewer_share)), ms(percentile(floor_share, 0.5)),
                    ms(percentile(floor_share, 0.95)), ms(max(floor_share))))

    for width, height, scene, clear, _, _ in frames:
        rows.append("| Frame time %d×%d, ms, median (p10–p90) of %d: `display` + glFinish; "
                    "floor: the clear-only loop | %s | %s | | scene costs %s |" % (
                        width, height, len(scene), spread(scene), spread(clear),
                        ms(statistics.median(scene) - statistics.median(clear))))

    for name, label in (("resident_kb", "Resident memory (VmRSS)"),
                        ("anonymous_kb", "Anonymous resident memory (RssAnon)")):
        viewer_start, viewer_first_key, viewer_growth = memory_cells(viewer_sessions, name)
        floor_start, floor_first_key, floor_growth = memory_cells(floor_sessions, name)
        rows.append("| %s after start-up, kB, each session | %s | %s | | |" % (
            label, kb_list(viewer_start), kb_list(floor_start)))
        rows.append("| … its growth by the first key's frame (one-off), kB | %s | %s | | |" % (
            kb_list(viewer_first_key), kb_list(floor_first_key)))
        rows.append("| … its growth over the 600 frames %d to %d, kB | %s | %s | 0 | %s |" % (
            GROWTH_FROM_FRAME, SESSION_FRAMES, kb_list(viewer_growth), kb_list(floor_growth),
            verdict(max(viewer_growth) <= 0)))
    for width, height, _, _, _, kb in frames:
        rows.append("| Resident memory of the frame-time driver at %d×%d before its first frame "
                    "→ after %d scene frames, kB | %d → %d | | | the scene's first frames add "
                    "%d |" % (width, height, WARM_UP_FRAMES, kb[0], kb[1], kb[1] - kb[0]))

    table = "\n".join(["| Figure | Varnelle | Floor | Target | Result |",
                       "|---|---|---|---|---|"] + rows)
    print(table)

    renderer = frames[0][4]
    busy = ", ".join(busy_before) if busy_before else "none"
    values = {
        "started": started, "pageout": proactive_pageout(), "cpu": cpu_model(),
        "cores": os.cpu_count(), "memory": memory_total(), "kernel": platform.release(),
        "renderer": renderer, "loadBefore": load_before, "loadAfter": load_after, "busy": busy,
        "table": table, "pairs": FIRST_FRAME_PAIRS, "sessions": SESSIONS_PER_PROGRAM,
        "presses": TIMED_PRESSES, "frames": SESSION_FRAMES, "growthFrom": GROWTH_FROM_FRAME,
        "idle": IDLE_SECONDS, "rounds": FRAME_ROUNDS, "perRound": FRAMES_PER_ROUND,
    }
    here = os.path.dirname(os.path.abspath(__file__))
    with tempfile.TemporaryDirectory() as folder:
        for name, value in values.items():
            with open(os.path.join(folder, name), "w") as value_file:
                value_file.write(str(value))
        run([os.path.join(here, "..", "tools", "fill-page.sh"),
             os.path.join(here, "performance.md.in"), folder, output_path, COMMAND])
    print("bench: wrote %s" % output_path)


if __name__ == "__main__":
    main()
