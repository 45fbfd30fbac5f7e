#!/usr/bin/env python3
"""Mutation sites of the production code, a seeded sample of them, and
applying one to a file.  Used by mutation-sample.sh.

  mutation_sites.py sample ROOT SEED N   one mutant a line, tab-separated:
                                         path line column operator before after
  mutation_sites.py apply ROOT PATH LINE COLUMN BEFORE AFTER

Sites are found in code only: comments, string and character literals and
preprocessor lines are blanked first, and statements of static_assert,
assert and Q_ASSERT are skipped (the build compiles the last two out, so
their mutants could never be caught).
"""
import random
import re
import sys
from pathlib import Path

MUTATED_FOLDERS = ("pad", "dialogs", "qelacl", "sky")
REMOVED = "(removed)"

COMPARISON_FLIPS = {"==": "!=", "!=": "==", "<": ">=", ">=": "<",
                    ">": "<=", "<=": ">"}
LOGIC_FLIPS = {"&&": "||", "||": "&&"}
BOOL_FLIPS = {"true": "false", "false": "true", "TRUE": "FALSE", "FALSE": "TRUE"}

# Longest first, so that "<<" or "->" is never read as "<" or ">".
OPERATOR_TOKEN = re.compile(r"<<=|>>=|<=>|<<|>>|->|<=|>=|==|!=|&&|\|\||<|>")
INTEGER_LITERAL = re.compile(
    r"(?<![\w.'])(0[xX][0-9a-fA-F]+|[1-9][0-9]*|0)([uUlL]*)(?![\w.'])")
BOOL_WORD = re.compile(r"\b(true|false|TRUE|FALSE)\b")
UNCHECKED_STATEMENT = re.compile(r"\b(static_assert|assert|Q_ASSERT|Q_ASSERT_X)\s*\(")
# A whole statement that only calls: callee chain, one argument list, ";".
CALL_STATEMENT = re.compile(
    r"^(?:emit\s+)?(?:::)?[A-Za-z_]\w*(?:\s*(?:::|\.|->)\s*~?[A-Za-z_]\w*)*\s*\(.*\)\s*;$")
NOT_A_CALL = re.compile(r"^(?:return|delete|throw|co_return|goto|case|else|do|new|"
                        r"if|for|while|switch|sizeof|Q_UNUSED|Q_EMIT)\b")
# A call statement removed after one of these ends the previous statement.
STATEMENT_BOUNDARY = (";", "{", "}", ":", ")", "else")


def blank_non_code(text):
    """The text with comments, string/char literals and preprocessor lines
    replaced by spaces; newlines and every column stay where they were."""
    out = list(text)
    i, n = 0, len(text)

    def blank(start, end):
        for k in range(start, end):
            if out[k] != "\n":
                out[k] = " "

    line_start = True
    while i < n:
        c = text[i]
        if c == "\n":
            line_start = True
            i += 1
            continue
        if line_start and c in " \t":
            i += 1
            continue
        if line_start and c == "#":
            end = i
            while end < n and not (text[end] == "\n" and text[end - 1] != "\\"):
                end += 1
            blank(i, end)
            i = end
            continue
        line_start = False
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
            blank(i, end)
            i = end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            blank(i, end)
            i = end
        elif c.isdigit():
            m = re.compile(r"[0-9A-Za-z_.']+").match(text, i)
            i = m.end()
        elif c.isalpha() or c == "_":
            m = re.compile(r"\w+").match(text, i)
            word = m.group(0)
            i = m.end()
            if i < n and text[i] == '"' and word in ("R", "u8R", "uR", "UR", "LR"):
                m = re.compile(r'"([^(\s]*)\(').match(text, i)
                close = text.find(")" + m.group(1) + '"', m.end())
                end = n if close < 0 else close + len(m.group(1)) + 2
                blank(i - len(word), end)
                i = end
        elif c in "\"'":
            end = i + 1
            while end < n and text[end] != c and text[end] != "\n":
                end += 2 if text[end] == "\\" else 1
            blank(i, end + 1)
            i = end + 1
        else:
            i += 1
    return "".join(out)


def unchecked_lines(code):
    """Line numbers (1-based) covered by static_assert/assert statements."""
    lines = set()
    for m in UNCHECKED_STATEMENT.finditer(code):
        depth, k = 0, m.end() - 1
        while k < len(code):
            if code[k] == "(":
                depth += 1
            elif code[k] == ")":
                depth -= 1
                if depth == 0:
                    break
            k += 1
        first = code.count("\n", 0, m.start()) + 1
        last = code.count("\n", 0, k) + 1
        lines.update(range(first, last + 1))
    return lines


def operator_sites(line):
    """(column, operator, before, after) of flips and literals on one line."""
    sites = []
    for m in OPERATOR_TOKEN.finditer(line):
        token, start, end = m.group(0), m.start(), m.end()
        before_text = line[:start].rstrip()
        if before_text.endswith("operator"):
            continue
        spaced = (start > 0 and line[start - 1] in " \t"
                  and end < len(line) and line[end] in " \t")
        if token in ("<", ">", "&&") and not spaced:
            continue  # a template's brackets or an rvalue reference
        if token in COMPARISON_FLIPS:
            sites.append((start, "comparison", token, COMPARISON_FLIPS[token]))
        elif token in LOGIC_FLIPS:
            sites.append((start, "logic", token, LOGIC_FLIPS[token]))
    for m in INTEGER_LITERAL.finditer(line):
        digits, suffix = m.group(1), m.group(2)
        if len(digits) > 1 and digits[0] == "0" and digits[1] not in "xX":
            continue
        hexadecimal = digits[:2] in ("0x", "0X")
        value = int(digits, 16 if hexadecimal else 10)
        for delta in (+1, -1):
            if value + delta < 0:
                continue
            changed = value + delta
            if hexadecimal:
                changed_digits = digits[:2] + format(
                    changed, "X" if digits[2:].isupper() else "x")
            else:
                changed_digits = str(changed)
            sites.append((m.start(), "integer%+d" % delta, m.group(0),
                          changed_digits + suffix))
    for m in BOOL_WORD.finditer(line):
        sites.append((m.start(), "boolean", m.group(1), BOOL_FLIPS[m.group(1)]))
    return sites


def call_removal_site(line, previous_code):
    statement = line.strip()
    if not CALL_STATEMENT.match(statement) or NOT_A_CALL.match(statement):
        return None
    if statement.count("(") != statement.count(")"):
        return None
    if previous_code and not previous_code.endswith(STATEMENT_BOUNDARY):
        return None  # the tail of a longer statement
    return (len(line) - len(line.lstrip()), "call-removal", statement, REMOVED)


def file_sites(root, relative):
    text = (root / relative).read_text(encoding="utf-8")
    code = blank_non_code(text)
    code_lines = code.split("\n")
    original_lines = text.split("\n")
    skipped = unchecked_lines(code)
    previous_code = ""
    for number, (line, original) in enumerate(zip(code_lines, original_lines), 1):
        if number not in skipped and line.strip():
            found = operator_sites(line)
            removal = call_removal_site(line, previous_code)
            if removal:
                found.append(removal)
            for column, operator, before, after in found:
                if operator == "call-removal":  # its literals as written
                    before = original[column:column + len(before)]
                yield (relative, number, column + 1, operator, before, after)
        if line.strip():
            previous_code = line.strip()


def all_sites(root):
    files = sorted(p.relative_to(root).as_posix()
                   for folder in MUTATED_FOLDERS
                   for p in (root / folder).rglob("*")
                   if p.suffix in (".cpp", ".h") and p.is_file())
    sites = [site for relative in files for site in file_sites(root, relative)]
    return sorted(sites, key=lambda s: (s[0], s[1], s[2], s[3]))


def sample(root, seed, count):
    sites = all_sites(root)
    if count > len(sites):
        sys.exit("only %d mutation sites, fewer than %d" % (len(sites), count))
    chosen = random.Random(seed).sample(sites, count)
    print("# %d sites, %d drawn with seed %d" % (len(sites), count, seed),
          file=sys.stderr)
    for site in sorted(chosen, key=lambda s: (s[0], s[1], s[2], s[3])):
        print("\t".join(str(field) for field in site))


def apply(root, relative, line_number, column, before, after):
    path = root / relative
    lines = path.read_text(encoding="utf-8").split("\n")
    line = lines[line_number - 1]
    start = column - 1
    if not line.startswith(before, start):
        sys.exit("%s:%d: expected %r at column %d" % (relative, line_number, before, column))
    replacement = ";" if after == REMOVED else after  # an empty statement keeps if-bodies whole
    lines[line_number - 1] = line[:start] + replacement + line[start + len(before):]
    path.write_text("\n".join(lines), encoding="utf-8")


def main(argv):
    if len(argv) == 5 and argv[1] == "sample":
        sample(Path(argv[2]), int(argv[3]), int(argv[4]))
    elif len(argv) == 8 and argv[1] == "apply":
        apply(Path(argv[2]), argv[3], int(argv[4]), int(argv[5]), argv[6], argv[7])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
