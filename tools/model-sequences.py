#!/usr/bin/env python3
"""Reference values for the navigation and latitude tests, computed independently.

Reimplements, from their written rules, the 15-bit generator, the stored calibration value,
the navigation tick and the latitude cycle in binary64 arithmetic, in the same order of
operations and draws, and prints the rows that tests/app/calibration_value_test.cpp,
tests/app/quorvel_app_test.cpp, tests/navigation/navigation_model_test.cpp,
tests/navigation/navigation_thread_test.cpp and tests/latitude/latitude_run_test.cpp compare bit
for bit. Run it after a deliberate change of a rule and paste its output there.

    tools/model-sequences.py calibration
    tools/model-sequences.py navigation
    tools/model-sequences.py navigation-ticks
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


# --- calibration value ------------------------------------------------------------------------

CAL_SEEDS = (42, 43, 1_000_000)  # two neighbours, and the clock of the application tests


def calibration_value(direction_letter, seed):
    """The direction letter, then 17 letters 'a' + rand() % 26 after srand(seed)."""
    rand = Rand15(seed)
    return direction_letter + "".join(chr(ord("a") + rand.next() % 26) for _ in range(17))


def print_calibration():
    for seed in CAL_SEEDS:
        print(f'    {{{seed}, "{calibration_value("r", seed)}", "{calibration_value("l", seed)}"}},')


# --- navigation -------------------------------------------------------------------------------

NAV_SEED = 1_700_000_000
NAV_HOLD_AFTER_TICK = 40  # "Geschw. auf 0" clicked after the 40th tick was published
NAV_TICKS = 6000


class Course:
    """Course, speed and position of the walk; hold counts the ticks still held at speed 0."""

    def __init__(self, course, speed=0.0, x=0.0, y=0.0, hold=0):
        self.course, self.speed, self.x, self.y, self.hold = course, speed, x, y, hold


def tick(walk, draw):
    """One tick with draws from draw(); returns what happened, for the notes."""
    event = []
    if walk.speed > 0.0 and draw() % 30 == 0:
        walk.course = walk.course + (draw() * NORMALISER - 0.5) * TWO_PI * 0.5
        event.append("jump")
        if walk.course > TWO_PI:
            walk.course = walk.course - TWO_PI
            event.append("wrap down")
        if walk.course < 0.0:
            walk.course = walk.course + TWO_PI
            event.append("wrap up")
    if walk.hold > 0:
        walk.speed = 0.0  # the page's stored speed: 0.0 after the click, passed back every held tick
        walk.hold -= 1
        event.append("held")
    else:
        walk.speed = walk.speed + (draw() * NORMALISER - 0.49) * 0.0013333333333333333
    if walk.speed < 0.0:
        walk.speed = 0.0
    elif walk.speed > 0.05:
        walk.speed = 0.048
        event.append("ceiling reset")
    walk.x = walk.x + walk.speed * math.sin(walk.course)
    walk.y = walk.y - walk.speed * math.cos(walk.course)
    return event


def navigation_ticks(seed, hold_after, count):
    rand = Rand15(seed)
    walk = Course(rand.next() * TWO_PI * NORMALISER)
    ticks = []
    for n in range(1, count + 1):
        event = tick(walk, rand.next)
        ticks.append((n, walk.x, walk.y, walk.course, walk.speed, event))
        if n == hold_after:
            walk.hold = 50
    return ticks


def jump_step(draw):
    return (draw * NORMALISER - 0.5) * TWO_PI * 0.5


# Single ticks from a given course and speed with scripted draws, for the model's own test.
# The last case lands a jump on exactly 2 pi.
NAV_SCRIPTED = [
    ("first tick: no jump draw at speed 0", 20000 * TWO_PI * NORMALISER, 0.0, [32767]),
    ("a step below 0 gives +0.0", 1.0, 0.0001, [1, 0]),
    ("above the ceiling: 0.048", 0.5, 0.05, [1, 32767]),
    ("31: no jump", 1.25, 0.01, [31, 16000]),
    ("60: a jump", 1.25, 0.01, [60, 24000, 16000]),
    ("a jump above 2 pi", 6.0, 0.01, [0, 32767, 16000]),
    ("a jump below 0", 0.2, 0.01, [30, 0, 16000]),
    ("a jump onto exactly 2 pi stays", TWO_PI - jump_step(16384), 0.01, [90, 16384, 16000]),
]


def literal(x):
    """Short decimal where it reads back exactly the same, else hexadecimal."""
    return repr(x) if len(repr(x)) <= 6 else hexf(x)


def print_navigation_cases():
    for draw in (0, 12345, 32767):
        print(f"    {{{draw}, {hexf(draw * TWO_PI * NORMALISER)}}},")
    assert NAV_SCRIPTED[-1][1] + jump_step(16384) == TWO_PI
    for name, course, speed, draws in NAV_SCRIPTED:
        walk = Course(course, speed)
        rest = iter(draws)
        tick(walk, lambda: next(rest))
        assert next(rest, None) is None, name
        draws_text = ", ".join(str(d) for d in draws)
        print(f'        {{"{name}", {literal(course)}, {literal(speed)}, {{{draws_text}}},\n'
              f"         {literal(walk.course)}, {literal(walk.speed)}, {{{literal(walk.x)}, {literal(walk.y)}}}}},")
    walk = Course(2.0, 0.03, 0.5, -0.25, 50)
    tick(walk, iter([7]).__next__)
    for _ in range(49):
        tick(walk, iter([]).__next__)
    tick(walk, iter([32767]).__next__)
    print(f"// held from course 2 at speed 0.03, position (0.5, -0.25); the first tick after the hold with 32767:")
    print(f"    {hexf(walk.speed)}, {{{hexf(walk.x)}, {hexf(walk.y)}}}")


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
    if which == "calibration":
        print_calibration()
    elif which == "navigation":
        print_navigation()
    elif which == "navigation-ticks":
        print_navigation_cases()
    elif which == "latitude":
        print_latitude()
    else:
        sys.exit(__doc__)
