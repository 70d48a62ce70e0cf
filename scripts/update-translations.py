#!/usr/bin/env python3
"""Brings translations/<code>.po in line with the English entries of src/app/texts/*.inc.

Every English entry becomes one catalogue entry: msgctxt = the entry name, msgid = the English
text, msgstr = the translation. Existing translations are kept; an entry whose English text
changed is marked fuzzy (the program shows it in English until a translator clears the flag);
entries no longer in English are dropped. Optional: --add CODE FILE merges a tab-separated file
of "entry<TAB>translation" lines (\\n for a line break) into that language first.

Usage: scripts/update-translations.py [--add fr new-fr.tsv ...]
"""
import glob
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LANGUAGES = {"fr": "French", "de": "German", "it": "Italian", "pt": "Portuguese", "es": "Spanish", "pl": "Polish"}
STRING = r'"(?:[^"\\]|\\.)*"'
ENTRY = re.compile(r'\{\s*(' + STRING + r')\s*,\s*((?:' + STRING + r'\s*)+)\}')


def c_unquote(parts):
    text = ""
    for part in re.findall(STRING, parts):
        body = part[1:-1]
        text += re.sub(r'\\(.)', lambda m: {"n": "\n", "t": "\t"}.get(m.group(1), m.group(1)), body)
    return text


def english_entries():
    entries = {}
    for path in sorted(glob.glob(os.path.join(ROOT, "src/app/texts/*.inc"))):
        source = "\n".join(line for line in open(path, encoding="utf-8") if not line.lstrip().startswith("//"))
        for name, text in ENTRY.findall(source):
            entries[c_unquote(name)] = (c_unquote(text), os.path.basename(path))
    return entries


def po_quote(text):
    text = text.replace("\\", "\\\\").replace('"', '\\"').replace("\t", "\\t")
    lines = text.split("\n")
    if len(lines) == 1:
        return '"' + lines[0] + '"'
    parts = ['""'] + ['"' + line + '\\n"' for line in lines[:-1]]
    if lines[-1]:
        parts.append('"' + lines[-1] + '"')
    return "\n".join(parts)


def read_po(path):
    entries = {}
    if not os.path.exists(path):
        return entries
    current, target, fuzzy = {}, None, False
    def flush():
        nonlocal current, fuzzy
        if "ctxt" in current:
            entries[current["ctxt"]] = (current.get("id", ""), current.get("str", ""), fuzzy)
        current, fuzzy = {}, False
    for raw in open(path, encoding="utf-8"):
        line = raw.strip()
        if not line:
            continue
        if line.startswith("#"):
            if current.get("str") is not None and target == "str":
                flush()
            if line.startswith("#,") and "fuzzy" in line:
                fuzzy = True
            continue
        match = re.match(r'(msgctxt|msgid|msgstr)\s+(".*")$', line)
        if match:
            key = match.group(1)[3:]
            if key == "ctxt" and current:
                flush()
            target = key
            current[target] = c_unquote(match.group(2))
        elif line.startswith('"') and target:
            current[target] += c_unquote(line)
    flush()
    return entries


def main(argv):
    additions = {}
    while argv[:1] == ["--add"]:
        code, path = argv[1], argv[2]
        argv = argv[3:]
        for line in open(path, encoding="utf-8"):
            line = line.rstrip("\n")
            if "\t" in line:
                name, text = line.split("\t", 1)
                additions.setdefault(code, {})[name] = text.replace("\\n", "\n")
    english = english_entries()
    for code, name in LANGUAGES.items():
        path = os.path.join(ROOT, "translations", code + ".po")
        old = read_po(path)
        out = [f'# Kelvaro interface texts: {name}.',
               '# msgctxt is the entry name of the language table, msgid the English text.',
               '# Keep the "&" accelerators and the %1, %2 ... placeholders of the English text.',
               'msgid ""', 'msgstr ""',
               '"Content-Type: text/plain; charset=UTF-8\\n"',
               f'"Language: {code}\\n"', '']
        for entry, (text, source) in english.items():
            translation, fuzzy = "", False
            if entry in old:
                old_id, translation, fuzzy = old[entry]
                fuzzy = fuzzy or (old_id != text and translation != "")
            if entry in additions.get(code, {}):
                translation, fuzzy = additions[code][entry], False
            out.append(f"#: src/app/texts/{source}")
            if fuzzy:
                out.append("#, fuzzy")
            out.append("msgctxt " + po_quote(entry))
            out.append("msgid " + po_quote(text))
            out.append("msgstr " + po_quote(translation))
            out.append("")
        with open(path, "w", encoding="utf-8") as po:
            po.write("\n".join(out))


if __name__ == "__main__":
    main(sys.argv[1:])
