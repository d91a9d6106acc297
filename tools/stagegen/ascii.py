#!/usr/bin/env python3
"""Stages as text pictures, for designing by hand and reviewing, through morvik-cli.

  ascii.py show MAPFILE [N ...]     print stages (all when no number is given) as pictures
  ascii.py block PICTURE [N]        turn a picture file into stage block N (stdout, CRLF)
  ascii.py legend                   print the letters and what they stand for

The picture notation is morvik-cli's (`morvik-cli legend`): ten rows of ten cells, each cell
two characters, the ground and then what stands on it. `show` prints the form `block` reads,
and `block` writes the block with the game's own stage writer and checks it with its reader.
The command line is $MORVIK_CLI, or build/bin/morvik-cli.
"""
import os
import subprocess
import sys

CLI = os.environ.get("MORVIK_CLI", "build/bin/morvik-cli")


def cli(*args):
    """Runs morvik-cli; its output passes through unchanged, its refusal ends this tool."""
    r = subprocess.run([CLI, *args], capture_output=True)
    sys.stderr.buffer.write(r.stderr)
    if r.returncode != 0:
        sys.exit(r.returncode)
    return r.stdout


def main(argv):
    if len(argv) == 2 and argv[1] == "legend":
        sys.stdout.buffer.write(cli("legend"))
    elif len(argv) >= 3 and argv[1] == "show":
        numbers = argv[3:] or [None]
        for k, n in enumerate(numbers):
            sys.stdout.buffer.write((b"\n" if k else b"") + cli("show", argv[2], *([n] if n else [])))
    elif len(argv) in (3, 4) and argv[1] == "block":
        sys.stdout.buffer.write(cli("block", argv[2], argv[3] if len(argv) > 3 else "0"))
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
