#!/usr/bin/env bash
# Compares the CPU time and peak memory of recording through the sound backend
# with parecord's, both recording the same source at the same time.
# Usage: bench/record_cpu.sh BUILD_DIR [SECONDS]
# The build needs -DHARKDECK_BENCH=ON. Without a PULSE_SERVER in the
# environment a private server with a null sink is started and stopped again.
set -euo pipefail
build=${1:?build directory}
seconds=${2:-30}
bench="$build/bench/harkdeck_record_bench"
dir=$(mktemp -d /tmp/harkdeck-bench-XXXXXX)
keep_awake=""
server_pid=""
cleanup() {
  [ -n "$keep_awake" ] && kill "$keep_awake" 2>/dev/null || true
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
  rm -rf "$dir"
}
trap cleanup EXIT

if [ -z "${PULSE_SERVER:-}" ]; then
  export XDG_RUNTIME_DIR=$dir/run PULSE_SERVER=unix:$dir/run/pulse/native PULSE_COOKIE=$dir/run/cookie
  mkdir -p "$dir/run" "$dir/home" && chmod 700 "$dir/run"
  HOME=$dir/home pulseaudio --daemonize=yes --system=false --exit-idle-time=-1 -n --use-pid-file=yes \
    --log-target=file:"$dir/pulse.log" \
    --load="module-null-sink sink_name=testsink rate=44100" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$dir/run/pulse/native"
  server_pid=$(cat "$dir/run/pulse/pid")
  pactl set-default-sink testsink
  pactl set-default-source testsink.monitor
  # An idle null sink wakes only every couple of seconds; keep it running.
  pacat --playback --device=testsink --latency-msec=20 --format=s16le --rate=44100 --channels=2 \
    /dev/zero &
  keep_awake=$!
  sleep 2.5
fi

"$bench" "$seconds" "$dir"
