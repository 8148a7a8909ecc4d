#!/usr/bin/env python3
"""Gathers what bench/run measured into one table, each figure with its target.

    report.py BENCHMARKS.json RACE.txt PNG.txt PLAY.txt STARTUP.txt BLOCK_PLAY.txt JOBS.txt

BENCHMARKS.json is Google Benchmark's JSON output (with repetitions, so it
holds medians); RACE.txt, PNG.txt, PLAY.txt and STARTUP.txt are what
load_replace_save.sh, png_load_save.sh, vexlo_play.sh and startup.sh printed,
BLOCK_PLAY.txt what block_play.sh printed, JOBS.txt what play_jobs.sh printed
(any may be missing when that step could not run).
Prints a Markdown table; exits 1 when a figure misses its target or is missing.
"""
import json
import re
import sys


def medians(path):
    """Benchmark name -> its median aggregate entry."""
    try:
        with open(path) as file:
            runs = json.load(file)["benchmarks"]
    except (OSError, ValueError, KeyError):
        return {}
    return {run["run_name"]: run for run in runs if run.get("aggregate_name") == "median"}


def text_of(path):
    try:
        with open(path) as file:
            return file.read()
    except OSError:
        return ""


def milliseconds(run):
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[run["time_unit"]]
    return run["real_time"] * scale


def main():
    benchmarks = medians(sys.argv[1])
    race = text_of(sys.argv[2])
    png = text_of(sys.argv[3])
    play = text_of(sys.argv[4])
    startup = text_of(sys.argv[5])
    block_play = text_of(sys.argv[6]) if len(sys.argv) > 6 else ""
    rows = []  # (figure, value text, target text, verdict or None when there is no target)

    def benchmark_row(figure, name, show, target=None, meets=None):
        run = benchmarks.get(name)
        if run is None:
            rows.append((figure, "not measured", target or "", False if target else None))
            return
        value = show(run)
        rows.append((figure, value[0], target or "", meets(value[1]) if meets else None))

    gigabytes = lambda run: (f"{run['bytes_per_second'] / 1e9:.2f} GB/s", run["bytes_per_second"] / 1e9)
    micros = lambda run: (f"{milliseconds(run) * 1000:.2f} µs", milliseconds(run) * 1000)
    millis = lambda run: (f"{milliseconds(run):.2f} ms", milliseconds(run))

    benchmark_row("Replace colour, 256 x 32768 sheet", "ReplaceColourOnATallSheet", gigabytes,
                  "at least 2 GB/s", lambda v: v >= 2)
    benchmark_row("Replace colour, 256 x 131072 sheet (the largest)", "ReplaceColourOnTheLargestSheet", gigabytes,
                  "at least 2 GB/s", lambda v: v >= 2)
    benchmark_row("One drop's tile work (get, put with both replacements, clear), 1024-high sheets",
                  "OneDrop/1024", micros, "under 5 µs", lambda v: v < 5)
    benchmark_row("One drop's tile work, 32768-high sheets", "OneDrop/32768", micros, "under 5 µs",
                  lambda v: v < 5)
    benchmark_row("A whole drag with its undo record (pick-up, drop, step pushed), 32768-high sheets",
                  "DropWithItsUndoRecord/32768", micros, "under 3 µs", lambda v: v < 3)
    benchmark_row("Undo and redo of a drop, the pair, 32768-high sheets", "UndoAndRedoOfADrop/32768", micros,
                  "under 20 µs", lambda v: v < 20)
    benchmark_row("Undo of Replace colour on the largest sheet", "UndoOfReplaceColourOnTheLargestSheet", millis,
                  "under 50 ms", lambda v: v < 50)
    budget = benchmarks.get("KeptStepsResidentMemory/iterations:1", {}).get("budget_MiB", 256)
    benchmark_row("Resident memory of the undo steps kept through 14 Plays of 16,382 tiles each and every "
                  "undo and redo, 256 x 32768 sheets", "KeptStepsResidentMemory/iterations:1",
                  lambda run: (f"{run['resident_MiB']:.1f} MiB ({run['counted_MiB']:.1f} counted)",
                               run["resident_MiB"]),
                  f"at most {budget * 1.1:.1f} MiB (the {budget:.0f} MiB budget + 10%)", lambda v: v <= budget * 1.1)
    benchmark_row("Selecting, then swapping two 8 x 256-tile blocks of a 4096-tile sheet, with its undo record",
                  "BlockSwapWithItsUndoRecord", millis, "under 10 ms", lambda v: v < 10)
    benchmark_row("Undo of that block swap", "UndoOfABlockSwap", millis, "under 10 ms", lambda v: v < 10)
    swap = benchmarks.get("BlockSwapWithItsUndoRecord")
    window_ms = milliseconds(swap) if swap else None
    benchmark_row("Replaying the swap's 12,289 recorded lines as vexlo-play does, besides reading and writing",
                  "ReplayOfABlockSwap", millis,
                  f"within 2x the window's {window_ms:.2f} ms" if window_ms else "within 2x the window's time",
                  lambda v: window_ms is not None and v <= 2 * window_ms)
    benchmark_row("Replace colour with its undo record, the largest sheet",
                  "ReplaceColourWithItsUndoRecordOnTheLargestSheet", gigabytes)
    benchmark_row("Playing 32,767 macro lines on two 256 x 8192 sheets", "PlayAFullMacro", millis, "under 50 ms",
                  lambda v: v < 50)
    benchmark_row("Save the largest sheet as a bitmap", "SaveTheLargestSheet", millis)
    benchmark_row("Save the largest sheet as a PNG, as the save dialog does", "SaveTheLargestSheetAsPng", millis,
                  "under 1 s", lambda v: v < 1000)
    benchmark_row("Load the largest sheet as the load dialog does", "LoadTheLargestSheet", millis)
    benchmark_row("Load, replace colour, save of 256 x 8192 inside a program", "LoadReplaceSaveInAProgram", millis)
    benchmark_row("Save a 256 x 8192 PNG sheet as the save dialog does", "SaveAPngSheet", millis)
    benchmark_row("Load a 256 x 8192 PNG sheet as the load dialog does", "LoadAPngSheet", millis)
    benchmark_row("Of that, the check of its image data against its size", "CheckTheImageDataOfAPngSheet", millis)

    def median_in(text, label):
        found = re.search(re.escape(label) + r".*median (\d+(?:\.\d+)?)", text)
        return float(found.group(1)) if found else None

    inside = median_in(race, "Vexlo core, in the running program:")
    process = median_in(race, "Vexlo core, a process per run:")
    magick = median_in(race, "ImageMagick convert, a process per run:")
    if inside and magick:
        ratio = magick / inside
        rows.append(("Load, replace colour, save of 256 x 8192: ImageMagick's time / Vexlo's in the running program",
                     f"{ratio:.2f} ({inside / 1000:.1f} ms against {magick / 1000:.1f} ms)", "at least 3",
                     ratio >= 3))
    else:
        rows.append(("Load, replace colour, save against ImageMagick", "not measured", "at least 3", False))
    if process and magick:
        rows.append(("The same with Vexlo as a process per run, start-up included",
                     f"{magick / process:.2f} ({process / 1000:.1f} ms against {magick / 1000:.1f} ms)", "", None))

    png_inside = median_in(png, "Vexlo core, in the running program:")
    png_fast = median_in(png, "ImageMagick convert, fastest compression:")
    png_own = median_in(png, "ImageMagick convert, its own settings:")
    if png_inside and png_fast and png_own:
        rows.append(("PNG load and save of 256 x 8192: ImageMagick's time / Vexlo's, both at the fastest zlib level",
                     f"{png_fast / png_inside:.2f} ({png_inside / 1000:.1f} ms against {png_fast / 1000:.1f} ms)",
                     "at least 4", png_fast / png_inside >= 4))
        rows.append(("The same, convert with its own settings (harder compression)",
                     f"{png_own / png_inside:.2f} ({png_inside / 1000:.1f} ms against {png_own / 1000:.1f} ms)",
                     "", None))
    else:
        rows.append(("PNG load and save against ImageMagick", "not measured", "at least 4", False))

    replay = re.search(r"median (\d+\.\d+) s \(needs", play)
    seconds = float(replay.group(1)) if replay else None
    rows.append(("vexlo-play replaying 32,767 lines on two 256 x 8192 bitmap files, reading and writing them",
                 f"{seconds * 1000:.0f} ms" if replay else "not measured", "under 300 ms",
                 seconds < 0.3 if replay else False))
    copy = re.search(r"(\d+(?:\.\d+)?)x the durable copy", play)
    rows.append(("The same against copying both files durably (cp, then sync), timed in turn",
                 f"{float(copy.group(1)):.2f}x" if copy else "not measured", "within 3x",
                 float(copy.group(1)) <= 3 if copy else False))

    block_swap = re.search(r"12,289 lines: median (\d+(?:\.\d+)?)", block_play)
    block_one = re.search(r"one line \(reading and writing\): median (\d+(?:\.\d+)?)", block_play)
    if block_swap and block_one and window_ms is not None:
        played, base = float(block_swap.group(1)) / 1000, float(block_one.group(1)) / 1000
        rows.append(("vexlo-play replaying the block swap's lines on two 4096-tile BMP files, reading and writing them",
                     f"{played:.0f} ms ({played - base:.1f} ms beyond the {base:.0f} ms of reading and writing)",
                     f"under {base + 2 * window_ms:.1f} ms (2x the window's {window_ms:.2f} ms, plus reading and writing)",
                     played <= base + 2 * window_ms))
    else:
        rows.append(("vexlo-play replaying the block swap's lines", "not measured", "2x the window, plus reading and writing",
                     False))

    jobs = text_of(sys.argv[7]) if len(sys.argv) > 7 else ""
    processes = re.search(r"one --jobs process \(milliseconds\): (\d+) (\d+)", jobs)
    rows.append(("vexlo-play: 300 pairs of 256 x 1024 sheets in one --jobs process against 300 processes",
                 f"{int(processes.group(1)) / int(processes.group(2)):.2f}x ({processes.group(2)} ms against "
                 f"{processes.group(1)} ms)" if processes else "not measured", "at least 3x",
                 int(processes.group(1)) >= 3 * int(processes.group(2)) if processes else False))
    threads = re.search(r"1 thread against 2 threads \(milliseconds\): (\d+) (\d+)", jobs)
    rows.append(("vexlo-play: 1,000 jobs with 2 threads against 1",
                 f"{int(threads.group(1)) / int(threads.group(2)):.2f}x ({threads.group(2)} ms against "
                 f"{threads.group(1)} ms)" if threads else "not measured", "at least 1.6x",
                 int(threads.group(1)) >= 1.6 * int(threads.group(2)) if threads else False))
    copy = re.search(r"one cp, then sync \(milliseconds\): (\d+)", jobs)
    if threads and copy:
        rows.append(("The same 1,000 jobs' outputs copied with one cp, then synced: the disk's own pace",
                     f"{copy.group(1)} ms (2 threads take {int(threads.group(2)) / int(copy.group(1)):.2f}x that)",
                     "", None))
    in_memory = re.search(r"in memory \(/dev/shm\), 1 thread against 2 threads \(milliseconds\): (\d+) (\d+)", jobs)
    if in_memory:
        rows.append(("vexlo-play: the same 1,000 jobs on a memory file system, 2 threads against 1",
                     f"{int(in_memory.group(1)) / int(in_memory.group(2)):.2f}x ({in_memory.group(2)} ms against "
                     f"{in_memory.group(1)} ms)", "", None))
    memory = re.search(r"10,000 jobs \(KiB\): (\d+) (\d+)", jobs)
    rows.append(("vexlo-play: peak memory of 10,000 jobs against 1,000 (dry run)",
                 f"{int(memory.group(2)) / 1024:.1f} MiB against {int(memory.group(1)) / 1024:.1f} MiB"
                 if memory else "not measured", "", None if memory else False))

    start = re.search(r"milliseconds:.*median (\d+(?:\.\d+)?)", startup)
    peak = re.search(r"peak memory \(KiB RSS\):.*median (\d+(?:\.\d+)?)", startup)
    rows.append(("Start-up to the first shown main window (Xvfb, openbox, wizard off)",
                 f"{float(start.group(1)):.0f} ms" if start else "not measured", "", None if start else False))
    rows.append(("Peak memory of a start and close (maximum resident set size)",
                 f"{float(peak.group(1)) / 1024:.1f} MiB" if peak else "not measured", "", None if peak else False))

    print("| Figure (median) | Measured | Target | Verdict |")
    print("|---|---|---|---|")
    verdict_text = {True: "met", False: "MISSED", None: "(no target)"}
    for figure, value, target, verdict in rows:
        print(f"| {figure} | {value} | {target} | {verdict_text[verdict]} |")
    missed = [row[0] for row in rows if row[3] is False]
    if missed:
        print(f"\n{len(missed)} figure(s) missed or not measured: " + "; ".join(missed))
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
