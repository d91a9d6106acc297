#!/usr/bin/env python3
"""Reorder the stages of one story, moving everything that belongs to each stage with it.

  reorder.py STAGES_DIR ADVICE_DIR FIRST LAST --by-difficulty
  reorder.py STAGES_DIR ADVICE_DIR FIRST LAST --order N,N,...

--by-difficulty sorts the story by the difficulty figure of the stage list (stages.md):
log10(states) + presses / 20, the figure the curve test holds the stories to; ties keep their
order. --order names the old stage for each slot, FIRST to LAST.

A stage's block in mapdata.dat (opener "@NN" and closer "END@NN"), its lines in solutions.txt
and ideas.txt (also suffixed ones such as "16w"), its advice blocks in Advice.txt and
Advice.en.txt and its row in stages.md move together; line endings stay as they were.
"""
import math
import re
import sys


def read(path):
    with open(path, "rb") as f:
        return f.read().decode("utf-8")


def write(path, text):
    with open(path, "wb") as f:
        f.write(text.encode("utf-8"))


def lines_keep_ends(text):
    return text.splitlines(keepends=True)


def renumber_mapfile(text, mapping):
    lines = lines_keep_ends(text)
    blocks, starts = {}, []
    i = 0
    while i < len(lines):
        m = re.match(r"@(\d\d)\r?\n?$", lines[i])
        if m and int(m.group(1)) in mapping:
            n = int(m.group(1))
            blocks[n] = lines[i:i + 21]
            if not blocks[n][-1].startswith("END@%02d" % n):
                sys.exit("reorder: block %d does not end with END@%02d" % (n, n))
            starts.append((i, n))
            i += 21
        else:
            i += 1
    if sorted(blocks) != sorted(mapping):
        sys.exit("reorder: the map file lacks stages %s" % sorted(set(mapping) - set(blocks)))
    # Slot n (in the file's order) receives the old stage whose new number is n.
    inverse = {new: old for old, new in mapping.items()}
    for i, slot in starts:
        old = inverse[slot]
        block = list(blocks[old])
        block[0] = re.sub(r"@\d\d", "@%02d" % slot, block[0], count=1)
        block[-1] = re.sub(r"END@\d\d", "END@%02d" % slot, block[-1], count=1)
        lines[i:i + 21] = block
    return "".join(lines)


def renumber_numbered_lines(text, mapping, pattern):
    """Lines whose stage number matches `pattern` (group 1) are renumbered; the lines of the
    story keep their places in the file, sorted among themselves by the new number."""
    lines = lines_keep_ends(text)
    places, moved = [], []
    for i, ln in enumerate(lines):
        m = re.match(pattern, ln)
        if m and int(m.group(1)) in mapping:
            new = mapping[int(m.group(1))]
            places.append(i)
            moved.append((new, ln[:m.start(1)] + str(new) + ln[m.end(1):]))
    moved.sort(key=lambda p: p[0])  # stable: "16" stays before "16w"
    for i, (_, ln) in zip(places, moved):
        lines[i] = ln
    return "".join(lines)


def renumber_advice(text, mapping):
    lines = lines_keep_ends(text)
    blocks, order, i = {}, [], 0
    while i < len(lines):
        m = re.match(r"@(\d\d)\r?\n?$", lines[i])
        if m and int(m.group(1)) in mapping:
            j = i
            while not lines[j].startswith("*"):
                j += 1
            blocks[int(m.group(1))] = lines[i:j + 1]
            order.append((i, j + 1))
            i = j + 1
        else:
            i += 1
    if not order:
        return text
    # The story's blocks lie together; rewrite that run in the new order.
    start, end = order[0][0], order[-1][1]
    if sum(e - s for s, e in order) != end - start:
        sys.exit("reorder: the advice blocks of the story are not contiguous")
    inverse = {new: old for old, new in mapping.items()}
    out = []
    for new in sorted(inverse):
        block = list(blocks[inverse[new]])
        block[0] = re.sub(r"@\d\d", "@%02d" % new, block[0], count=1)
        out += block
    lines[start:end] = out
    return "".join(lines)


def difficulty_order(stages_md, first, last):
    figure = {}
    for ln in stages_md.splitlines():
        # | stage | idea | uses | walk | presses | plain | guided | ...: the guided search's states
        m = re.match(r"\| (\d+) \|[^|]*\|[^|]*\|[^|]*\| (\d+) \|[^|]*\| (?:> )?(\d+) \|", ln)
        if m and first <= int(m.group(1)) <= last:
            figure[int(m.group(1))] = math.log10(max(1, int(m.group(3)))) + int(m.group(2)) / 20
    if sorted(figure) != list(range(first, last + 1)):
        sys.exit("reorder: stages.md lacks rows for some of %d-%d" % (first, last))
    return sorted(figure, key=lambda n: (figure[n], n))


def main(argv):
    if not (len(argv) == 5 and argv[4] == "--by-difficulty" or len(argv) == 6 and argv[4] == "--order"):
        sys.exit(__doc__)
    stages, advice, first, last = argv[0], argv[1], int(argv[2]), int(argv[3])
    if argv[4] == "--by-difficulty":
        order = difficulty_order(read(stages + "/stages.md"), first, last)
    else:
        order = [int(n) for n in argv[5].split(",")]
    if sorted(order) != list(range(first, last + 1)):
        sys.exit("reorder: the order must name each of %d-%d once" % (first, last))
    mapping = {old: first + k for k, old in enumerate(order)}
    write(stages + "/mapdata.dat", renumber_mapfile(read(stages + "/mapdata.dat"), mapping))
    for name in ("solutions.txt", "ideas.txt"):
        write(stages + "/" + name, renumber_numbered_lines(read(stages + "/" + name), mapping, r"(\d+)[a-z]? "))
    write(stages + "/stages.md", renumber_numbered_lines(read(stages + "/stages.md"), mapping, r"\| (\d+) \|"))
    for name in ("Advice.txt", "Advice.en.txt"):
        write(advice + "/" + name, renumber_advice(read(advice + "/" + name), mapping))
    print("new order (old numbers):", ",".join(map(str, order)))


if __name__ == "__main__":
    main(sys.argv[1:])
