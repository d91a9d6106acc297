#!/usr/bin/env bash
# Sound heard on time and whole, on a private PulseAudio null sink and a virtual display:
#  - the game's stream latency (buffer + sink latency, from pactl) while it plays;
#  - 20 steps on an open field give 20 step sounds in the recording, each as long as the file;
#  - the give-up jingle is recorded to its end before the next attempt starts.
# Needs pulseaudio, pulseaudio-utils, sox, python3, Xvfb and xdotool.
#   bench/sound_check.sh [BUILD_DIR]      (default: build)
set -euo pipefail
build=$(realpath "${1:-build}")
bin=$build/bin
for tool in pulseaudio pactl parecord sox python3 Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "sound_check: $tool is missing" >&2; exit 2; }
done
[ -x "$bin/morvik" ] || { echo "sound_check: no $bin/morvik (build first)" >&2; exit 2; }

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  pulseaudio --kill 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

. "$(dirname "$0")/private_sound_server.sh"
start_private_sound_server "$work"

# A program folder whose first stage is an open field; the music is left out, so that the
# recording holds only the effects and the jingles.
game=$work/game
mkdir -p "$game/sound"
cp "$bin/morvik" "$game/"
ln -s "$bin/pictures" "$game/pictures"
for f in "$bin"/sound/Sound*.wav "$bin"/sound/bgm10.wav "$bin"/sound/bgm11.wav; do ln -s "$f" "$game/sound/"; done
{
  printf '@01\r\n'
  for _ in $(seq 10); do printf '20202020202020202020\r\n'; done
  printf 'V2.00 beta\r\n00\r\n*\r\n99\r\n*\r\n*\r\n*\r\n0\r\n0\r\nEND@01\r\n'
} >"$game/mapdata.dat"

display=:$((200 + RANDOM % 300))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

parecord -d null.monitor --rate=44100 --channels=1 --format=s16le --file-format=wav "$work/rec.wav" & pids+=($!)
rec=$!
"$game/morvik" 2>"$work/stderr.txt" & pids+=($!)
game_pid=$!
sleep 2.5
key() { xdotool key --clearmodifiers "$1"; }
key Return                    # continue: stage 1
sleep 3                       # the stage's opening
latency=$(pactl list sink-inputs | awk '/Buffer Latency/ {b=$3} /Sink Latency/ {s=$3} END {printf "%.1f %.1f", b/1000, s/1000}')
for i in $(seq 20); do
  if ((i <= 8 || i > 16)); then key Right; else key Left; fi
  sleep 0.35
done
sleep 0.5
key Delete
sleep 6
kill "$game_pid" 2>/dev/null || true
sleep 0.3
kill "$rec" 2>/dev/null || true
wait "$rec" 2>/dev/null || true

read -r buffer_ms sink_ms <<<"$latency"
echo "stream latency: buffer ${buffer_ms} ms + sink ${sink_ms} ms"
[ -s "$work/stderr.txt" ] && { echo "game's stderr:"; sed 's/^/  /' "$work/stderr.txt"; }
python3 - "$work/rec.wav" "$bin/sound/Sound0.wav" "$bin/sound/bgm10.wav" "$buffer_ms" "$sink_ms" <<'PY'
import sys, wave, struct, math
rec, step_file, jingle_file = sys.argv[1:4]
buffer_ms, sink_ms = map(float, sys.argv[4:6])

def samples(path):
    w = wave.open(path)
    n, ch, width, rate = w.getnframes(), w.getnchannels(), w.getsampwidth(), w.getframerate()
    raw = w.readframes(n)
    if width == 2:
        v = struct.unpack("<%dh" % (len(raw) // 2), raw)
    else:
        v = [b - 128 for b in raw]
    return [abs(x) for x in v[::ch]], rate

def length_ms(path):
    w = wave.open(path)
    return 1000.0 * w.getnframes() / w.getframerate()

# Loud stretches: 5 ms windows above a threshold, split by at least 20 ms of quiet.
def bursts(v, rate, t0, t1):
    win = rate // 200
    out, cur, quiet = [], None, 0
    for i in range(int(t0 * rate / 1000), min(len(v), int(t1 * rate / 1000)), win):
        loud = max(v[i:i + win] or [0]) > 300
        t = 1000.0 * i / rate
        if loud:
            if cur is None: cur = [t, t]
            cur[1] = t + 5; quiet = 0
        elif cur is not None:
            quiet += 5
            if quiet >= 20: out.append(cur); cur = None
    if cur is not None: out.append(cur)
    return out

# Bursts closer than `gap` ms count as one sound (the notes of a jingle).
def merged(b, gap):
    out = []
    for x in b:
        if out and x[0] - out[-1][1] < gap: out[-1][1] = x[1]
        else: out.append(list(x))
    return out

# How long a file sounds by the same measure: from its first loud window to its last.
def loud_span(path, gap):
    fv, frate = samples(path)
    b = merged(bursts(fv, frate, 0, 1e9), gap)
    return b[0][1] - b[0][0] if b else 0

v, rate = samples(rec)
step_len = loud_span(step_file, 20)
jingle_len = loud_span(jingle_file, 300)
# The recording starts a little before the game's first sound: the sounds are told apart by
# their length instead. The jingle is the first sound longer than a second; the steps come before.
every = merged(bursts(v, rate, 0, 1e9), 20)
long_ones = [k for k, b in enumerate(every) if b[1] - b[0] > 1000]
first_long = long_ones[0] if long_ones else len(every)
found = every[:first_long]
whole = [b for b in found if b[1] - b[0] >= step_len - 15]
print("steps: %d sounds recorded for 20 steps, %d of them whole (the file sounds %d ms)"
      % (len(found), len(whole), step_len))
print("  lengths (ms): " + " ".join("%d" % (b[1] - b[0]) for b in found))
jingle = merged(bursts(v, rate, every[first_long][0], 1e9), 300) if long_ones else []
if jingle:
    heard = jingle[0][1] - jingle[0][0]
    print("give-up jingle: %d ms recorded; the file sounds %d ms" % (heard, jingle_len))
else:
    print("give-up jingle: not recorded")
ok = len(found) == 20 and len(whole) == 20 and jingle and jingle[0][1] - jingle[0][0] >= jingle_len - 30 \
     and buffer_ms + sink_ms < 60
print("RESULT:", "pass" if ok else "FAIL")
sys.exit(0 if ok else 1)
PY
