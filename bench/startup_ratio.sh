#!/usr/bin/env bash
# The game's start-up against its yardstick, a bare Qt window that plays one piece of music
# through SDL2_mixer: both run in turn N times (interleaved, so that a busy machine slows both
# alike) on a virtual display, and the medians of the time to the first paint and of the peak
# memory are printed with their ratios. For scale, the same bare window with Japanese menus and a
# caption runs too: what any window with text pays besides. The sound goes to a private PulseAudio null sink when
# pulseaudio is installed, else to SDL's dummy device.
#   bench/startup_ratio.sh [BUILD_DIR] [N]      (defaults: build, 11)
set -euo pipefail
build=$(realpath "${1:-build}")
runs=${2:-11}
for tool in Xvfb python3; do
  command -v "$tool" >/dev/null || { echo "startup_ratio: $tool is missing" >&2; exit 2; }
done
game=$build/bench/startup_timing bare=$build/bench/bare_window_timing
[ -x "$game" ] && [ -x "$bare" ] || { echo "startup_ratio: build startup_timing and bare_window_timing first" >&2; exit 2; }
title_music=$build/bin/sound/bgm12.wav  # the title's music

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  if [ -n "${XDG_RUNTIME_DIR:-}" ] && [ "$XDG_RUNTIME_DIR" = "$work/run" ]; then pulseaudio --kill 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

if command -v pulseaudio >/dev/null && command -v pactl >/dev/null; then
  . "$(dirname "$0")/private_sound_server.sh"
  start_private_sound_server "$work"
  echo "sound: PulseAudio null sink"
else
  export SDL_AUDIODRIVER=dummy
  echo "sound: SDL's dummy device (pulseaudio is not installed)"
fi

display=:$((200 + RANDOM % 300))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
export DISPLAY=$display QT_QPA_PLATFORM=xcb
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

# A home of its own, so that the user's settings neither steer nor record the runs; one
# start of each first, so that the runs measured are later starts (kept view size, warm caches).
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
mkdir -p "$HOME"
"$game" "$build/bin" >/dev/null 2>&1 || true
"$bare" "$title_music" >/dev/null 2>&1 || true
: >"$work/game.txt"
: >"$work/bare.txt"
: >"$work/menus.txt"
for _ in $(seq "$runs"); do
  "$game" "$build/bin" 2>/dev/null >>"$work/game.txt"
  "$bare" "$title_music" 2>/dev/null >>"$work/bare.txt"
  "$bare" --menus "$title_music" 2>/dev/null >>"$work/menus.txt"
done

python3 - "$work/game.txt" "$work/bare.txt" "$work/menus.txt" <<'PY'
import re, statistics, sys
def figures(path):
    rows = [re.findall(r"([\d.]+) (?:ms|MB)", line) for line in open(path)]
    rows = [[float(x) for x in r] for r in rows if len(r) == 4]
    return [statistics.median(col) for col in zip(*rows)], len(rows)
(game_paint, game_cpu, game_music, game_mb), n = figures(sys.argv[1])
(bare_paint, bare_cpu, bare_music, bare_mb), m = figures(sys.argv[2])
(menus_paint, menus_cpu, _, menus_mb), _ = figures(sys.argv[3])
print(f"runs: game {n}, bare window {m} (medians below)")
print(f"first paint:   game {game_paint:7.1f} ms   bare window {bare_paint:7.1f} ms   ratio {game_paint / bare_paint:.2f}")
print(f"  GUI thread's CPU until then: game {game_cpu:.1f} ms, bare window {bare_cpu:.1f} ms, ratio {game_cpu / bare_cpu:.2f}")
print(f"music playing: game {game_music:7.1f} ms   bare window {bare_music:7.1f} ms")
print(f"peak memory:   game {game_mb:7.1f} MB   bare window {bare_mb:7.1f} MB   ratio {game_mb / bare_mb:.2f}")
print(f"for scale, a bare window with Japanese menus and a caption: first paint {menus_paint:.1f} ms "
      f"(game ratio to it {game_paint / menus_paint:.2f}; CPU {menus_cpu:.1f} ms), peak memory {menus_mb:.1f} MB")
PY
