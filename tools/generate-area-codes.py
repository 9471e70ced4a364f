#!/usr/bin/env python3
"""Builds the area-code list and the latitude table from public data.

Joins libphonenumber's German area codes with their place names to GeoNames places, keeps the
codes whose place was found, and writes, in ascending character order of the codes:

  resources/area_codes.txt      'l' before every code and one closing 'l', no line end
  resources/area_latitudes.bin  one little-endian binary64 per code: degrees + whole minutes / 60

Usage: tools/generate-area-codes.py [SOURCE_DIR] [--explain FILE]
SOURCE_DIR defaults to ../shared/data/areacodes beside the repository; --explain writes one line
per code with the place it was matched to, or why it was left out.
"""

import argparse
import math
import re
import struct
import sys
import unicodedata
from pathlib import Path

REPO = Path(__file__).resolve().parent.parent

# A match farther than this from every code around it (by the length of the prefix they share) is
# taken for a wrong namesake.
NEIGHBOUR_KM = {1: 120.0, 2: 70.0, 3: 50.0, 4: 35.0}
# How close a district must lie to its town, and a place to the one it is "bei".
DISTRICT_KM = 20.0
NEAR_KM = 25.0
# Postal entries of one name closer than this to a town of that name, or to each other, are that
# one place (a city has many postal codes around its centre).
SAME_TOWN_KM = 25.0
SAME_PLACE_KM = 8.0
# Only for places this large are the alternative names taken: small places' ones collide.
CITY_POPULATION = 20000


def fold(name):
    name = name.lower()
    for umlaut, spelled in (("ä", "ae"), ("ö", "oe"), ("ü", "ue"), ("ß", "ss")):
        name = name.replace(umlaut, spelled)
    name = unicodedata.normalize("NFKD", name)
    name = "".join(c for c in name if not unicodedata.combining(c))
    name = re.sub(r"\bst\.\s*", "sankt ", name)
    name = re.sub(r"[^a-z0-9]+", " ", name)
    return name.strip()


def distance_km(a, b):
    lat1, lon1, lat2, lon2 = map(math.radians, (a[0], a[1], b[0], b[1]))
    h = math.sin((lat2 - lat1) / 2) ** 2 + math.cos(lat1) * math.cos(lat2) * math.sin((lon2 - lon1) / 2) ** 2
    return 2 * 6371.0 * math.asin(math.sqrt(h))


def read_codes(path):
    codes = []
    for line in path.read_text(encoding="utf-8").splitlines():
        if not line.startswith("49"):
            continue
        number, name = line.split("|", 1)
        codes.append((number[2:], name.strip()))
    return codes


def read_places(cities_path, postal_path):
    """Folded name -> list of (lat, lon); cities first, then postal places not already there."""
    places = {}
    towns = {}

    def add(name, point):
        key = fold(name)
        if not key:
            return
        known = places.setdefault(key, [])
        if all(distance_km(point, p) > SAME_PLACE_KM for p in known) and all(
                distance_km(point, t) > SAME_TOWN_KM for t in towns.get(key, [])):
            known.append(point)

    for line in cities_path.read_text(encoding="utf-8").splitlines():
        columns = line.split("\t")
        if columns[8] != "DE" or columns[6] != "P":
            continue
        point = (float(columns[4]), float(columns[5]))
        add(columns[1], point)
        add(columns[2], point)
        # GeoNames names some cities in English (Munich); their German names are among the others.
        if int(columns[14] or 0) >= CITY_POPULATION:
            for other in columns[3].split(","):
                add(other, point)
    for key, points in places.items():
        towns[key] = list(points)
    for line in postal_path.read_text(encoding="utf-8").splitlines():
        columns = line.split("\t")
        if columns[0] != "DE" or not columns[9]:
            continue
        add(columns[2], (float(columns[9]), float(columns[10])))
    return places


def near(points, anchors, km):
    return [p for p in points if any(distance_km(p, a) <= km for a in anchors)]


def shortened(name):
    """The name, then without its trailing qualifiers, one word at a time, never down to 'bad'."""
    words = fold(name).split()
    while words and words != ["bad"]:
        yield " ".join(words)
        words = words[:-1]


def lookup(places, name):
    for key in shortened(name):
        if key in places:
            return places[key]
    return []


def options(places, name):
    """The places a code's name may stand for, most specific reading first."""
    full = places.get(fold(name))
    if full:
        return full
    match = re.fullmatch(r"(.+?) bei (.+)", name)
    if match:
        found = near(lookup(places, match[1]), lookup(places, match[2]), NEAR_KM)
        return found or lookup(places, match[1])
    if "-" in name:
        town, district = name.split("-", 1)
        towns = lookup(places, town)
        found = near(lookup(places, district), towns, DISTRICT_KM)
        return found or towns
    return lookup(places, name)


def neighbours(code, by_prefix):
    """The resolved codes sharing the longest prefix with code (at least two), and that length."""
    for length in range(len(code) - 1, 0, -1):
        points = [p for c, p in by_prefix.get(code[:length], []) if c != code]
        if len(points) >= 2:
            return points, length
    return [], 0


def index_by_prefix(resolved):
    by_prefix = {}
    for code, point in resolved.items():
        for length in range(1, len(code)):
            by_prefix.setdefault(code[:length], []).append((code, point))
    return by_prefix


def resolve(codes, places):
    found = {code: options(places, name) for code, name in codes}
    resolved = {code: points[0] for code, points in found.items() if len(points) == 1}
    for _ in range(3):
        by_prefix = index_by_prefix(resolved)
        choice = {}
        for code, points in found.items():
            if not points:
                continue
            around, length = neighbours(code, by_prefix)
            if not around:
                if len(points) == 1:
                    choice[code] = points[0]
                continue
            gap, best = min((min(distance_km(p, q) for q in around), p) for p in points)
            if gap <= NEIGHBOUR_KM[length]:
                choice[code] = best
        resolved = choice
    return found, resolved


def degrees_and_minutes(latitude):
    minutes = round(latitude * 60.0)
    return minutes // 60 + (minutes % 60) / 60.0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("source", nargs="?", type=Path, default=REPO.parent / "shared" / "data" / "areacodes")
    parser.add_argument("--explain", type=Path)
    arguments = parser.parse_args()

    codes = read_codes(arguments.source / "libphonenumber-geocoding-de-49.txt")
    places = read_places(arguments.source / "geonames-cities500-DE.txt", arguments.source / "geonames-postal-DE.txt")
    found, resolved = resolve(codes, places)

    kept = sorted(resolved)
    (REPO / "resources" / "area_codes.txt").write_bytes(("l" + "l".join(kept) + "l").encode("ascii"))
    (REPO / "resources" / "area_latitudes.bin").write_bytes(
        b"".join(struct.pack("<d", degrees_and_minutes(resolved[code][0])) for code in kept))

    if arguments.explain:
        with arguments.explain.open("w", encoding="utf-8") as out:
            for code, name in sorted(codes):
                if code in resolved:
                    lat, lon = resolved[code]
                    out.write(f"{code}\t{name}\t{lat:.5f}\t{lon:.5f}\n")
                else:
                    reason = "no place of that name" if not found[code] else "far from its neighbours"
                    out.write(f"{code}\t{name}\t-\t{reason}\n")

    by_length = {n: sum(1 for c in kept if len(c) == n) for n in range(2, 6)}
    print(f"{len(kept)} of {len(codes)} codes kept; by digits: {by_length}", file=sys.stderr)


if __name__ == "__main__":
    main()
