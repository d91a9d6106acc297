#!/usr/bin/env python3
"""Stage drafting aid: draws random grounds for one idea, solves them with morvik-cli, strips
every object the shortest clear does not need, and keeps the drafts whose clear is long and
whose search is large. Drafts are printed as stage blocks with their measurements; a designer
picks among them and checks them with `morvik-cli table`.

  generate.py IDEA COUNT [--min-presses N] [--min-states N] [--max-states N] [--seed S]
"""
import argparse
import json
import os
import random
import re
import subprocess
import sys
import tempfile

CLI = os.environ.get("MORVIK_CLI", "build/bin/morvik-cli")

# Grounds: plain floor, its hole, walls and water that suit it.
THEMES = {
    "light": dict(floor="20", hole="13", walls=["30", "34", "35"], water="32"),
    "grass": dict(floor="22", hole="14", walls=["34", "35", "31", "62"], water="32"),
    "sand": dict(floor="21", hole="39", walls=["36", "30"], water="32"),
    "snow": dict(floor="52", hole="38", walls=["60", "61"], water="33"),
    "wood": dict(floor="50", hole="13", walls=["30", "63"], water="32"),
}

# Ideas: which themes, how much wall and water, which mechanics, how many objects of each kind.
IDEAS = {
    "bridge": dict(themes=["light", "grass", "sand", "snow"], wall=(0.12, 0.25), water=(0.0, 0.1),
                   pockets=(2, 3), holes=(0, 1), stones=(0, 1), px=(0, 0), flowers=(2, 4)),
    "sink": dict(themes=["grass", "sand", "light"], wall=(0.1, 0.2), water=(0.12, 0.25),
                 holes=(0, 2), stones=(3, 6), px=(0, 0), flowers=(2, 4)),
    "gate": dict(themes=["light", "grass", "wood", "snow"], wall=(0.15, 0.28), water=(0.0, 0.08),
                 pockets=(1, 3), entrances=["hole", "gate"], holes=(1, 2), stones=(0, 1), px=(1, 2), flowers=(2, 4)),
    "dig": dict(themes=["light", "grass"], wall=(0.15, 0.3), water=(0.05, 0.15),
                pockets=(1, 2), entrances=["gate"], holes=(0, 0), stones=(0, 2), px=(1, 2), flowers=(2, 3)),
    "crack": dict(themes=["snow"], wall=(0.08, 0.2), water=(0.0, 0.05), cracked=(0.2, 0.4),
                  holes=(0, 1), stones=(0, 2), px=(0, 0), flowers=(3, 6)),
    "ice": dict(themes=["snow"], wall=(0.08, 0.18), water=(0.0, 0.08), ice=(0.3, 0.5), pads=(1, 2),
                holes=(0, 1), stones=(1, 3), px=(0, 1), flowers=(2, 4)),
    "jump": dict(themes=["grass", "light", "sand"], wall=(0.08, 0.18), water=(0.15, 0.3), pads=(2, 3),
                 holes=(0, 2), stones=(1, 3), px=(0, 1), flowers=(2, 4)),
    "super": dict(themes=["light", "grass", "snow", "sand"], wall=(0.06, 0.14), water=(0.02, 0.08),
                  pockets=(3, 4), entrances=["hole", "hole", "gate"], holes=(0, 1), stones=(1, 2), px=(0, 2),
                  flowers=(4, 6)),
    "mix": dict(themes=["light", "grass", "snow", "sand"], wall=(0.14, 0.26), water=(0.04, 0.14),
                cracked=(0.0, 0.08), pockets=(2, 3), entrances=["hole", "hole", "gate"], holes=(0, 2), stones=(0, 2),
                px=(0, 2), flowers=(3, 5),
                whirl=(0, 2)),
}

PLAIN = {"20", "21", "22", "50", "51", "52"}


def rnd(r, lohi):
    lo, hi = lohi
    return r.uniform(lo, hi) if isinstance(lo, float) else r.randint(lo, hi)


def draft(r, idea):
    p = IDEAS[idea]
    th = THEMES[r.choice(p["themes"])]
    t = [[th["floor"]] * 10 for _ in range(10)]
    d = dict(t=t, wall=r.choice(th["walls"]), hole=th["hole"], floor=th["floor"])
    border = th["water"] if r.random() < 0.25 else d["wall"]
    for i in range(10):
        t[0][i] = t[9][i] = t[i][0] = t[i][9] = border
    cells = [(x, y) for y in range(1, 9) for x in range(1, 9)]
    r.shuffle(cells)
    pw, pwat = rnd(r, p["wall"]), rnd(r, p["water"])
    pice = rnd(r, p.get("ice", (0.0, 0.0)))
    pcr = rnd(r, p.get("cracked", (0.0, 0.0)))
    for (x, y) in cells:
        u = r.random()
        if u < pw:
            t[y][x] = r.choice(th["walls"][:2])
        elif u < pw + pwat:
            t[y][x] = th["water"]
        elif u < pw + pwat + pice:
            t[y][x] = "53"
        elif u < pw + pwat + pice + pcr:
            t[y][x] = "58"

    def take(pool, n):
        out = []
        while pool and len(out) < n:
            out.append(pool.pop())
        return out

    # Flowers walled in behind a hole or a closed gate.
    holes, sealed = [], []
    for _ in range(rnd(r, p.get("pockets", (0, 0)))):
        plain = [c for c in cells if t[c[1]][c[0]] in PLAIN and c not in sealed]
        if not plain:
            break
        c = r.choice(plain)
        kind = r.choice(p.get("entrances", ["hole"]))
        ent = seal(r, d, c, kind)
        if ent:
            sealed.append(c)
            if kind == "hole":
                holes.append(ent)
    plain = [c for c in cells if t[c[1]][c[0]] in PLAIN and c not in sealed]
    r.shuffle(plain)
    extra = take(plain, rnd(r, p["holes"]))
    for (x, y) in extra:
        t[y][x] = th["hole"]
    holes += extra
    for (x, y) in take(plain, rnd(r, p.get("pads", (0, 0)))):
        t[y][x] = "28"
    for (x, y) in take(plain, rnd(r, p.get("gates", (0, 0)))):
        t[y][x] = "37"
    for (x, y) in take(plain, rnd(r, p.get("whirl", (0, 0)))):
        t[y][x] = {"20": "25", "22": "26", "52": "56", "21": "57"}.get(th["floor"], "25")
    free = [c for c in cells if (t[c[1]][c[0]] in PLAIN or t[c[1]][c[0]] in ("53", "58")) and c not in sealed]
    r.shuffle(free)
    hero = take(free, 1)
    stones = take(free, rnd(r, p["stones"]) + sum(1 for c in holes if c not in extra))
    nf = max(rnd(r, p["flowers"]), len(sealed))
    first = r.randint(0, 1)
    due = (nf + 1) // 2
    fl = sealed + take(free, nf - len(sealed))
    r.shuffle(fl)
    ys, rs = (fl[:due], fl[due:]) if first == 0 else (fl[due:], fl[:due])
    gates = sum(row.count("37") for row in t)
    px = take(free, max(rnd(r, p["px"]), 1 if gates else 0))
    if not hero:
        return None
    d.update(hero=hero[0], S=stones, Y=ys, R=rs, P=px, E=holes, first=first, music=r.randint(0, 6))
    return d


_letters = {}


def letters():
    """Cell code -> ground letter and piece name -> letter, from `morvik-cli legend`."""
    if not _letters:
        out = subprocess.run([CLI, "legend"], capture_output=True, text=True, check=True).stdout
        for ln in out.splitlines():
            letter, code, name = ln[0], ln[2:4], ln[5:]
            _letters[code if code != "--" else name.split(" (")[0]] = letter
    return _letters


def picture(d):
    """The draft in the picture notation; holes need no list, the stage writer finds them."""
    g = letters()
    pieces = {tuple(d["hero"]): g["hero"]}
    for kind, name in (("S", "stone"), ("Y", "yellow flower"), ("R", "red flower"), ("P", "PX piece")):
        for c in d[kind]:
            pieces[tuple(c)] = g[name]
    rows = ["".join(g[d["t"][y][x]] + pieces.get((x, y), " ") for x in range(10)) for y in range(10)]
    return "\n".join(rows) + "\nfirst %s\nmusic %d\n" % ("red" if d["first"] else "yellow", d["music"])


def block(d, n=0):
    """Stage block n of the draft (CR LF), written by morvik-cli's stage writer and checked by its
    reader; None when the reader refuses it."""
    with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as f:
        f.write(picture(d))
    try:
        r = subprocess.run([CLI, "block", f.name, str(n)], capture_output=True)
        return r.stdout.decode("ascii") if r.returncode == 0 else None
    finally:
        os.unlink(f.name)


def write(d):
    text = block(d)
    if text is None:
        return None
    f = tempfile.NamedTemporaryFile("w", suffix=".mvk", delete=False, newline="")
    f.write(text)
    f.close()
    return f.name


def solve(d, max_states, max_seconds):
    path = write(d)
    if path is None:
        return None
    try:
        out = subprocess.run([CLI, "solve", path, "--json", "--max-states", str(max_states), "--max-seconds",
                              str(max_seconds)], capture_output=True, text=True).stdout
        return json.loads(out) if out.strip().startswith("{") else None
    finally:
        os.unlink(path)


def clears(d, moves):
    path = write(d)
    if path is None:
        return False
    try:
        out = subprocess.run([CLI, "play", path, moves], capture_output=True, text=True).stdout
        return '"outcome": "clear"' in out
    finally:
        os.unlink(path)


def without(d, kind, i):
    e = json.loads(json.dumps(d))
    e["hero"] = tuple(e["hero"])
    for k in "SYRPE":
        e[k] = [tuple(c) for c in e[k]]
    x, y = e[kind].pop(i)
    if kind == "E":
        e["t"][y][x] = e["floor"]
    return e


def strip(d, moves, presses, max_states, max_seconds):
    """Objects whose removal leaves a clear as short are taken away (flowers never: they are
    the goal). An object the clear walks around may still matter: without it the clear could
    be shorter, so such an object is kept."""
    changed = True
    while changed:
        changed = False
        for kind in "SEP":
            for i in range(len(d[kind]) - 1, -1, -1):
                e = without(d, kind, i)
                if kind == "P" and not e["P"] and any("37" in row for row in e["t"]):
                    continue
                if not clears(e, moves):
                    continue
                s = solve(e, max_states, max_seconds)
                if s and s["verdict"] == "solved" and s["presses"] >= presses:
                    d = e
                    changed = True
    return d


def seal(r, d, cell, entrance_kind):
    """Walls a flower in: all its neighbours become wall but one, the entrance (a hole or a
    closed gate), with two floor cells in line outside it so that a stone can be pushed in."""
    x, y = cell
    dirs = [(1, 0), (-1, 0), (0, 1), (0, -1)]
    r.shuffle(dirs)
    t = d["t"]
    for dx, dy in dirs:
        ex, ey = x + dx, y + dy
        ox, oy, px_, py_ = ex + dx, ey + dy, ex + 2 * dx, ey + 2 * dy
        if not (1 <= ex <= 8 and 1 <= ey <= 8 and 1 <= px_ <= 8 and 1 <= py_ <= 8):
            continue
        if t[ey][ex] not in PLAIN or t[oy][ox] not in PLAIN or t[py_][px_] not in PLAIN:
            continue
        for ddx, ddy in [(1, 0), (-1, 0), (0, 1), (0, -1)]:
            nx, ny = x + ddx, y + ddy
            if (nx, ny) != (ex, ey) and 1 <= nx <= 8 and 1 <= ny <= 8:
                t[ny][nx] = d["wall"]
        t[ey][ex] = d["hole"] if entrance_kind == "hole" else "37"
        return (ex, ey)
    return None


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("idea", choices=sorted(IDEAS))
    ap.add_argument("count", type=int)
    ap.add_argument("--min-presses", type=int, default=25)
    ap.add_argument("--min-states", type=int, default=20000)
    ap.add_argument("--max-states", type=int, default=3000000)
    ap.add_argument("--max-seconds", type=float, default=20)
    ap.add_argument("--tries", type=int, default=100000)
    ap.add_argument("--seed", type=int, default=None)
    a = ap.parse_args()
    r = random.Random(a.seed)
    found = 0
    for _ in range(a.tries):
        d = draft(r, a.idea)
        if d is None:
            continue
        s = solve(d, a.max_states, a.max_seconds)
        if not s or s["verdict"] != "solved" or s["presses"] < a.min_presses:
            continue
        if s["states"] < a.min_states:
            continue
        d = strip(d, s["moves"], s["presses"], a.max_states, a.max_seconds)
        s = solve(d, a.max_states, a.max_seconds)
        if not s or s["verdict"] != "solved" or s["presses"] < a.min_presses or s["states"] < a.min_states:
            continue
        print(f"# idea {a.idea} presses {s['presses']} states {s['states']} moves {s['moves']}")
        print(block(d).replace("\r\n", "\n"), flush=True)
        found += 1
        if found >= a.count:
            break


if __name__ == "__main__":
    main()
