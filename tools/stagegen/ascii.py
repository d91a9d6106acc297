#!/usr/bin/env python3
"""Stages as text pictures, for designing by hand and reviewing.

  ascii.py show MAPFILE [N ...]     print stages (all when no number is given) as pictures
  ascii.py block PICTURE [N]        turn a picture file into a stage block (stdout, CRLF)
  ascii.py legend                   print the characters and what they stand for

A picture is ten rows of ten cells, each cell two characters: the ground, then what stands on
it (" " for nothing); after the tenth cell only a " | n" row label may follow. Optional lines
after the rows: "first red" (yellow is first otherwise), "music N". Lines beginning with "//"
are comments. `show` prints exactly this form, so its output turns back into the same block. Holes are listed as empty holes by
themselves, and objects of a kind are numbered in reading order. A character on a hole is
refused, as the reader does.
"""
import sys

# ground character -> cell code
GROUND = {
    ".": "20", ",": "22", ":": "21", "_": "50", "=": "51", "'": "52",
    "o": "13", "O": "14", "s": "38", "d": "39",
    "w": "25", "W": "26", "v": "56", "V": "57",
    "#": "30", "^": "31", "~": "32", "%": "33", "T": "34", "t": "35", "Y": "36",
    "G": "37", "g": "27", "J": "28", "x": "29",
    "i": "53", "c": "58", "A": "60", "8": "61", "H": "62", "h": "63", "n": "64",
    "1": "23", "2": "24", "3": "54", "4": "55",
}
CODE = {v: k for k, v in GROUND.items()}
HOLES = {"13", "14", "38", "39"}
OBJECTS = {"@": "hero", "S": "stone", "y": "yellow flower", "r": "red flower", "P": "PX piece"}

NAMES = {
    "20": "light ground (diggable)", "22": "grass (diggable)", "21": "sand", "50": "wood floor",
    "51": "wood floor 2", "52": "snow", "13": "hole in light ground", "14": "hole in grass",
    "38": "hole in snow", "39": "hole in sand", "25": "whirl on light ground", "26": "whirl on grass",
    "56": "whirl on snow", "57": "whirl on sand", "30": "rock mountain", "31": "snowy mountain on grass",
    "32": "water", "33": "deep water", "34": "trees", "35": "tree", "36": "cactus", "37": "closed gate",
    "27": "open gate", "28": "jump pad", "29": "spikes", "53": "ice", "58": "cracked ice",
    "60": "snowy mountain on snow", "61": "snowman", "62": "house", "63": "house 2", "64": "tree stump",
    "23": "filled hole (light)", "24": "filled hole (grass)", "54": "filled hole (snow)",
    "55": "filled hole (sand)",
}


def read_blocks(path):
    lines = open(path, encoding="ascii").read().replace("\r", "").split("\n")
    blocks, i = {}, 0
    while i < len(lines):
        ln = lines[i]
        if ln.startswith("@") and i + 20 < len(lines):
            blocks[int(ln[-2:])] = lines[i:i + 21]
            i += 21
        else:
            i += 1
    return blocks


def positions(text):
    if text == "*":
        return []
    return [(int(text[k]), int(text[k + 1])) for k in range(0, len(text), 2)]


def show(block):
    rows = block[1:11]
    chara = {}
    for sym, line in (("@", block[12]), ("S", block[13]), ("y", block[14]), ("r", block[15]), ("P", block[16])):
        for p in positions(line):
            chara[p] = sym
    out = [f"// {block[0]}", "// " + "".join(f"{x} " for x in range(10))]
    for y in range(10):
        cells = []
        for x in range(10):
            code = rows[y][2 * x:2 * x + 2]
            cells.append(CODE.get(code, "?") + chara.get((x, y), " "))
        out.append("".join(cells) + f" | {y}")
    out.append("first " + ("red" if block[18].strip() == "1" else "yellow"))
    out.append("music " + block[19].strip())
    return "\n".join(out)


def block(text, number):
    rows, first, music, errors = [], "0", "1", []
    objs = {k: [] for k in OBJECTS}
    for ln in text.split("\n"):
        if ln.startswith("//") or not ln.strip():
            continue
        if ln.startswith("first "):
            first = "1" if ln.split()[1] == "red" else "0"
            continue
        if ln.startswith("music "):
            music = ln.split()[1]
            continue
        tail = ln[20:].strip()
        if tail and not tail.startswith("|"):
            errors.append(f"row {len(rows)}: more than ten cells ({tail!r} after the tenth)")
        ln = ln[:20].ljust(20)
        if len(rows) >= 10:
            errors.append(f"more than ten rows: {ln!r}")
            continue
        y, row = len(rows), ""
        for x in range(10):
            g, o = ln[2 * x], ln[2 * x + 1]
            if g not in GROUND:
                errors.append(f"row {y} column {x}: unknown ground {g!r}")
                g = "."
            row += GROUND[g]
            if o in OBJECTS:
                if GROUND[g] in HOLES:
                    errors.append(f"row {y} column {x}: {OBJECTS[o]} on a hole")
                elif not GROUND[g][0] in "25":
                    print(f"warning: row {y} column {x}: {OBJECTS[o]} on a cell that blocks", file=sys.stderr)
                objs[o].append(f"{x}{y}")
            elif o != " ":
                errors.append(f"row {y} column {x}: unknown object {o!r}")
        rows.append(row)
    if len(rows) != 10:
        errors.append(f"{len(rows)} rows, not ten")
    if len(objs["@"]) != 1:
        errors.append("exactly one hero '@' is needed")
    if errors:
        raise SystemExit("\n".join(errors))
    holes = [f"{x}{y}" for y in range(10) for x in range(10) if rows[y][2 * x:2 * x + 2] in HOLES]
    lst = lambda v: "".join(v) or "*"
    lines = [f"@{number:02d}", *rows, "V2.00 beta", objs["@"][0], lst(objs["S"]), lst(objs["y"]),
             lst(objs["r"]), lst(objs["P"]), lst(holes), first, music, f"END@{number:02d}"]
    return "\r\n".join(lines) + "\r\n"


def main(argv):
    if len(argv) >= 2 and argv[1] == "legend":
        for ch, code in GROUND.items():
            print(f"{ch}  {code}  {NAMES[code]}")
        for ch, name in OBJECTS.items():
            print(f" {ch} {name} (second character of a cell)")
        return 0
    if len(argv) >= 3 and argv[1] == "show":
        blocks = read_blocks(argv[2])
        for n in ([int(a) for a in argv[3:]] or sorted(blocks)):
            print(show(blocks[n]) if n in blocks else f"@{n:02d}: no such stage", end="\n\n")
        return 0
    if len(argv) >= 3 and argv[1] == "block":
        sys.stdout.buffer.write(block(open(argv[2], encoding="utf-8").read(), int(argv[3]) if len(argv) > 3 else 0).encode("ascii"))
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
