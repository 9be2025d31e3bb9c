#!/usr/bin/env python3
"""Builds quoted_texts.json, the data of LanguageTest, from the design documents.

Usage:
    make_quoted_texts.py [--fix-table LANGUAGE_JSON] DOCUMENT...

DOCUMENT are the markdown design documents, oldest first (the order decides which of two
disagreeing screen chapters wins). The script collects every text that a document quotes for a
("Section", "key") entry of the text table, resolves disagreements and writes the expected texts
next to itself. Whatever it cannot read is printed, to be checked by eye.

With --fix-table it also writes every expected text into the given text table (keeping its other
values and its layout) and adds the keys it lacks.

Python 3 standard library only; run by hand, never by the build.
"""

import argparse
import json
import re
import sys
from collections import OrderedDict, defaultdict
from pathlib import Path

HERE = Path(__file__).resolve().parent
OUTPUT = HERE / "quoted_texts.json"

Q = r'"([^"]*)"'
LANGS = ("es", "en")

# Chapter headings: "# <word> <major>.<minor>: <title>".
CHAPTER = re.compile(r"^# \S+ (\d+)\.(\d+): (.*)$")
OTHER_HEADING = re.compile(r"^# (.*)$")


def unescape(text):
    """A quoted text as the table stores it: the documents write line breaks as \\r\\n and \\n."""
    return text.replace("\\r", "\r").replace("\\n", "\n")


def show(text):
    return json.dumps(text, ensure_ascii=False)


class Source:
    def __init__(self, doc_index, doc_name, line_no, chapter, kind):
        self.doc_index = doc_index
        self.doc_name = doc_name
        self.line_no = line_no
        self.chapter = chapter  # e.g. "8.111", or a heading title
        self.kind = kind  # "table", "screen" or "summary"

    def rank(self):
        return {"table": 2, "screen": 1, "summary": 0}[self.kind]

    def __str__(self):
        return f"{self.doc_name}:{self.line_no} [{self.chapter}]"


class Documents:
    def __init__(self, paths):
        self.docs = []
        for index, path in enumerate(paths):
            lines = Path(path).read_text(encoding="utf-8").split("\n")
            chapters = []
            chapter, kind = "preamble", "summary"
            for line in lines:
                m = CHAPTER.match(line)
                if m:
                    chapter = f"{m.group(1)}.{m.group(2)}"
                    if m.group(3).startswith("Text table"):
                        kind = "table"
                    elif m.group(1) == "0":
                        kind = "summary"
                    else:
                        kind = "screen"
                elif OTHER_HEADING.match(line):
                    chapter, kind = OTHER_HEADING.match(line).group(1), "summary"
                chapters.append((chapter, kind))
            self.docs.append((index, Path(path).name, lines, chapters))


# --------------------------------------------------------------------------------------------
# The text-table chapters: sections, keys, texts, lists, rectangles, help records.


class Table:
    def __init__(self):
        self.sections = []  # in the table's order
        self.keys = OrderedDict()  # section -> {"es": [...], "en": [...]} (no "en" when absent)
        self.counts = {}  # section -> (es count, en count or None)
        self.totals = None
        self.texts = []  # (section, key, lang, text, source)
        self.lists = OrderedDict()  # (section, key) -> {"es": [...], "en": [...]}
        self.rects = OrderedDict()
        self.help = OrderedDict()
        self.same_in_both = []  # (section, key)
        self.candidates = OrderedDict()  # (section, key) -> {lang: [texts the table may hold]}
        self.unread = []
        self.unread_prose = []


def parse_key_list(text):
    """'"a", "b" (es only), "c" (en only)' -> [(key, languages)]."""
    keys = []
    for m in re.finditer(r'"([^"]+)"(?: \((es|en) only\))?', text):
        keys.append((m.group(1), (m.group(2),) if m.group(2) else LANGS))
    return keys


def table_cells(line):
    cells = line.strip().strip("|").split("|")
    return [c.strip() for c in cells]


def quotes(text):
    return [unescape(q) for q in re.findall(Q, text)]


def read_table_chapters(documents):
    table = Table()
    for doc_index, doc_name, lines, chapters in documents.docs:
        section = None
        header = None
        left_to_implementer = False
        for i, line in enumerate(lines):
            chapter, kind = chapters[i]
            if kind != "table":
                continue
            src = Source(doc_index, doc_name, i + 1, chapter, "table")
            if CHAPTER.match(line):
                section, header, left_to_implementer = None, None, False
                continue
            if line.startswith("**Left to the implementer**"):
                left_to_implementer = True
                continue
            if re.match(r"^\*\*[A-Z][a-z ]+\*\*$", line):
                left_to_implementer = False
                section = None if line != "**Data model**" else section
                continue
            if left_to_implementer:
                read_candidates(table, section, line, src)
                continue
            m = re.match(r"^Sections, in the table's order: (.*)$", line)
            if m:
                table.sections = re.findall(Q, m.group(1))
                continue
            m = re.search(r'The "es" tables hold ([\d,]+) keys and the "en" tables ([\d,]+) keys', line)
            if m:
                table.totals = tuple(int(g.replace(",", "")) for g in m.groups())
            # A section: '**"Name"**: 12 keys in "es", 11 in "en".' or '- **"Name"**: ...'.
            m = re.match(
                r'^(?:- )?\*\*"(\w+)"\*\*: (\d+) keys? in "es", (?:(\d+) in "en"|no "en" table)', line
            )
            if m:
                section = m.group(1)
                es_count = int(m.group(2))
                en_count = int(m.group(3)) if m.group(3) is not None else None
                table.counts[section] = (es_count, en_count)
                entry = OrderedDict(es=[])
                if en_count is not None:
                    entry["en"] = []
                table.keys[section] = entry
                k = re.search(r"Keys: (.*)$", line)
                if k:
                    add_keys(table, section, k.group(1))
                continue
            m = re.match(r"^Keys: (.*)$", line)
            if m and section:
                add_keys(table, section, m.group(1))
                continue
            if line.lstrip().startswith("|"):
                cells = table_cells(line)
                if re.match(r"^\|[-| ]+\|$", line.strip()):
                    continue
                if i + 1 < len(lines) and re.match(r"^\s*\|[-| ]+\|\s*$", lines[i + 1]):
                    header = cells
                    continue
                read_table_row(table, section, header, cells, src)
                continue
            if line.strip():
                before = len(table.texts) + len(table.candidates) + len(table.same_in_both)
                read_candidates(table, section, line, src)
                read_table_prose(table, section, line, src)
                if before == len(table.texts) + len(table.candidates) + len(table.same_in_both) and any(
                    re.search(r"[ áéíóúñ¿¡]", q) for q in re.findall(Q, line)
                ):
                    table.unread_prose.append((src, line))
    return table


def add_keys(table, section, text):
    entry = table.keys[section]
    for key, languages in parse_key_list(text):
        for lang in languages:
            # An empty table lists no key of its own ("readerDemo" in English).
            if lang in entry and table.counts[section][LANGS.index(lang)] != 0:
                entry[lang].append(key)


def read_table_row(table, section, header, cells, src):
    head = [h.strip('"') for h in header] if header else []
    if head[:2] == ["Section", "Key"] and '"es"' in header[2]:
        sec, key = cells[0], cells[1]
        if header[2].startswith('"es" (x'):
            table.rects[(sec, key)] = {
                "es": [int(v) for v in cells[2].split(",")],
                "en": [int(v) for v in cells[3].split(",")],
            }
            return
        table.lists[(sec, key)] = {"es": read_list_cell(cells[2], None), "en": None}
        table.lists[(sec, key)]["en"] = read_list_cell(cells[3], table.lists[(sec, key)]["es"])
        return
    if head[:3] == ["Key", "Pages", "images"]:
        table.help[("Setup", cells[0])] = quotes(cells[2])
        return
    if head[:3] == ["Key", "es", "en"]:
        sec = section if section else "GlobalTexts"  # the date-phrase table of the table chapter
        key = cells[0]
        for lang, cell in zip(LANGS, cells[1:3]):
            if cell == "none" or cell.startswith("(see "):
                continue
            m = re.fullmatch(Q, cell)
            if not m:
                table.unread.append((src, cell))
                continue
            table.texts.append((sec, key, lang, unescape(m.group(1)), src))
        return
    table.unread.append((src, " | ".join(cells)))


def read_list_cell(cell, spanish):
    """A list cell: quoted entries, or the month names in capitals followed by a word."""
    m = re.search(r'in capitals, each followed by a blank and "(\w+)"', cell)
    if m:
        return [f"{month.upper()} {m.group(1)}" for month in MONTHS["es"]]
    m = re.search(r'^the same with "(\w+)"', cell)
    if m:
        return [f"{month.upper()} {m.group(1)}" for month in MONTHS["en"]]
    entries = quotes(re.sub(r"\(.*?\)", "", cell))
    if len(entries) == 12:
        MONTHS.setdefault("es" if spanish is None else "en", entries)
    return entries


MONTHS = {}


def read_candidates(table, section, line, src):
    """Texts between which the implementer chooses: the table must hold one of them."""
    # 'Section "Tutorial" has two candidate texts for "moreData" in each language: "es" "A" or "B", "en" ...'
    m = re.search(r'Section "(\w+)" has \w+ candidate texts for "(\w+)" in each language: "es" (.*), "en" (.*)$', line)
    if m:
        table.candidates[(m.group(1), m.group(2))] = {"es": quotes(m.group(3)), "en": quotes(m.group(4))}
    # 'Section "AccountType": "key" has two candidate pairs of texts, "A" / "B" and "C" / "D";'
    m = re.search(r'Section "(\w+)": "(\w+)" has \w+ candidate pairs of texts, ([^;]*);', line)
    if m:
        pairs = re.findall(r'"([^"]*)" / "([^"]*)"', m.group(3))
        table.candidates[(m.group(1), m.group(2))] = {
            "es": [unescape(a) for a, _ in pairs],
            "en": [unescape(b) for _, b in pairs],
        }
    # 'The "en" table holds two texts for "lastName", "Last name (*)" and "Last name"'
    m = re.search(r'The "(es|en)" table holds \w+ texts for "(\w+:?)", ((?:"[^"]*"(?:, | and )?)+)', line)
    if m and section:
        table.candidates.setdefault((section, m.group(2)), {})[m.group(1)] = quotes(m.group(3))


def read_table_prose(table, section, line, src):
    # '"call" ("en") is "If the problem persists, call\n**%@**".'
    for m in re.finditer(r'"(\w+:?)" \("(es|en)"\) is "([^"]*)"', line):
        table.texts.append((section, m.group(1), m.group(2), unescape(m.group(3)), src))
    # 'The "en" text of "cancel" is Spanish ("Cancelar"); the "es" text of "update" is "Continuar".'
    for m in re.finditer(r'the "(es|en)" text of "(\w+)" is (?:\w+ \()?"([^"]*)"', line, re.I):
        table.texts.append((section, m.group(2), m.group(1), unescape(m.group(3)), src))
    # 'The card-brand keys hold "A", "B" in "es" and "a", "b" in "en" ("k1", "k2").'
    m = re.search(r'keys hold (.*) in "es" and (.*) in "en" \((.*)\)', line)
    if m:
        es, en, keys = quotes(m.group(1)), quotes(m.group(2)), re.findall(Q, m.group(3))
        if len(es) == len(en) == len(keys):
            for key, a, b in zip(keys, es, en):
                table.texts.append((section, key, "es", a, src))
                table.texts.append((section, key, "en", b, src))
        else:
            table.unread.append((src, line))
    # 'The "en" texts of the eight keys whose names begin with "linkCBUAlias" are the Spanish texts.'
    m = re.search(r'The "en" texts of the (\w+) keys whose names begin with "(\w+)" are the Spanish', line)
    if m:
        keys = [k for k in table.keys[section]["es"] if k.startswith(m.group(2))]
        table.same_in_both.extend((section, k) for k in keys)
    # 'InstallmentsPicker "ofPercentage" is " del %i%%" / " of %i%%"'
    for m in re.finditer(r'\b(\w+) "(\w+)" is "([^"]*)" / "([^"]*)"', line):
        if m.group(1) in table.sections:
            table.texts.append((m.group(1), m.group(2), "es", unescape(m.group(3)), src))
            table.texts.append((m.group(1), m.group(2), "en", unescape(m.group(4)), src))
    # 'GlobalTexts "done" yields "Listo" and "DONE" yields "LISTO"' (the language in force: es)
    current = None
    for m in re.finditer(r'(?:\b(\w+) )?"(\w+)" yields "([^"]*)"', line):
        if m.group(1) in table.sections:
            current = m.group(1)
        if current:
            table.texts.append((current, m.group(2), "es", unescape(m.group(3)), src))


# --------------------------------------------------------------------------------------------
# The other chapters: every ("Section", "key") with quoted words.


class Quoted:
    def __init__(self):
        self.texts = []  # (section, key, lang, text, source)
        self.lists = []  # (section, key, lang, entries or ("range", first, last), source)
        self.unread = []  # (source, reference, following text)
        self.unknown = []  # (source, section, key, words)
        self.distant = []  # (source, reference, words found further on)
        self.help_pages = defaultdict(dict)  # (section, key) -> {page number: text} (Spanish)


def reference_patterns(sections):
    names = "|".join(sorted(map(re.escape, sections), key=len, reverse=True))
    return [
        # ("Section", "key")
        re.compile(r'\("(\w+)", "([^"]+)"\)'),
        # section "Section", key "key"  /  "Section", key "key"
        re.compile(r'(?:section )?"(%s)",? key "([^"]+)"' % names),
        # key "key" in section "Section"  /  key "key" of section "Section"
        re.compile(r'key "(?P<k>[^"]+)" (?:in|of) section "(?P<s>%s)"' % names),
        # ("Section", "title" followed by `opType`, that is "titleSale")
        re.compile(r'\("(?P<s>%s)", "\w+" followed by `\w+`, that is "(?P<k>\w+)"' % names),
        # "Section", "key" without brackets (table cells, asides)
        re.compile(r'"(%s)", "([^"]+)"' % names),
    ]


def find_references(line, patterns, listed):
    found = []
    taken = []

    def add(start, end, section, key):
        if not any(start < e and s < end for s, e in taken):
            found.append((start, end, section, key))
            taken.append((start, end))

    for n, pattern in enumerate(patterns):
        for m in pattern.finditer(line):
            if "s" in pattern.groupindex:
                section, key = m.group("s"), m.group("k")
            else:
                section, key = m.group(1), m.group(2)
            if n == len(patterns) - 1 and key not in listed.get(section, ()):
                continue  # a bare pair of names that are not an entry
            add(m.start(), m.end(), section, key)
    # 'section "S" ... the keys "a" (Spanish "A", English "B"), "b" ("C", "D")'
    for m in re.finditer(r'section "(\w+)"', line):
        section = m.group(1)
        for k in re.finditer(r'"(\w+)"(?= \()', line[m.end() :]):
            if k.group(1) in listed.get(section, ()):
                add(m.end() + k.start(), m.end() + k.end(), section, k.group(1))
    found.sort()
    return found


def balanced_group(text):
    """The content of the bracket group that text starts with, and the rest after it."""
    depth = 0
    in_quote = False
    for i, ch in enumerate(text):
        if ch == '"':
            in_quote = not in_quote
        elif in_quote:
            continue
        elif ch == "(":
            depth += 1
        elif ch == ")":
            depth -= 1
            if depth == 0:
                return text[1:i], text[i + 1 :]
    return None, text


def words_in_brackets(content):
    """Words quoted inside a bracket group after a reference: [(lang, text)], or None."""
    if '"' not in content:
        return []
    if re.search(r'" to "', content):
        return None  # a range of list entries
    m = re.fullmatch(r'((?:"[^"]*",? )+)and "([^"]*)" on (?:two|three|four) lines', content)
    if m:
        parts = re.findall(Q, m.group(1)) + [m.group(2)]
        return [("es", unescape("\\r\\n".join(parts)))]
    if content.startswith("English texts"):
        return None
    result = []
    # "A" in Spanish, "B" in English
    for m in re.finditer(r'"([^"]*)" in (Spanish|English)', content):
        result.append(("es" if m.group(2) == "Spanish" else "en", unescape(m.group(1))))
    if result:
        return result
    # Spanish "A"; English "B" / in Spanish "A" / Spanish: "A"
    for m in re.finditer(r'(?:in )?(Spanish|English)(?: wording)?:? "([^"]*)"', content):
        result.append(("es" if m.group(1) == "Spanish" else "en", unescape(m.group(2))))
    first = re.match(r'^"([^"]*)"', content) or re.match(r'^[^"]*: "([^"]*)"\)?$', content)
    if first and not any(lang == "es" for lang, _ in result):
        result.insert(0, ("es", unescape(first.group(1))))
    if result:
        m = re.match(r'^"[^"]*" / "([^"]*)"', content)
        if m:
            result.append(("en", unescape(m.group(1))))
        m = re.match(r'^"[^"]*", "([^"]*)"$', content)
        if m:
            result.append(("en", unescape(m.group(1))))
        return result
    return None


def words_after(rest, before):
    """Words quoted right after a reference: [(lang, text)], [] for none, None if unreadable."""
    s = rest
    lead = re.match(r"^\s*(?:[:=]\s*)?", s)
    s = s[lead.end() :]
    m = re.match(r',\s*Spanish "([^"]*)"', s)
    if m:
        return [("es", unescape(m.group(1)))]
    if s.startswith(","):
        # 'the text ("S", "k"), "A"' and '("S", "k"), "A" in Spanish'
        m = re.match(r',\s*"([^"]*)"( in Spanish)?', s)
        if m and (m.group(2) or re.search(r"\btext(?: of)? $", before)):
            s = s[1:].lstrip()
        else:
            return []
    m = re.match(r'^formatted with [^"()]*(?=\()|^on an? \w+ (?=\()', s)
    if m:
        s = s[m.end() :]
    if s.startswith("("):
        content, after = balanced_group(s)
        if content is None:
            return None
        return words_in_brackets(content)
    m = re.match(r'^"([^"]*)"', s)
    if not m:
        return []
    first = unescape(m.group(1))
    tail = s[m.end() :]
    if re.match(r"^ to \"", tail):
        return None
    m2 = re.match(r'^\s*/\s*"([^"]*)"', tail)
    if m2:
        return [("es", first), ("en", unescape(m2.group(1)))]
    if re.match(r"^ in English", tail):
        return [("en", first)]
    m2 = re.match(r'^ in Spanish, "([^"]*)" in English', tail)
    if m2:
        return [("es", first), ("en", unescape(m2.group(1)))]
    m2 = re.match(r'^ \("([^"]*)"\)', tail)
    if m2:
        return [("es", first), ("en", unescape(m2.group(1)))]
    return [("es", first)]


def language_columns(header):
    """Column index -> language for the text columns of a table header."""
    columns = {}
    for i, cell in enumerate(header or []):
        c = cell.lower()
        if "spanish / english" in c:
            columns[i] = "es/en"
        elif "spanish" in c or c in ('"es"', "text (es)") or "(es)" in c:
            columns[i] = "es"
        elif "english" in c or c in ('"en"', "text (en)") or "(en)" in c:
            columns[i] = "en"
        elif c == "text":
            columns[i] = "es;en"
    return columns


def words_in_cell(cell, how):
    """The words of a text column cell."""
    cell = re.sub(r'(?<=") \([^"()]*\)$', "", cell.strip())  # a note after the text
    if cell in ("—", "none", ""):
        return []
    if how in ("es", "en"):
        m = re.fullmatch(Q, cell)
        return [(how, unescape(m.group(1)))] if m else None
    if how == "es;en":
        m = re.fullmatch(r'"([^"]*)"; "([^"]*)"', cell)
        if m:
            return [("es", unescape(m.group(1))), ("en", unescape(m.group(2)))]
        m = re.fullmatch(Q, cell)
        return [("es", unescape(m.group(1)))] if m else None
    if cell == "a single space in both languages":
        return [("es", " "), ("en", " ")]
    # "A" / "B", or one text for both languages
    m = re.fullmatch(r'"([^"]*)" / "([^"]*)"', cell)
    if m:
        return [("es", unescape(m.group(1))), ("en", unescape(m.group(2)))]
    m = re.fullmatch(Q, cell)
    if m:
        return [("es", unescape(m.group(1))), ("en", unescape(m.group(1)))]
    return None


def context_section(lines, header_index, sections):
    """The section a key-only table belongs to, named in the lines just before its header."""
    for j in range(header_index - 1, max(header_index - 16, -1), -1):
        text = lines[j]
        if text.startswith("#"):
            break
        found = re.findall(r'section "(\w+)"|\("(\w+)" section\)|section (\w+)\b', text)
        names = [a or b or c for a, b, c in found if (a or b or c) in sections]
        if names:
            return names[-1]
    return None


def read_other_chapters(documents, table):
    sections = set(table.sections)
    listed = {s: set(k for lang in v.values() for k in lang) for s, v in table.keys.items()}
    list_keys = set(table.lists) | set(table.rects) | set(table.help)
    patterns = reference_patterns(sections)
    quoted = Quoted()

    def record(section, key, words, src, ref_text, rest):
        if (section, key) in list_keys:
            return  # lists are read separately
        if words is None:
            quoted.unread.append((src, ref_text, rest[:160]))
            return
        if not words:
            return
        if (section, key) in list_keys:
            return  # lists are read separately
        if section not in sections or key not in listed.get(section, ()):
            quoted.unknown.append((src, section, key, words))
        for lang, text in words:
            quoted.texts.append((section, key, lang, text, src))

    for doc_index, doc_name, lines, chapters in documents.docs:
        header = None
        header_index = None
        for i, line in enumerate(lines):
            chapter, kind = chapters[i]
            if kind == "table":
                continue
            src = Source(doc_index, doc_name, i + 1, chapter, kind)
            is_row = line.lstrip().startswith("|")
            if not is_row:
                header = None
            elif re.match(r"^\s*\|[-| ]+\|\s*$", line):
                continue
            elif i + 1 < len(lines) and re.match(r"^\s*\|[-| ]+\|\s*$", lines[i + 1]):
                header, header_index = table_cells(line), i
                continue
            refs = find_references(line, patterns, listed)
            read_lists(line, refs, table, quoted, src)
            read_help_page(line, i, lines, table, quoted)
            if is_row:
                read_row(line, refs, header, header_index, lines, sections, record, src)
                continue
            for n, (start, end, section, key) in enumerate(refs):
                stop = refs[n + 1][0] if n + 1 < len(refs) else len(line)
                rest = line[end:stop]
                before = line[refs[n - 1][1] if n else 0 : start]
                words = words_after(rest, before[-12:])
                if words == []:
                    words = words_before(before) or words_later(rest, quoted, src, line[start:end])
                record(section, key, words, src, line[start:end], rest)
                if not words and words is not None and (section, key) not in list_keys:
                    note_unread(quoted, src, line[start:end], rest)
            read_english_aside(line, refs, record, src)
    return quoted


def words_before(before):
    """'the status text "A" ("S", "k")': the words stand just before the reference."""
    m = re.search(r'"([^"]*)" $', before)
    return [("es", unescape(m.group(1)))] if m else []


def words_later(rest, quoted, src, ref_text):
    """Spanish words named further on in the same clause ('... Spanish: "A".')."""
    m = re.search(r'(?:\(|\. |; )(?:in )?Spanish:? "([^"]*)"|\bin Spanish that text is "([^"]*)"', rest)
    if not m:
        return []
    text = unescape(m.group(1) if m.group(1) is not None else m.group(2))
    quoted.distant.append((src, ref_text, text))
    return [("es", text)]


def read_english_aside(line, refs, record, src):
    """'("S", "a") "A" and ("S", "b") "B" (English texts "C" and "D")'."""
    for m in re.finditer(r'\(English texts ((?:"[^"]*"(?:, | and )?)+)\)', line):
        texts = quotes(m.group(1))
        before = [r for r in refs if r[1] <= m.start()][-len(texts) :]
        if len(before) == len(texts):
            for (start, end, section, key), text in zip(before, texts):
                record(section, key, [("en", text)], src, line[start:end], m.group(0))


def note_unread(quoted, src, ref_text, rest):
    """A quote close after a reference that gave no words: print it for a check by eye."""
    near = rest[:60]
    if '"' in near and not re.match(r'^\s*(?:and|or|,|;)?\s*\(?"\w+", "', near):
        quoted.unread.append((src, ref_text, rest[:160]))


def read_row(line, refs, header, header_index, lines, sections, record, src):
    cells = table_cells(line)
    columns = language_columns(header)
    # Where each cell starts in the line, to place the references.
    starts = []
    pos = line.index("|") + 1
    for cell in line.strip().strip("|").split("|"):
        starts.append(pos)
        pos += len(cell) + 1

    def cell_of(offset):
        index = 0
        for n, s in enumerate(starts):
            if offset >= s:
                index = n
        return index

    head = [h.strip('"').lower() for h in header] if header else []
    # A table whose rows name the section and the key in two columns.
    if head[:2] == ["section", "key"] and not refs:
        m1, m2 = re.fullmatch(Q, cells[0]), re.fullmatch(Q, cells[1])
        if m1 and m2 and m1.group(1) in sections:
            for index, how in columns.items():
                record(m1.group(1), m2.group(1), words_in_cell(cells[index], how), src,
                       f"{cells[0]}, {cells[1]}", cells[index])
        elif m1 and m1.group(1) in sections:
            # The keys are named in the text: 'the section has "cash" ("A" / "B") and ...'.
            for index in columns:
                for k in re.finditer(r'"(\w+)" (?=\()', cells[index]):
                    rest = cells[index][k.end() :]
                    record(m1.group(1), k.group(1), words_after(rest, ""), src, k.group(0), rest)
        return
    # Cells '"key": "A" / "B"' under a header that names the section.
    named = [re.search(r'section "(\w+)"', h) for h in (header or [])]
    for index, cell in enumerate(cells):
        m = re.match(r'^"(\w+:?)": (.*)$', cell)
        if not refs and m and index < len(named) and named[index] and named[index].group(1) in sections:
            section = named[index].group(1)
            record(section, m.group(1), words_after(m.group(2), ""), src, f'{section}, "{m.group(1)}"',
                   m.group(2))
    # A table of keys of one section named before it.
    key_column = next((i for i, h in enumerate(head) if h in ("key", "entry") or h.startswith("title key")), None)
    if not refs and key_column is not None:
        section = context_section(lines, header_index, sections)
        cell = cells[key_column]
        m = re.fullmatch(Q, cell)
        if m and section and columns:
            for index, how in columns.items():
                record(section, m.group(1), words_in_cell(cell_at(cells, index), how), src,
                       f"{section}, {cell}", cell_at(cells, index))
        m = re.fullmatch(r'"(\w+)" (".*)', cell)
        if m and section:
            record(section, m.group(1), words_after(m.group(2), ""), src, f"{section}, {cell}", m.group(2))
        return
    for n, (start, end, section, key) in enumerate(refs):
        index = cell_of(start)
        cell_end = starts[index] + len(line.strip().strip("|").split("|")[index])
        stop = min(refs[n + 1][0] if n + 1 < len(refs) else len(line), cell_end)
        rest = line[end:stop]
        words = words_after(rest, line[max(0, start - 12) : start])
        if words == [] and columns and line[starts[index] : start].strip(" `") == "" and not rest.strip():
            # The reference fills its cell: the words stand in the text columns of the row.
            words = []
            for column, how in columns.items():
                found = words_in_cell(cells[column], how)
                if found is None:
                    words = None
                    break
                words += found
        record(section, key, words, src, line[start:end], rest)


def read_help_page(line, index, lines, table, quoted):
    """'- "clientsHelp" page 1: "A" / "B"': one page of a help record, its passages in order."""
    m = re.match(r'^- "(\w+)" page (\d+): ((?:"[^"]*"(?: / )?)+)$', line)
    if not m:
        return
    section = None
    for j in range(index - 1, max(index - 30, -1), -1):
        found = [s for s in re.findall(r'section "(\w+)"', lines[j]) if (s, m.group(1)) in table.help]
        if found:
            section = found[-1]
            break
    if section is None:
        quoted.unread.append((f"line {index + 1}", m.group(1), line))
        return
    # Passages of a page are separated by two line breaks.
    quoted.help_pages[(section, m.group(1))][int(m.group(2))] = "\r\n\r\n".join(quotes(m.group(3)))


def cell_at(cells, index):
    return cells[index] if index < len(cells) else ""


def read_lists(line, refs, table, quoted, src):
    for start, end, section, key in refs:
        if (section, key) not in table.lists:
            continue
        rest = line[end : end + 200]
        m = re.match(r'^\s*\((?:in )?Spanish:? "([^"]*)" to "([^"]*)"', rest) or re.match(
            r'^\s*\("([^"]*)" to "([^"]*)"\)', rest
        )
        if m:
            quoted.lists.append((section, key, "es", ("range", m.group(1), m.group(2)), src))
            continue
        m = re.match(r'^\s*\(in Spanish ((?:"[^"]*",? ?)+); in English ((?:"[^"]*",? ?)+)\)', rest)
        if m:
            quoted.lists.append((section, key, "es", quotes(m.group(1)), src))
            quoted.lists.append((section, key, "en", quotes(m.group(2)), src))
            continue
        m = re.search(r'"([^"]*)" to "([^"]*)"', line[end:])
        if m and m.start() < 80:
            quoted.lists.append((section, key, "es", ("range", m.group(1), m.group(2)), src))


# --------------------------------------------------------------------------------------------
# Resolution.


def resolve(table, quoted, choices):
    candidates = defaultdict(list)  # (section, key, lang) -> [(text, source)]
    for section, key, lang, text, src in table.texts + quoted.texts:
        candidates[(section, key, lang)].append((text, src))
    expected = {}
    conflicts = []
    for entry, found in candidates.items():
        best_rank = max(src.rank() for _, src in found)
        top = [(t, s) for t, s in found if s.rank() == best_rank]
        values = OrderedDict()
        for text, src in top:
            values.setdefault(text, []).append(src)
        others = OrderedDict()
        for text, src in found:
            if text not in values:
                others.setdefault(text, []).append(src)
        if len(values) == 1:
            value = next(iter(values))
            reason = None
            if others:
                reason = {2: "the text table quotes it", 1: "screen chapters quote it", 0: ""}[best_rank]
        else:
            if entry in choices:
                value, reason = choices[entry]
                if value not in values:
                    sys.exit(f"choice for {entry} is not among {list(values)}")
            else:
                # The later document wins; within a document, the later chapter.
                latest = max(values.items(), key=lambda kv: max((s.doc_index, s.line_no) for s in kv[1]))
                value, reason = latest[0], "the later document"
        expected[entry] = value
        if len(values) > 1 or others:
            conflicts.append((entry, value, reason, values, others))
    return expected, conflicts


# Disagreements between screen chapters settled by reading them: (section, key, lang) -> text.
CHOICES = {}


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("documents", nargs="+")
    parser.add_argument("--fix-table", metavar="LANGUAGE_JSON")
    parser.add_argument("--verbose", action="store_true", help="print every text read")
    args = parser.parse_args()

    documents = Documents(args.documents)
    table = read_table_chapters(documents)
    check_table(table)
    quoted = read_other_chapters(documents, table)
    expected, conflicts = resolve(table, quoted, CHOICES)
    same_in_both(table, expected)
    check_lists(table, quoted)

    report(table, quoted, expected, conflicts, args.verbose)
    data = build_data(table, expected, help_texts(table, quoted))
    OUTPUT.write_text(json.dumps(data, ensure_ascii=False, indent=1) + "\n", encoding="utf-8")
    print(f"wrote {OUTPUT}")
    if args.fix_table:
        fix_table(Path(args.fix_table), data)


def same_in_both(table, expected):
    """Keys whose English text is the Spanish one take the quoted Spanish words in both."""
    for section, key in table.same_in_both:
        es, en = expected.get((section, key, "es")), expected.get((section, key, "en"))
        if es is not None and en is None:
            expected[(section, key, "en")] = es
        elif es != en:
            sys.exit(f"({section}, {key}) should read the same in both languages: {show(es)} / {show(en)}")


def check_table(table):
    problems = []
    if len(table.sections) != len(table.keys):
        problems.append(f"{len(table.sections)} sections named, {len(table.keys)} listed")
    es_total = en_total = 0
    for section, (es_count, en_count) in table.counts.items():
        keys = table.keys[section]
        if len(set(keys["es"])) != es_count or (en_count is not None and len(set(keys["en"])) != en_count):
            problems.append(f"{section}: key counts differ from the listing")
        es_total += es_count
        en_total += en_count or 0
    if table.totals and (es_total, en_total) != table.totals:
        problems.append(f"totals {es_total}/{en_total} differ from {table.totals}")
    for src, text in table.unread:
        problems.append(f"{src}: unread table text: {text}")
    if problems:
        print("\n".join(problems))
        sys.exit(1)


def check_lists(table, quoted):
    for section, key, lang, entries, src in quoted.lists:
        stored = table.lists[(section, key)][lang]
        ok = (
            (stored[0], stored[-1]) == entries[1:]
            if isinstance(entries, tuple)
            else stored == entries
        )
        if not ok:
            print(f"LIST DIFFERS {src}: ({section}, {key}) {lang}: {entries} vs {stored}")


def report(table, quoted, expected, conflicts, verbose):
    if verbose:
        for section, key, lang, text, src in table.texts + quoted.texts:
            print(f"{src}: ({section}, {key}) {lang} {show(text)}")
    print(f"== {len(table.texts)} texts from the text table chapters, {len(quoted.texts)} quoted elsewhere")
    print("== Text table prose with quoted words that gave no text (check by eye):")
    for src, line in table.unread_prose:
        print(f"  {src}: {line[:200]}")
    print("== References with a quote nearby that gave no words (check by eye):")
    for src, ref, rest in quoted.unread:
        print(f"  {src}: {ref}{rest}")
    print("== Words found further on in the clause (check by eye):")
    for src, ref, text in quoted.distant:
        print(f"  {src}: {ref} -> {show(text)}")
    print("== Entries the table listing lacks:")
    for src, section, key, words in quoted.unknown:
        print(f"  {src}: ({section}, {key}) {words}")
    print("== Disagreements:")
    for (section, key, lang), value, reason, values, others in conflicts:
        print(f"  ({section}, {key}) {lang}: chose {show(value)} ({reason})")
        for text, srcs in list(values.items()) + list(others.items()):
            print(f"      {show(text)}: " + ", ".join(map(str, srcs)))


def help_texts(table, quoted):
    texts = OrderedDict()
    for entry, pages in quoted.help_pages.items():
        numbers = sorted(pages)
        if numbers != list(range(1, len(table.help[entry]) + 1)):
            sys.exit(f"help pages of {entry}: {numbers} for {len(table.help[entry])} images")
        texts[entry] = [pages[n] for n in numbers]
    return texts


def build_data(table, expected, help_pages):
    keys = OrderedDict()
    added = OrderedDict()
    for section in table.sections:
        keys[section] = OrderedDict((lang, list(v)) for lang, v in table.keys[section].items())
    for (section, key, lang), _ in sorted(expected.items()):
        entry = keys.setdefault(section, OrderedDict(es=[], en=[]))
        if lang not in entry:
            continue  # a section without an English table keeps none
        if key not in entry[lang]:
            entry[lang].append(key)
            added.setdefault(section, OrderedDict()).setdefault(lang, []).append(key)
    texts = OrderedDict()
    for section in keys:
        for lang in LANGS:
            for key in keys[section].get(lang, []):
                if (section, key, lang) in expected:
                    texts.setdefault(section, OrderedDict()).setdefault(lang, OrderedDict())[key] = expected[
                        (section, key, lang)
                    ]
    return OrderedDict(
        keys=keys,
        addedKeys=added,
        texts=texts,
        lists=[OrderedDict(section=s, key=k, es=v["es"], en=v["en"]) for (s, k), v in table.lists.items()],
        rectangles=[OrderedDict(section=s, key=k, es=v["es"], en=v["en"]) for (s, k), v in table.rects.items()],
        helpImages=[OrderedDict(section=s, key=k, images=v) for (s, k), v in table.help.items()],
        helpTexts=[OrderedDict(section=s, key=k, es=v) for (s, k), v in help_pages.items()],
        sameInBothLanguages=[OrderedDict(section=s, key=k) for s, k in table.same_in_both],
        candidates=[OrderedDict([("section", s), ("key", k)] + list(v.items())) for (s, k), v in table.candidates.items()],
    )


def fix_table(path, data):
    stored = json.loads(path.read_text(encoding="utf-8"), object_pairs_hook=OrderedDict)
    for section, languages in data["texts"].items():
        target = stored.setdefault(section, OrderedDict())
        for lang, entries in languages.items():
            table = target.setdefault(lang, OrderedDict())
            for key, text in entries.items():
                table[key] = text
    for entry in data["helpTexts"]:
        stored[entry["section"]]["es"][entry["key"]]["texts"] = entry["es"]
    path.write_text(json.dumps(stored, ensure_ascii=False, indent=1) + "\n", encoding="utf-8")
    print(f"wrote {path}")


if __name__ == "__main__":
    main()
