#!/usr/bin/env python3
"""Click-to-sound latency at the sound server, measured on the game's real window.

Reads the null sink's monitor through parec in 5 ms chunks and time-stamps each chunk as it arrives. Clicks
with xdotool at WINDOW X Y and takes the time of the first sample above -60 dBFS after the click. The
reader's own delay (the monitor and parec's buffering) is measured first the same way on a reference tone
written straight to the sink with pacat, and taken out.

usage: click_latency.py SINK WINDOW X Y [REPEATS]   (DISPLAY and PULSE_SERVER as for the game)
"""
import array
import os
import statistics
import subprocess
import sys
import time

RATE = 48000
CHUNK_FRAMES = 240  # 5 ms
THRESHOLD = 32768 * 10 ** (-60 / 20)  # -60 dBFS on 16-bit samples


class Reader:
    def __init__(self, sink):
        self.proc = subprocess.Popen(
            ["parec", "-d", sink + ".monitor", "--format=s16le", "--rate=%d" % RATE, "--channels=2", "--raw",
             "--latency-msec=5"], stdout=subprocess.PIPE, bufsize=0)
        self.frames = 0
        self.pending = b""

    # Reads until `until` (monotonic seconds); returns the arrival time of the first loud sample read after
    # `since`, corrected for the samples that came after it in its chunk, or None.
    def first_loud(self, since, until):
        fd = self.proc.stdout.fileno()
        while time.monotonic() < until:
            data = os.read(fd, CHUNK_FRAMES * 4)
            now = time.monotonic()
            if not data:
                return None
            data = self.pending + data
            usable = len(data) - len(data) % 4
            self.pending = data[usable:]
            samples = array.array("h", data[:usable])
            if now < since:
                continue
            for i, value in enumerate(samples):
                if abs(value) > THRESHOLD:
                    frames_after = (len(samples) - i) // 2
                    return now - frames_after / RATE
        return None

    def drain_quiet(self, seconds):
        self.first_loud(float("inf"), time.monotonic() + seconds)

    def close(self):
        self.proc.kill()
        self.proc.wait()


def tone():
    click = array.array("h", [12000 if (i // 24) % 2 else -12000 for i in range(RATE // 20)] * 1)
    stereo = array.array("h")
    for value in click:
        stereo.extend((value, value))
    return stereo.tobytes()


def reader_delay(sink, reader, repeats):
    delays = []
    for _ in range(repeats):
        reader.drain_quiet(0.3)
        player = subprocess.Popen(["pacat", "-d", sink, "--format=s16le", "--rate=%d" % RATE, "--channels=2",
                                   "--raw", "--latency-msec=1"], stdin=subprocess.PIPE)
        time.sleep(0.3)  # the stream is connected and idle
        start = time.monotonic()
        player.stdin.write(tone())
        player.stdin.flush()
        heard = reader.first_loud(start, start + 2)
        player.stdin.close()
        player.wait()
        if heard is not None:
            delays.append(heard - start)
    return delays


def main():
    sink, window, x, y = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4]
    repeats = int(sys.argv[5]) if len(sys.argv) > 5 else 10
    reader = Reader(sink)
    reader.drain_quiet(0.5)
    reference = reader_delay(sink, reader, repeats)
    raw = []
    for _ in range(repeats):
        reader.drain_quiet(1.0)  # the last click's sound has died away
        subprocess.run(["xdotool", "mousemove", "--window", window, x, y], check=True)
        reader.drain_quiet(0.2)
        start = time.monotonic()
        subprocess.run(["xdotool", "click", "1"], check=True)
        heard = reader.first_loud(start, start + 2)
        if heard is not None:
            raw.append(heard - start)
    reader.close()
    if not raw or not reference:
        print("no sound heard (clicks heard %d, reference heard %d)" % (len(raw), len(reference)))
        return 1
    offset = statistics.median(reference)
    print("reader delay (pacat reference, median of %d): %.1f ms" % (len(reference), offset * 1000))
    print("click to monitor, raw: median %.1f ms, min %.1f, max %.1f (%d clicks)" %
          (statistics.median(raw) * 1000, min(raw) * 1000, max(raw) * 1000, len(raw)))
    net = [r - offset for r in raw]
    print("click to sound at the server: median %.1f ms, max %.1f ms" %
          (statistics.median(net) * 1000, max(net) * 1000))
    return 0


if __name__ == "__main__":
    sys.exit(main())
