#!/usr/bin/env python3
"""click_to_sound.py MONITOR PRESSES OUT.raw: presses the left button now and
then while recording a sink monitor, and prints each press's latency in ms
("none" if never heard). parec hands a chunk over after its last sample was
played, so the earliest (arrival - samples so far / rate) is when the first
sample played. A press is heard at the first loud sample after 60 ms of quiet.
"""
import array
import subprocess
import sys
import threading
import time

RATE = 44100
THRESHOLD = 1500
QUIET_BEFORE = int(0.06 * RATE)
# Past this a sound belongs to the next press: this one was not heard.
WAIT_LIMIT = int(0.5 * RATE)


def record(monitor, out, state):
    parec = subprocess.Popen(["parec", "-d", monitor, "--raw", "--format=s16le", "--channels=2",
                              "--rate=%d" % RATE, "--latency-msec=5"], stdout=subprocess.PIPE)
    state["parec"] = parec
    received_bytes = 0
    while True:
        chunk = parec.stdout.read1(4096)
        now = time.monotonic()
        if not chunk:
            break
        out.write(chunk)
        received_bytes += len(chunk)
        state["start"] = min(state.get("start", now), now - received_bytes // 4 / RATE)


def press(times):
    subprocess.run(["xdotool", "mousedown", "1"], check=True)
    times.append(time.monotonic())
    time.sleep(0.12)
    subprocess.run(["xdotool", "mouseup", "1"], check=True)


def onset_after(samples, index):
    quiet = 0
    for i in range(max(index, 0), min(index + WAIT_LIMIT, len(samples))):
        if abs(samples[i]) > THRESHOLD and quiet >= QUIET_BEFORE:
            return i
        quiet = 0 if abs(samples[i]) > THRESHOLD else quiet + 1
    return None


def main():
    monitor, presses, path = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    state, times = {}, []
    with open(path, "wb") as out:
        reader = threading.Thread(target=record, args=(monitor, out, state))
        reader.start()
        time.sleep(1.0)
        for _ in range(presses):
            press(times)
            time.sleep(0.7)
        state["parec"].terminate()
        reader.join()
    samples = array.array("h")
    with open(path, "rb") as data:
        samples.frombytes(data.read())
    samples = samples[0::2]
    for t in times:
        # Start looking a little before the press: the quiet test needs it.
        heard = onset_after(samples, int((t - state["start"]) * RATE))
        print("none" if heard is None else round((heard / RATE - (t - state["start"])) * 1000))


main()
