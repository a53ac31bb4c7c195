#!/usr/bin/env python3
"""Converts a FreeDict dictionary in dictd form (NAME.index and NAME.dict.dz)
into an article file of the program.

Usage: convert_freedict.py DICTD_BASE OUTPUT.dat
  DICTD_BASE  e.g. /usr/share/dictd/freedict-eng-ita

The article file is UTF-16LE text: a byte-order mark and a title line, then
one record per headword (a line feed, a bar, the headword, a bar, the article)
and a closing line feed and bar, so that the last article can be shown too.
Records are in the order a reader browses them: alphabetical, ignoring case
and accents, ties kept in the dictionary's own order. Entries that share a
headword are merged into one article. Every byte is then stored plus 2.
"""
import gzip
import os
import sys
import unicodedata

BASE64 = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/'


def decode_number(text):
    value = 0
    for ch in text:
        value = value * 64 + BASE64.index(ch)
    return value


def browse_key(headword):
    """Alphabetical as a reader expects it: case and accents do not count."""
    folded = unicodedata.normalize('NFKD', headword.casefold())
    return ''.join(ch for ch in folded if not unicodedata.combining(ch))


def clean(text):
    # A bar separates records; a headword or article must not hold one.
    return text.replace('|', '/')


def spelled_headword(first_line, indexed):
    """The index holds headwords in lower case; the article's first line spells
    them as written ("Zurich /.../"), so that is the headword we keep."""
    spelled = first_line.split(' /')[0].strip()
    return spelled if spelled.casefold() == indexed.strip().casefold() else indexed.strip()


def read_entries(base):
    with gzip.open(base + '.dict.dz') as f:
        data = f.read()
    entries = {}
    order = []
    with open(base + '.index', encoding='utf-8') as f:
        for line in f:
            parts = line.rstrip('\n').split('\t')
            if len(parts) != 3:
                continue
            headword, offset, length = parts
            if headword.startswith('00database') or headword.startswith('00-database'):
                continue
            start = decode_number(offset)
            body = data[start:start + decode_number(length)].decode('utf-8')
            lines = [clean(l.rstrip()) for l in body.strip('\n').split('\n')]
            headword = clean(spelled_headword(lines[0], headword))
            if not headword:
                continue
            if headword not in entries:
                entries[headword] = lines
                order.append(headword)
            else:
                # Same headword again: its first line repeats the headword, keep
                # only the senses.
                entries[headword].extend(lines[1:] if len(lines) > 1 else lines)
    return [(h, entries[h]) for h in order]


def article_text(entries, title):
    ordered = sorted(enumerate(entries), key=lambda e: (browse_key(e[1][0]), e[0]))
    parts = ['\ufeff', title]
    for _, (headword, lines) in ordered:
        parts.append('\r\n|' + headword + '|' + '\r\n'.join(lines))
    parts.append('\r\n|')
    return ''.join(parts)


def main():
    base, output = sys.argv[1], sys.argv[2]
    name = os.path.basename(base)
    text = article_text(read_entries(base), 'Converted from the FreeDict dictionary ' + name
                        + ' (GNU General Public License, version 2 or later).')
    stored = bytes((b + 2) & 0xFF for b in text.encode('utf-16-le'))
    os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
    with open(output, 'wb') as f:
        f.write(stored)


if __name__ == '__main__':
    main()
