#!/usr/bin/env python3
"""Writes unseen.dat: 64 stages the solver was never tuned on, for the solver benchmark.

  make_unseen.py [--seed 22] [--out unseen.dat]

The same seed always gives the same file. Stages 1-16 are small walled rooms, 17-32 middle
rooms with water and holes, 33-48 drafted from the themes the stage designers use (snow and
ice, sand with PX pieces and gates, grass with diggable ground), 49-64 open fields of a whole
10 x 10 with many stones and empty holes that no clear needs. Nothing is solved here: a stage
may be unsolvable, and the benchmark reports what the solver made of each.
"""
import argparse
import random

THEMES = {
    "light": dict(floor="20", hole="13", wall="30", water="32"),
    "grass": dict(floor="22", hole="14", wall="34", water="32"),
    "sand": dict(floor="21", hole="39", wall="36", water="32"),
    "snow": dict(floor="52", hole="38", wall="60", water="33"),
}


def block(n, terrain, hero, stones, yellow, red, px, first=0, music=1):
    holes = [c for c in sorted(terrain) if terrain[c] in ("13", "14", "38", "39")]
    pos = lambda cells: "".join(f"{x}{y}" for x, y in sorted(cells)) or "*"
    lines = [f"@{n:02d}"]
    for y in range(10):
        lines.append("".join(terrain[(x, y)] for x in range(10)))
    lines += ["V2.00 beta", f"{hero[0]}{hero[1]}", pos(stones), pos(yellow), pos(red), pos(px), pos(holes),
              str(first), str(music), f"END@{n:02d}"]
    return "\r\n".join(lines) + "\r\n"


class Draft:
    def __init__(self, rng, theme, size):
        self.rng, self.t = rng, THEMES[theme]
        self.terrain = {(x, y): self.t["wall"] for x in range(10) for y in range(10)}
        x0 = (10 - size) // 2 if size < 10 else 0
        self.room = [(x, y) for x in range(x0, x0 + size) for y in range(x0, x0 + size)]
        for c in self.room:
            self.terrain[c] = self.t["floor"]
        self.used = set()

    def free(self):
        return [c for c in self.room if c not in self.used and self.terrain[c] == self.t["floor"]]

    def scatter(self, code, share):
        for c in self.rng.sample(self.free(), int(len(self.room) * share)):
            self.terrain[c] = code

    def take(self, count):
        cells = self.rng.sample(self.free(), min(count, len(self.free())))
        self.used.update(cells)
        return cells

    def holes(self, count):
        for c in self.take(count):
            self.terrain[c] = self.t["hole"]

    def write(self, n, stones, flowers, px=0, first=0):
        hero = self.take(1)[0]
        s = self.take(stones)
        p = self.take(px)
        f = self.take(flowers)
        # Yellow first: as many yellow as red, or one more.
        yellow, red = f[: (len(f) + 1) // 2], f[(len(f) + 1) // 2:]
        if first:
            yellow, red = red, yellow
        return block(n, self.terrain, hero, s, yellow, red, p, first)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--seed", type=int, default=22)
    ap.add_argument("--out", default="unseen.dat")
    a = ap.parse_args()
    rng = random.Random(a.seed)
    out = []
    n = 1
    for _ in range(16):  # small walled rooms
        d = Draft(rng, rng.choice(["light", "grass", "sand"]), rng.choice([5, 6]))
        d.scatter(d.t["wall"], rng.uniform(0.05, 0.15))
        d.holes(rng.randint(0, 1))
        out.append(d.write(n, rng.randint(1, 3), rng.randint(2, 4), first=rng.randint(0, 1)))
        n += 1
    for _ in range(16):  # middle rooms with water and holes
        d = Draft(rng, rng.choice(["light", "grass", "sand"]), rng.choice([7, 8]))
        d.scatter(d.t["wall"], rng.uniform(0.08, 0.18))
        d.scatter(d.t["water"], rng.uniform(0.03, 0.1))
        d.holes(rng.randint(0, 2))
        out.append(d.write(n, rng.randint(3, 6), rng.randint(3, 6), px=rng.randint(0, 2)))
        n += 1
    for i in range(16):  # drafted from the designers' themes
        theme = ["snow", "sand", "grass", "light"][i % 4]
        d = Draft(rng, theme, rng.choice([8, 9]))
        d.scatter(d.t["wall"], rng.uniform(0.1, 0.2))
        if theme == "snow":
            d.scatter("53", rng.uniform(0.1, 0.25))   # ice: slides
            d.scatter("58", rng.uniform(0.0, 0.08))   # cracked ice: one crossing
        if theme == "sand":
            d.scatter("37", 0.02)                     # a closed gate: the last PX piece opens it
        if theme == "light":
            d.scatter("28", 0.02)                     # a jump pad
        d.holes(rng.randint(1, 2))
        out.append(d.write(n, rng.randint(2, 4), rng.randint(3, 6), px=rng.randint(0, 2) if theme != "snow" else 0))
        n += 1
    for _ in range(16):  # open fields: many stones, empty holes no clear needs
        d = Draft(rng, rng.choice(["light", "grass", "sand", "snow"]), 10)
        d.scatter(d.t["wall"], rng.uniform(0.0, 0.06))
        d.holes(rng.randint(3, 6))
        out.append(d.write(n, rng.randint(8, 20), rng.randint(4, 8)))
        n += 1
    with open(a.out, "w", newline="") as f:
        f.write("".join(out))


if __name__ == "__main__":
    main()
