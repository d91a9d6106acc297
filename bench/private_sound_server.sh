# Sourced by the bench scripts: start_private_sound_server DIR starts a PulseAudio server of
# its own under DIR (its runtime folder and home) with a null sink named "null" as the
# default, so that a desktop's own server is neither used nor disturbed; the caller runs
# `pulseaudio --kill` when done.
start_private_sound_server() {
  export XDG_RUNTIME_DIR=$1/run HOME=$1/home
  mkdir -p "$XDG_RUNTIME_DIR" "$HOME"
  chmod 700 "$XDG_RUNTIME_DIR"
  unset PULSE_SERVER
  pulseaudio --daemonize=yes --exit-idle-time=-1 -n --load="module-null-sink sink_name=null" \
    --load=module-native-protocol-unix >/dev/null 2>&1
  for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
  pactl set-default-sink null
}
