#!/usr/bin/env python3
"""Validates the AppStream metainfo with appstreamcli (pedantic, no network), then checks what
AppStream 1.0's validator demands and 0.16's does not yet know, so that a file that passes on
Debian 12 passes on Debian 13 too: a https homepage and a developer with an id and a name.
Usage: check_metainfo.py APPSTREAMCLI METAINFO"""
import subprocess
import sys
from xml.etree import ElementTree


def main(appstreamcli, path):
    if subprocess.run([appstreamcli, 'validate', '--no-net', '--pedantic', path]).returncode != 0:
        return 'FAIL: appstreamcli rejects the metainfo'
    root = ElementTree.parse(path).getroot()
    homepage = (root.findtext("url[@type='homepage']") or '').strip()
    if not homepage.startswith('https://'):
        return f'FAIL: no https homepage, found {homepage!r}'
    developer = root.find('developer')
    if developer is None or not developer.get('id') or not (developer.findtext('name') or '').strip():
        return 'FAIL: no developer with an id and a name'
    print(f'PASS: valid, homepage {homepage}, developer {developer.get("id")}')
    return None


if __name__ == '__main__':
    sys.exit(main(*sys.argv[1:]))
