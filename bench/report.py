#!/usr/bin/env python3
"""Prints one table from the benchmarks' JSON files: the fastest repetition of each
case (the least disturbed by other work on the machine) beside its yardstick."""
import json
import sys
from pathlib import Path


def fastest(folder):
    """Benchmark name -> (real time in ns, counters) of its fastest repetition."""
    best = {}
    for path in sorted(Path(folder).glob("*.json")):
        for run in json.loads(path.read_text())["benchmarks"]:
            if run.get("run_type") != "iteration":
                continue
            scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[run["time_unit"]]
            nanoseconds = run["real_time"] * scale
            name = run["run_name"]
            if name not in best or nanoseconds < best[name][0]:
                best[name] = (nanoseconds, run)
    return best


def micro(ns):
    return f"{ns / 1e3:.2f} µs" if ns < 1e6 else f"{ns / 1e6:.2f} ms"


def main(folder):
    best = fastest(folder)
    rows = []

    def row(what, ours, yardstick, ratio, target):
        rows.append((what, ours, yardstick, ratio, target))

    for frames in (32, 512, 4096):
        plugin = best.get(f"BM_PluginProcessReplacing/{frames}")
        loop = best.get(f"BM_HandWrittenMeter/{frames}")
        copy = best.get(f"BM_Memcpy/{frames}")
        if not (plugin and loop and copy):
            continue
        rate = lambda run: run[1]["frames/s"] / 1e6
        row(f"processReplacing, {frames} frames (Mframes/s)", f"{rate(plugin):.0f}",
            f"loop {rate(loop):.0f}, memcpy {rate(copy):.0f}",
            f"{rate(plugin) / rate(loop):.2f} × loop", "≥ 0.8 × loop" if frames == 512 else "")
    for benchmark, what in (("BM_Lv2Run", "LV2 run"), ("BM_ClapProcess", "CLAP process")):
        for frames in (32, 512, 4096):
            plugin = best.get(f"{benchmark}/{frames}")
            loop = best.get(f"BM_HandWrittenMeter/{frames}")
            if not (plugin and loop):
                continue
            rate = lambda run: run[1]["frames/s"] / 1e6
            row(f"{what}, {frames} frames (Mframes/s)", f"{rate(plugin):.0f}",
                f"loop {rate(loop):.0f}", f"{rate(plugin) / rate(loop):.2f} × loop",
                "≥ 0.8 × loop" if frames == 512 else "")
    for percent, side, limit in ((100, 600, "2 ms"), (200, 1200, "4 ms")):
        frame = best.get(f"BM_PluginEditorFrame/{percent}")
        floor = best.get(f"BM_BareCairoFrame/{percent}")
        if frame and floor:
            row(f"editor frame, {side} × {side} offscreen (scale {percent // 100})", micro(frame[0]),
                f"bare Cairo {micro(floor[0])}", f"{frame[0] / floor[0]:.2f} × floor",
                f"≤ 1.3 × floor, ≤ {limit}")
    for argument, where in ((0, "bare process"), (1, "desktop libraries loaded")):
        scan = best.get(f"BM_HostScan/{argument}")
        if scan:
            row(f"VST host scan ({where})", micro(scan[0]), "", "", "≤ 1 ms" if argument else "≤ 2 ms")
    for name, what in (("BM_Lv2HostScan", "LV2 host scan through lilv"),
                       ("BM_ClapHostScan", "CLAP host scan")):
        scan = best.get(name)
        if scan:
            row(f"{what} (desktop libraries loaded)", micro(scan[0]), "", "", "≤ 1 ms")
    for name, what in (("BM_MemoryPerInstance/iterations:1", "VST"),
                       ("BM_Lv2MemoryPerInstance/iterations:1", "LV2")):
        memory = best.get(name)
        if memory:
            row(f"resident memory per running {what} instance",
                f"{memory[1]['KiB/instance']:.0f} KiB", "", "", "≤ 2048 KiB")
    read = best.get("BM_LibsndfileReadAlone/real_time")
    for argument, options in ((0, "--timeline --report"), (1, "--timeline --report --inter-sample")):
        meter = best.get(f"BM_SlewmeterTimelineAndReport/interSample:{argument}/real_time")
        if not (meter and read):
            continue
        speed = lambda run: run[1]["x real time"]
        row(f"slewmeter {options}, 24-bit stereo 48 kHz (× real time)", f"{speed(meter):.0f} ×",
            f"libsndfile read alone {speed(read):.0f} ×", f"{speed(meter) / speed(read):.2f} × read",
            "≥ 1000 ×, ≥ 0.8 × read" if argument == 0 else "≥ 0.5 × read")
    reader = best.get("BM_SlewmeterReadAlone/real_time")
    if reader and read:
        speed = lambda run: run[1]["x real time"]
        row("slewmeter's reader alone, 24-bit stereo 48 kHz (× real time)", f"{speed(reader):.0f} ×",
            f"libsndfile read alone {speed(read):.0f} ×", f"{speed(reader) / speed(read):.2f} × read", "")
    serial = best.get("BM_SlewmeterFourInputs/jobs:1/real_time")
    sideBySide = best.get("BM_SlewmeterFourInputs/jobs:2/real_time")
    if serial and sideBySide:
        row("slewmeter, 4 inputs side by side on 2 jobs", f"{sideBySide[0] / 1e9:.2f} s",
            f"one at a time {serial[0] / 1e9:.2f} s", f"{serial[0] / sideBySide[0]:.2f} × faster",
            "≥ 1.7 ×")
    for transform, yardstick in (("fft_forward", "fftw"), ("fft_inverse", "fftw"),
                                 ("mdct_forward", "dct4_core"), ("mdct_inverse", "dct4_core")):
        for size in (2 ** k for k in range(6, 16)):
            ours = best.get(f"{transform}/{size}/runtime")
            theirs = best.get(f"{transform}/{size}/fftw" if yardstick == "fftw"
                              else f"mdct_dct4_core/{size}/fftw")
            if not ours:
                continue
            row(f"{transform.replace('_', ' ')} {size}", micro(ours[0]),
                f"FFTW {'' if yardstick == 'fftw' else 'DCT-IV '}{micro(theirs[0])}" if theirs else "",
                f"{ours[0] / theirs[0]:.2f} × FFTW" if theirs else "",
                "≤ 1.5 × FFTW" if transform.startswith("fft") and size in (1024, 4096) else "")

    header = ("measure", "plug-in", "yardstick", "ratio", "target")
    print("| " + " | ".join(header) + " |")
    print("|" + "|".join("---" for _ in header) + "|")
    for line in rows:
        print("| " + " | ".join(line) + " |")


if __name__ == "__main__":
    main(sys.argv[1])
