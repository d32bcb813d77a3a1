#!/usr/bin/env python3
"""Checks the plan of the source tree: which folder may include which, and
that portable files never include a Windows header.

  source_rooms_test.py SOURCE_DIR

Prints each offence and ends with a count line; exits 1 on any."""
import os
import re
import sys

# Each room and the rooms its files may include (besides itself). A room is
# a top folder, or a folder of skin/.
MAY_INCLUDE = {
    'platform': set(),
    'catalog': {'platform'},
    'archive': {'platform'},
    'ui': {'platform'},
    'skin/image': {'platform'},
    'skin/archive': {'platform', 'skin/image'},
    'skin/model': {'platform', 'skin/image', 'skin/archive'},
    'skin/layout': {'platform', 'skin/image', 'skin/archive', 'skin/model'},
    'skin/win': {'platform', 'ui', 'skin/image', 'skin/archive', 'skin/model', 'skin/layout'},
    'browse': {'platform', 'catalog', 'ui'},
    'shell': {'platform', 'catalog', 'ui', 'browse'},
    'create': {'platform', 'catalog', 'archive', 'ui', 'shell', 'resources'},
    'maintain': {'platform', 'catalog', 'ui', 'browse', 'shell'},
    'duplicates': {'platform', 'catalog', 'ui', 'browse', 'shell', 'maintain'},
    'stats': {'platform', 'catalog', 'ui', 'browse', 'shell', 'maintain'},
    'app': {'platform', 'catalog', 'archive', 'ui', 'browse', 'shell', 'create', 'maintain', 'duplicates', 'stats', 'resources',
            'skin/image', 'skin/archive', 'skin/model', 'skin/layout', 'skin/win'},
}
# Rooms with no Win32 file at all (platform/ keeps one file per system).
PORTABLE_ROOMS = {'catalog', 'archive', 'skin/image', 'skin/archive', 'skin/model', 'skin/layout'}
WINDOWS_HEADER = re.compile(r'#\s*include\s*[<"](windows|winuser|wingdi|commctrl|commdlg|shellapi|shlobj|uxtheme|'
                            r'winioctl|dbt|windowsx|mmsystem)\.h[>"]', re.I)
INCLUDE = re.compile(r'#\s*include\s*"([^"]+)"')


def room_of(path):
    parts = path.split('/')
    if parts[0] == 'skin' and len(parts) > 2:
        return 'skin/' + parts[1]
    return parts[0]


def main():
    root = sys.argv[1]
    offences = []
    checked = 0
    for room in MAY_INCLUDE:
        for folder, _, files in os.walk(os.path.join(root, room)):
            for name in sorted(files):
                if not name.endswith(('.h', '.cpp', '.inc')):
                    continue
                path = os.path.relpath(os.path.join(folder, name), root).replace(os.sep, '/')
                if room_of(path) != room:
                    continue
                checked += 1
                text = open(os.path.join(root, path), encoding='utf-8', errors='replace').read()
                windows_file = name.startswith('win_') or room == 'ui'
                if room in PORTABLE_ROOMS and name.startswith('win_'):
                    offences.append(f'{path}: a Win32 file in the portable room {room}')
                if room == 'skin/win' and not name.startswith('win_'):
                    offences.append(f'{path}: a portable file in the Win32 room skin/win')
                if not windows_file and WINDOWS_HEADER.search(text):
                    offences.append(f'{path}: a portable file includes a Windows header')
                for included in INCLUDE.findall(text):
                    target = room_of(included)
                    if '/' not in included or target == room or target not in MAY_INCLUDE and target != 'resources':
                        continue
                    if target not in MAY_INCLUDE[room]:
                        offences.append(f'{path}: includes {included}, a room it may not use')
    for o in offences:
        print(o)
    print(f'source rooms: {checked} files checked: {checked - len(offences)} passed, {len(offences)} failed')
    return 1 if offences else 0


if __name__ == '__main__':
    sys.exit(main())
