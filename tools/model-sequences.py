#!/usr/bin/env python3
"""Reference values for the navigation and latitude tests, computed independently.

Reimplements, from their written rules, the 15-bit generator, the navigation tick and the
latitude cycle in binary64 arithmetic, in the same order of operations and draws, and prints
the rows that tests/navigation/navigation_thread_test.cpp and tests/latitude/latitude_run_test.cpp
compare bit for bit. Run it after a deliberate change of a rule and paste its output there.

    tools/model-sequences.py navigation
    tools/model-sequences.py latitude
"""
import math
import sys

NORMALISER = 3.051850947599719e-05  # 1/32767
TWO_PI = 6.283185307179586


class Rand15:
    """state = state * 214013 + 2531011 (mod 2^32); result (state >> 16) & 32767."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self):
        self.state = (self.state * 214013 + 2531011) & 0xFFFFFFFF
        return (self.state >> 16) & 0x7FFF


def hexf(x):
    return float.hex(x)


# --- navigation -------------------------------------------------------------------------------

NAV_SEED = 1_700_000_000
NAV_HOLD_AFTER_TICK = 40  # "Geschw. auf 0" clicked after the 40th tick was published
NAV_TICKS = 6000


def navigation_ticks(seed, hold_after, count):
    rand = Rand15(seed)
    course = rand.next() * TWO_PI * NORMALISER
    speed = 0.0
    x = y = 0.0
    hold = 0
    ticks = []
    for n in range(1, count + 1):
        event = []
        if speed > 0.0 and rand.next() % 30 == 0:
            course = course + (rand.next() * NORMALISER - 0.5) * TWO_PI * 0.5
            event.append("jump")
            if course > TWO_PI:
                course = course - TWO_PI
                event.append("wrap down")
            if course < 0.0:
                course = course + TWO_PI
                event.append("wrap up")
        if hold > 0:
            speed = 0.0  # the page's stored speed: 0.0 after the click, passed back every held tick
            hold -= 1
            event.append("held")
        else:
            speed = speed + (rand.next() * NORMALISER - 0.49) * 0.0013333333333333333
        if speed < 0.0:
            speed = 0.0
        elif speed > 0.05:
            speed = 0.048
            event.append("ceiling reset")
        x = x + speed * math.sin(course)
        y = y - speed * math.cos(course)
        ticks.append((n, x, y, course, speed, event))
        if n == hold_after:
            hold = 50
    return ticks


def print_navigation():
    ticks = navigation_ticks(NAV_SEED, NAV_HOLD_AFTER_TICK, NAV_TICKS)
    wanted = {1, 2, 3, NAV_HOLD_AFTER_TICK, NAV_HOLD_AFTER_TICK + 1, NAV_HOLD_AFTER_TICK + 50,
              NAV_HOLD_AFTER_TICK + 51, NAV_TICKS}
    firsts = {}
    for tick in ticks:
        for event in tick[5]:
            if event != "held":
                firsts.setdefault(event, tick[0])
    wanted |= set(firsts.values())
    print(f"// seed {NAV_SEED}, hold requested after tick {NAV_HOLD_AFTER_TICK}, {NAV_TICKS} ticks")
    for tick in ticks:
        if tick[0] in wanted:
            n, x, y, course, speed, event = tick
            note = ", ".join(e for e in event if e != "held" or n in (NAV_HOLD_AFTER_TICK + 1, NAV_HOLD_AFTER_TICK + 50))
            print(f"    {{{n}, {{{hexf(x)}, {hexf(y)}}}, {hexf(course)}, {hexf(speed)}}},"
                  + (f" // {note}" if note else ""))
    missing = {"jump", "wrap down", "wrap up", "ceiling reset"} - set(firsts)
    if missing:
        print("// missing: " + ", ".join(sorted(missing)), file=sys.stderr)


# --- latitude ---------------------------------------------------------------------------------

LAT_START = 1_700_000_000
PER_DAY = 1.1574074074074073e-05  # 1/86400


def accuracy_of(counter):
    accuracy = int(counter / 1200.0 / 1440.0 * 100.0)
    return min(max(accuracy, 1), 100)


def latitude_cycles(start, direction, model_direction):
    """Cycles of a run on a clock that advances exactly one second per cycle."""
    rand = Rand15(start)
    counter = 1
    cycles = []
    cycle = 0
    while True:
        now = start + cycle
        if start + 86400.0 <= float(now):
            break
        accuracy = accuracy_of(counter)
        total = 0.0
        for _ in range(accuracy):
            total = total + rand.next() * NORMALISER - 0.5
        mismatch = float(counter) > 2400.0 and direction != model_direction
        if accuracy > 20:
            total = total / ((accuracy - 20) * 0.0125 + 1.0)
        target = total / accuracy + 1.0
        angle = direction * float(now % 86400) * TWO_PI * PER_DAY
        cycles.append((counter, accuracy, target, angle, mismatch))
        if mismatch:
            break
        counter += 20
        cycle += 1
    return cycles


def print_latitude():
    for direction in (+1, -1):
        cycles = latitude_cycles(LAT_START, direction, +1)
        if direction == +1:
            indices = [0, 1, 2, 1727, 1728, 18143, 18144, 86399]
        else:
            indices = [0, 119]
        print(f"// start {LAT_START}, direction {direction:+d} against model direction +1: "
              f"{len(cycles)} cycles")
        for i in indices:
            counter, accuracy, target, angle, mismatch = cycles[i]
            print(f"    {{{counter}, {accuracy}, {hexf(target)}, {hexf(angle)}}},")
        if cycles[-1][4]:
            print(f"// cycle with counter {cycles[-1][0]} shows the implausible values")


if __name__ == "__main__":
    which = sys.argv[1] if len(sys.argv) > 1 else ""
    if which == "navigation":
        print_navigation()
    elif which == "latitude":
        print_latitude()
    else:
        sys.exit(__doc__)
