#!/usr/bin/env python3
# The checker's SARIF log read back as a code host reads it: valid UTF-8 JSON whatever the files
# hold, one rule for each kind of finding, and each result the finding that the line form gives,
# with the same file, place, level and text, in the same order, and the same exit status.
#   sarif_test.py CHECKER
import codecs
import json
import os
import subprocess
import sys
import tempfile
import urllib.parse

checker = os.path.abspath(sys.argv[1])
good = '<Term Number="1"><System Name="S"><Input Name="C"/></System></Term>'
# A file for each kind of finding that ends a file's reading, and one with all the others.
files = {
    'nul.xml': '<TermToInput>\0</TermToInput>',
    'bad.xml': '<TermToInput>\n<Term>\n</TermToInput>',
    'none.xml': '<!-- x -->',
    'root.xml': '<a/>',
    'nothing.xml': '<TermToInput/>',
    'zone.xml': '<TermToInput TimeZone="Mars/Base"/>',
    'empty/notes.txt': '',
    'a b/termToInput.xml': '<TermToInput Width="640px" Height="t\xffll" Pre="-1" Widht="1" '
    'TimeZone="Etc/GMT+5">\n\t' + good + good.replace('"C"', '"&#1;"') +
    '<Term Number="2"><System Name="S"><Input Name=""/></System></Term><Term Number="3"><System '
    'Name="S"><Input/></System></Term><Term/><x/>text</TermToInput><Term/>',
}
codecs.register_error('hex', lambda e: ('\\x%02X' % e.object[e.start], e.start + 1))

with tempfile.TemporaryDirectory() as folder:
    for name, text in files.items():
        os.makedirs(os.path.join(folder, os.path.dirname(name)), exist_ok=True)
        with open(os.path.join(folder, name), 'wb') as file:
            file.write(text.encode('latin-1'))
    paths = [name for name in sorted(files) if '/' not in name] + [os.path.join(folder, 'a b'), 'empty', 'missing.xml']

    def check(*options):
        return subprocess.run([checker, *options, *paths], cwd=folder, capture_output=True)

    sarif, brief = check('--format', 'sarif'), check('--brief')
    assert sarif.returncode == brief.returncode == 2, (sarif, brief.returncode)
    assert check('--format', 'sarif', '-n', '4').returncode == 64
    log = json.loads(sarif.stdout.decode('utf-8'))
    version = check('--version').stdout.split()[1].decode()

assert log['version'] == '2.1.0' and log['$schema'].endswith('sarif-2.1.0.json'), log
[run] = log['runs']
driver = run['tool']['driver']
assert driver['name'] == 'pos-video-check' and driver['version'] == version, driver
assert 'informationUri' not in driver and run['columnKind'] == 'unicodeCodePoints'
rules = {rule['id'] for rule in driver['rules'] if rule['shortDescription']['text']}
assert len(rules) == len(driver['rules']), driver['rules']
assert {result['ruleId'] for result in run['results']} == rules, rules


def line(result):
    [location] = result['locations']
    uri = location['physicalLocation']['artifactLocation']['uri']
    assert ' ' not in uri and (uri.startswith('file:///') or not uri.startswith(folder)), uri
    region = location['physicalLocation'].get('region')
    place = f":{region['startLine']}:{region['startColumn']}" if region else ''
    return (f"{urllib.parse.unquote(uri.removeprefix('file://'))}{place}: "
            f"{result['level']}: {result['message']['text']}")


lines = brief.stdout.decode('utf-8', 'hex').splitlines()
assert [line(result) for result in run['results']] == lines[:-1], lines
print(f'{len(lines) - 1} findings of {len(rules)} kinds read back')
