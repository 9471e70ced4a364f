#!/usr/bin/python3
"""Checks the package's copyright file as Debian reads it.

Usage: check_copyright.py COPYRIGHT METAINFO REPOSITORY

It must parse as machine-readable copyright (DEP-5); every licence a Files paragraph names must have
its text, in the paragraph or in a License paragraph of its own; every License paragraph must be used
and must point to a file that exists when it points to /usr/share/common-licenses; every Files pattern
must match a file of the repository; and the program's licence must be the one its AppStream metainfo
declares.
"""

import os
import re
import sys
import xml.etree.ElementTree as ElementTree

from debian.copyright import Copyright, globs_to_re

COMMON_LICENSES = re.compile(r'/usr/share/common-licenses/[\w.+-]+')


def repository_files(root):
    for folder, subfolders, names in os.walk(root):
        subfolders[:] = [d for d in subfolders if d != '.git' and not d.startswith('build')]
        for name in names:
            yield os.path.relpath(os.path.join(folder, name), root)


def main(copyright_path, metainfo_path, repository):
    problems = []
    with open(copyright_path, encoding='utf-8') as file:
        copyright = Copyright(file, strict=True)

    texts = {p.license.synopsis: p.license.text for p in copyright.all_license_paragraphs()}
    used = set()
    files = list(repository_files(repository))
    for paragraph in copyright.all_files_paragraphs():
        where = ' '.join(paragraph.files)
        if not paragraph.copyright:
            problems.append(f'{where}: no Copyright')
        for name in re.split(r'\s+(?:and|or)\s+', paragraph.license.synopsis):
            used.add(name)
            if not paragraph.license.text and not texts.get(name):
                problems.append(f'{where}: licence {name} has no text')
        for pattern in paragraph.files:
            if not any(globs_to_re([pattern]).match(f) for f in files):
                problems.append(f'{pattern}: matches no file of the repository')

    for name, text in texts.items():
        if name not in used:
            problems.append(f'licence {name} is named by no Files paragraph')
        for path in COMMON_LICENSES.findall(text):
            if not os.path.isfile(path.rstrip('.')):
                problems.append(f'licence {name} refers to {path}, which this system does not have')

    program = copyright.find_files_paragraph('main/main.cpp')
    declared = ElementTree.parse(metainfo_path).getroot().findtext('project_license')
    if program is None or program.license.synopsis != declared:
        problems.append(f'the program is under {program.license.synopsis if program else None}, '
                        f'the metainfo declares {declared}')

    for problem in problems:
        print(f'FAIL: {problem}')
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main(*sys.argv[1:]))
