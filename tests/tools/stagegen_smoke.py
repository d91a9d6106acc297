#!/usr/bin/env python3
"""One smoke test per stage design tool of tools/stagegen, on the shipped stages and the command
line under test:

  stagegen_smoke.py ascii|generate|reorder SOURCE_DIR CLI
"""
import os
import shutil
import subprocess
import sys
import tempfile


def run(args, env, ok=True):
    r = subprocess.run(args, capture_output=True, env=env)
    if (r.returncode == 0) != ok:
        sys.exit("%s: exit %d\n%s" % (" ".join(args), r.returncode, r.stderr.decode(errors="replace")))
    return r


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def check(cond, what):
    if not cond:
        sys.exit("failed: " + what)


def smoke_ascii(tool, src, cli, tmp, env):
    mapfile = os.path.join(src, "assets", "stages", "mapdata.dat")
    picture = run([sys.executable, tool, "show", mapfile, "12"], env).stdout
    check(picture.startswith(b"// @12\n"), "show prints stage 12's picture")
    write(os.path.join(tmp, "p.txt"), picture)
    block = run([sys.executable, tool, "block", os.path.join(tmp, "p.txt"), "12"], env).stdout
    check(block.startswith(b"@12\r\n") and block.endswith(b"END@12\r\n"), "block prints a CR LF block 12")
    write(os.path.join(tmp, "b.mvk"), block)
    check(run([cli, "show", os.path.join(tmp, "b.mvk"), "12"], env).stdout == picture, "the block shows as the picture")
    # A wrong letter is refused with its row and column.
    rows = picture.split(b"\n")
    rows[4] = b"Q" + rows[4][1:]
    write(os.path.join(tmp, "bad.txt"), b"\n".join(rows))
    err = run([sys.executable, tool, "block", os.path.join(tmp, "bad.txt"), "12"], env, ok=False).stderr
    check(b"row 3 column 1: unknown ground 'Q'" in err, "a wrong letter is named: " + err.decode(errors="replace"))
    every = run([sys.executable, tool, "show", mapfile], env).stdout
    check(every.count(b"// @") >= 30, "show without numbers prints every stage")
    check(b"~ 32 water" in run([sys.executable, tool, "legend"], env).stdout, "legend lists the letters")


def smoke_generate(tool, src, cli, tmp, env):
    out = run([sys.executable, tool, "bridge", "1", "--seed", "5", "--min-presses", "4", "--min-states", "1",
               "--max-states", "20000", "--max-seconds", "60", "--tries", "300"], env).stdout.decode()
    check(out.startswith("# idea bridge presses "), "a draft is printed: " + out[:200])
    block = out[out.index("\n") + 1:].strip("\n").replace("\n", "\r\n") + "\r\n"
    write(os.path.join(tmp, "d.mvk"), block.encode())
    solved = run([cli, "solve", os.path.join(tmp, "d.mvk"), "--max-states", "20000"], env).stdout.decode()
    check("solved" in solved, "the draft's block is read and solved: " + solved)


def smoke_reorder(tool, src, cli, tmp, env):
    stages, advice = os.path.join(tmp, "stages"), os.path.join(tmp, "advice")
    shutil.copytree(os.path.join(src, "assets", "stages"), stages)
    shutil.copytree(os.path.join(src, "assets", "advice"), advice)
    mapfile = os.path.join(stages, "mapdata.dat")
    before = {n: run([cli, "show", mapfile, str(n)], env).stdout for n in (1, 2, 3)}
    run([sys.executable, tool, stages, advice, "1", "3", "--order", "3,1,2"], env)
    after = {n: run([cli, "show", mapfile, str(n)], env).stdout for n in (1, 2, 3)}
    check([after[n].split(b"\n", 1)[1] for n in (1, 2, 3)] == [before[n].split(b"\n", 1)[1] for n in (3, 1, 2)],
          "stages 1-3 now hold the old 3, 1 and 2")
    run([sys.executable, tool, stages, advice, "1", "3", "--order", "2,3,1"], env)
    for d, name in ((stages, "mapdata.dat"), (stages, "solutions.txt"), (stages, "stages.md"), (advice, "Advice.txt")):
        original = os.path.join(src, "assets", os.path.basename(d), name)
        check(read(os.path.join(d, name)) == read(original), name + " is back as it was")


def main(argv):
    if len(argv) != 4 or argv[1] not in ("ascii", "generate", "reorder"):
        sys.exit(__doc__)
    name, src, cli = argv[1:]
    tool = os.path.join(src, "tools", "stagegen", name + ".py")
    env = dict(os.environ, MORVIK_CLI=cli)
    with tempfile.TemporaryDirectory() as tmp:
        globals()["smoke_" + name](tool, src, cli, tmp, env)
    print("ok: " + name)


if __name__ == "__main__":
    main(sys.argv)
