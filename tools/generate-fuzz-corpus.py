#!/usr/bin/env python3
"""Writes the fuzzers' seed inputs to fuzz/corpus/<target>/.

Usage: tools/generate-fuzz-corpus.py
"""

import struct
from pathlib import Path

REPO = Path(__file__).resolve().parent.parent
CORPUS = REPO / "fuzz" / "corpus"


def identify_words(model, serial="", firmware=""):
    """Identify data as a drive sends it: strings two characters a word, the first in the high byte."""
    words = [0] * 256
    words[0] = 0x0040

    def put(first_word, text, length):
        text = text.ljust(length).encode("latin-1")
        for i in range(length // 2):
            words[first_word + i] = text[2 * i] << 8 | text[2 * i + 1]

    put(10, serial, 20)
    put(23, firmware, 8)
    put(27, model, 40)
    words[49] = 0x0B00
    words[60], words[61] = 0x4AB0, 0x0256
    return words


def little_endian(words):
    return struct.pack("<256H", *words)


def id_text(words, digits="{:04x}"):
    """libata's `id` attribute: eight words a line."""
    lines = (" ".join(digits.format(w) for w in words[i:i + 8]) for i in range(0, 256, 8))
    return ("\n".join(lines) + "\n").encode()


def ata_information_page(words):
    header = bytearray(60)
    # Page code 89h and the page length, 238h, after the four header bytes.
    header[1], header[2], header[3] = 0x89, 0x02, 0x38
    return bytes(header) + little_endian(words)


def tables(codes, latitudes):
    return ("l" + "l".join(codes) + "l").encode() + b"\0" + struct.pack(f"<{len(latitudes)}d", *latitudes)


def main():
    toshiba = identify_words("TOSHIBA MK4019GAX", "52HT3744T", "GA006A")
    hitachi = identify_words("HITACHI_DK23EA-20", "21CD5R", "00K0A0B0")
    seeds = {
        "identify": {
            "toshiba_mk4019gax": little_endian(toshiba),
            "hitachi_dk23ea": little_endian(hitachi),
            "unsupported_st9120822a": little_endian(identify_words("ST9120822A", "5LZ0X1ZP", "3.ALC")),
            "model_cut_by_zero": little_endian(identify_words("  IC25N020\0ATCS04")),
            "model_only_spaces": little_endian(identify_words("")),
        },
        "sysfs_id": {
            "toshiba_id": id_text(toshiba),
            "hitachi_id_upper_case": id_text(hitachi, "{:04X}"),
            "port_multiplier_link": id_text([0] * 256),
            "one_word_short": id_text(toshiba)[:-5],
            "ata_information_page": ata_information_page(toshiba),
        },
        "calibration_value": {
            "right": b"rabcdefghijklmnopq",
            "left": b"lqwertzuiopasdfghj",
            "none": b"",
            "upper_case_r": b"Rabcdefghijklmnopq",
            "leading_space": b" r",
        },
        # The country code, a zero byte, the city code.
        "location": {
            "munich": b"49\x00089",
            "switzerland": b"41",
            "austria_without_city": b"43\x00",
            "germany_with_prefix": b"0049\x0003319",
            "germany_longest_city": b"49\x001234567",
            "germany_letters": b"49\x00o89",
        },
        # The list, a zero byte, the latitude bytes.
        "area_code_tables": {
            "three_codes": tables(["201", "202", "89"], [51.45, 51.45, 48.1333333333333]),
            "latitudes_truncated": tables(["201", "221"], [51.45, 50.9333333333333])[:-1],
            "latitudes_oversized": tables(["331"], [52.4, 52.4]),
            "list_garbled": tables(["20x", "89"], [51.45, 48.1]),
            "list_unclosed": b"l9978\0" + struct.pack("<d", 47.5),
            "no_separator": b"l201l",
        },
    }
    for target, files in seeds.items():
        folder = CORPUS / target
        folder.mkdir(parents=True, exist_ok=True)
        for name, data in files.items():
            (folder / name).write_bytes(data)


if __name__ == "__main__":
    main()
