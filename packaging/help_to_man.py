#!/usr/bin/env python3
"""Writes the man page of a command-line program from its --help output.

    help_to_man.py PROGRAM VERSION OUT

PROGRAM is run with --help, then once more for every subcommand it lists (recursively), and the
texts are turned into one page: NAME and DESCRIPTION from the first line, a SYNOPSIS line per
command, the program's OPTIONS, a COMMANDS section with each command's arguments and options, and
one section per "Heading: text" paragraph that follows the program's own help. OUT ending in ".gz"
is written compressed (reproducibly: no name, no time stamp).
"""

import gzip
import os
import re
import subprocess
import sys

MAX_DEPTH = 4
# An entry of a section is "  TERM" padded to this column, then its description; a term too long for
# the column takes the whole line and its description follows on indented lines.
DESC_COLUMN = 30
SECTION = re.compile(r"^(Positionals|Options|Subcommands):$")
VALUE = re.compile(r"^(?:[A-Z]+(?::\S+)?|\{\S*\})$")
FOOTER = re.compile(r"^([A-Z][A-Za-z ]*): (.*)$")


class HelpError(Exception):
    pass


def run_help(program, path):
    try:
        done = subprocess.run([program, *path, "--help"], capture_output=True, text=True, timeout=30)
    except (OSError, subprocess.TimeoutExpired) as e:
        raise HelpError(f"cannot run {program}: {e}") from e
    if done.returncode != 0:
        raise HelpError(f"'{' '.join([program, *path, '--help'])}' exited with {done.returncode}: "
                        f"{done.stderr.strip()}")
    return done.stdout


def parse_help(text):
    """The parts of one help text: description, usage, sections {name: [(term, desc)]}, footer."""
    lines = text.splitlines()
    description, usage, sections, footer = [], None, {}, []
    current = None
    for i, line in enumerate(lines):
        if usage is None:
            if line.startswith("Usage: "):
                usage = line[len("Usage: "):].strip()
            elif line.strip():
                description.append(line.strip())
            continue
        if not line.strip():
            current = None
            continue
        match = SECTION.match(line)
        if match:
            current = sections.setdefault(match.group(1), [])
            continue
        if current is None:
            if line.startswith(" "):
                raise HelpError(f"indented line outside a section: {line!r}")
            footer.append(line.strip())
            continue
        if line.startswith("   "):
            if not current:
                raise HelpError(f"continuation line before any entry: {line!r}")
            term, desc = current[-1]
            current[-1] = (term, f"{desc} {line.strip()}".strip())
            continue
        if not line.startswith("  ") or line[2] == " ":
            raise HelpError(f"unexpected line: {line!r}")
        wrapped = i + 1 < len(lines) and lines[i + 1].startswith("   ")
        if wrapped or len(line) <= DESC_COLUMN or line[DESC_COLUMN - 1] != " ":
            current.append((line.strip(), ""))
        else:
            current.append((line[:DESC_COLUMN].strip(), line[DESC_COLUMN:].strip()))
    if usage is None:
        raise HelpError("no 'Usage:' line in the help text")
    return {"description": " ".join(description), "usage": usage, "sections": sections,
            "footer": footer}


def collect(program, path=(), depth=0):
    """The help of the program and of every subcommand below it, in the order listed."""
    if depth > MAX_DEPTH:
        raise HelpError(f"subcommands nested deeper than {MAX_DEPTH}: {' '.join(path)}")
    node = parse_help(run_help(program, list(path)))
    node["path"] = list(path)
    node["children"] = [collect(program, (*path, name.split()[0]), depth + 1)
                        for name, _ in node["sections"].get("Subcommands", [])]
    return node


def roff(text):
    """Plain text made safe for roff: backslashes, hyphens, and control characters at line start."""
    text = text.replace("\\", "\\e").replace("-", "\\-")
    if text.startswith((".", "'")):
        text = "\\&" + text
    return text


def term_roff(term, positional):
    """An option or argument: its names in bold (arguments in italics), then its value in italics
    and what else the help says of it. "TEXT:{a,b}" becomes "{a,b}" and "INT:INT in [..]" becomes
    "INT in [..]"; an argument's own type word and REQUIRED are left out (an optional one says so)."""
    name, _, rest = term.partition(" ")
    value, _, notes = rest.partition(" ")
    if not VALUE.match(value) or value == "REQUIRED":
        value, notes = "", rest
    value = re.sub(r"^(\w+):\1$", r"\1", re.sub(r"^\w+:(?=\{)", "", value))
    if positional:
        required = " REQUIRED" in f" {notes} "
        notes = " ".join(word for word in notes.split() if word != "REQUIRED")
        if not value.startswith("{"):
            value = ""
        if not required:
            notes = f"{notes} (optional)".strip()
    font = "\\fI" if positional else "\\fB"
    names = ", ".join(f"{font}{roff(n)}\\fR" for n in name.split(","))
    value = f" \\fI{roff(value)}\\fR" if value else ""
    return f"{names}{value} {roff(notes)}".rstrip()


def usage_roff(usage, depth):
    """A usage line with the program and command names in bold."""
    words = usage.split(" ")
    return f"\\fB{roff(' '.join(words[:depth + 1]))}\\fR {roff(' '.join(words[depth + 1:]))}".rstrip()


def sentence(text):
    return roff(text[:1].upper() + text[1:])


def entries(out, items, positional, skip_help=False):
    for term, desc in items:
        if skip_help and term.split()[0] == "-h,--help":
            continue
        out.append(".TP")
        out.append(term_roff(term, positional))
        out.append(sentence(desc) if desc else "\\&")


def leaves(node):
    if not node["children"]:
        yield node
    for child in node["children"]:
        yield from leaves(child)


def commands(out, node):
    for child in node["children"]:
        out.append(".SS " + usage_roff(child["usage"], len(child["path"])))
        if child["description"]:
            out.append(sentence(child["description"]))
        entries(out, child["sections"].get("Positionals", []), positional=True)
        entries(out, child["sections"].get("Options", []), positional=False, skip_help=True)
        commands(out, child)


def man_page(root, name, version):
    title = root["description"]
    if title.startswith(name + ": "):
        title = title[len(name) + 2:]
    out = [f'.TH {name.upper()} 1 "" "{roff(version)}" "User Commands"', ".SH NAME",
           f"{roff(name)} \\- {roff(title)}", ".SH SYNOPSIS"]
    out.append(usage_roff(root["usage"], 0))
    for leaf in leaves(root):
        if leaf is not root:
            out += [".br", usage_roff(leaf["usage"], len(leaf["path"]))]
    out += [".SH DESCRIPTION", sentence(title) + "."]
    if root["children"]:
        out.append(f"The options of the program come before the command; each command has its own "
                   f"help: \\fB{roff(name)} \\fI\\%COMMAND\\fB \\-\\-help\\fR.")
    out.append(".SH OPTIONS")
    entries(out, root["sections"].get("Options", []), positional=False)
    if root["children"]:
        out.append(".SH COMMANDS")
        commands(out, root)
    for paragraph in root["footer"]:
        match = FOOTER.match(paragraph)
        if match:
            out += [f".SH {roff(match.group(1).upper())}", roff(match.group(2))]
        else:
            out += [".PP", roff(paragraph)]
    return "\n".join(out) + "\n"


def main(argv):
    if len(argv) != 4:
        print(__doc__.strip().splitlines()[0], file=sys.stderr)
        print("usage: help_to_man.py PROGRAM VERSION OUT", file=sys.stderr)
        return 2
    program, version, target = argv[1:]
    name = os.path.basename(program)
    try:
        page = man_page(collect(program), name, version).encode("utf-8")
    except HelpError as e:
        print(f"help_to_man.py: {e}", file=sys.stderr)
        return 1
    temp = target + ".tmp"
    if target.endswith(".gz"):
        with open(temp, "wb") as raw, gzip.GzipFile(filename="", mode="wb", fileobj=raw, mtime=0) as z:
            z.write(page)
    else:
        with open(temp, "wb") as f:
            f.write(page)
    os.replace(temp, target)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
