#!/usr/bin/python3
"""Checks the manual pages as man and lintian read them.

Usage: check_man_pages.py [--must-name=NAME]... PAGE...

Each page must format without a single warning (as `man --warnings` reports them to lintian) and must
have a NAME section that whatis can read. The pages are translations of each other, so all of them
must name the same files, settings keys, variables and system interfaces, and each of them every
NAME given (a file the package installs for the reader, say).
"""

import os
import re
import subprocess
import sys

# Paths, settings groups and the upper-case names of variables and kernel interfaces.
NAMES = re.compile(r'[~/][\w./$-]*\w|\[\w+\]|\b[A-Z][A-Z0-9_]{2,}\b')


def warnings(page):
    environment = dict(os.environ, LC_ALL='C.UTF-8', MANWIDTH='80')
    result = subprocess.run(['man', '--warnings', '-E', 'UTF-8', '-l', '-Tutf8', '-Z', page],
                            env=environment, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    return result.stderr.strip() or (f'man ended with {result.returncode}' if result.returncode else '')


def names(page):
    with open(page, encoding='utf-8') as file:
        body = [line for line in file if not line.startswith(('.\\"', '.TH', '.SH'))]
    # Font changes split a path such as /sys/block/\fIdisk\fP/device; the names are compared without them.
    text = re.sub(r'\\f[BIRP]', '', ''.join(body))
    return set(NAMES.findall(text))


def main(arguments):
    required = [a.split('=', 1)[1] for a in arguments if a.startswith('--must-name=')]
    pages = [a for a in arguments if not a.startswith('--must-name=')]
    problems = []
    for page in pages:
        if found := warnings(page):
            problems.append(f'{page}: {found}')
        if subprocess.run(['lexgrog', page], stdout=subprocess.DEVNULL).returncode != 0:
            problems.append(f'{page}: whatis cannot read its NAME section')
    for page in pages:
        for name in sorted(set(required) - names(page)):
            problems.append(f'{page} does not name {name}')
    reference = names(pages[0])
    for page in pages[1:]:
        other = names(page)
        for name in sorted(reference - other):
            problems.append(f'{page} does not name {name}, which {pages[0]} names')
        for name in sorted(other - reference):
            problems.append(f'{pages[0]} does not name {name}, which {page} names')
    for problem in problems:
        print(f'FAIL: {problem}')
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
