#!/usr/bin/env python3
"""Usage: translations_check.py LUPDATE REPOSITORY

Fails when lupdate, run over src/ into a copy of translations/spectrane_en.ts, finds a text that
is new, unfinished or unused, or when a Japanese string literal in src/ stands outside tr(),
translate() or QT_TRANSLATE_NOOP() on a line without "// untranslated:" (and why)."""
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

JAPANESE = re.compile('[\u3000-\u30ff\u4e00-\u9fff\uff00-\uffef]')
TOKENS = re.compile(r'//[^\n]*|/\*.*?(?:\*/|$)|"(?:[^"\\\n]|\\.)*"', re.S)
LITERALS = re.compile(r'(?:"(?:[^"\\\n]|\\.)*"\s*)+')
TRANSLATED = re.compile(r'(\btr|\btranslate\s*\(\s*"[^"]*"\s*,|QT_TRANSLATE_NOOP\s*\(\s*"[^"]*"\s*,)'
                        r'\s*\(?\s*$')


def without_comments(text):
    """The source with comments blanked (strings kept), line numbers unchanged."""
    return TOKENS.sub(lambda m: m.group(0) if m.group(0)[0] == '"' else
                      re.sub(r'[^\n]', ' ', m.group(0)), text)


def untranslated_literals(src):
    faults = []
    for path in sorted(src.rglob('*')):
        if path.suffix not in ('.cpp', '.h'):
            continue
        original = path.read_text(encoding='utf-8')
        lines = original.splitlines()
        code = without_comments(original)
        for m in LITERALS.finditer(code):
            if not JAPANESE.search(m.group(0)):
                continue
            line = code.count('\n', 0, m.start()) + 1
            if '// untranslated:' in lines[line - 1]:
                continue
            if not TRANSLATED.search(code[max(0, m.start() - 200):m.start()]):
                faults.append(f'{path}:{line}: {lines[line - 1].strip()}')
    return faults


def unfinished_messages(lupdate, repo):
    with tempfile.TemporaryDirectory() as tmp:
        ts = pathlib.Path(tmp) / 'spectrane_en.ts'
        shutil.copy(repo / 'translations' / 'spectrane_en.ts', ts)
        subprocess.run([lupdate, '-silent', '-locations', 'none', str(repo / 'src'), '-ts', str(ts)],
                       check=True)
        faults = []
        for context in ET.parse(ts).getroot().iter('context'):
            name = context.findtext('name')
            for message in context.iter('message'):
                translation = message.find('translation')
                state = translation.get('type')
                if state or not (translation.text or '').strip():
                    faults.append(f'{name}: {message.findtext("source")!r}: '
                                  f'{state or "empty"}')
        return faults


def main():
    lupdate, repo = sys.argv[1], pathlib.Path(sys.argv[2])
    faults = untranslated_literals(repo / 'src')
    for fault in faults:
        print('outside the translation functions:', fault)
    unfinished = unfinished_messages(lupdate, repo)
    for fault in unfinished:
        print('not translated in translations/spectrane_en.ts:', fault)
    if unfinished:
        print('Run scripts/update-translations.sh, then translate the texts it marks unfinished.')
    return 1 if faults or unfinished else 0


if __name__ == '__main__':
    sys.exit(main())
