#!/usr/bin/env bash
# Compares the CPU time and peak memory of recording through the sound backend
# with parecord's, both recording the same source at the same time.
# Usage: bench/record_cpu.sh BUILD_DIR [SECONDS]
# The build needs -DHARKDECK_BENCH=ON. With PULSE_SERVER set, that server's
# default source is recorded once; otherwise a private server with a null sink
# is started, its monitor recorded idle and then kept running, and the server
# stopped again.
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

if [ -n "${PULSE_SERVER:-}" ]; then
  "$bench" "$seconds" "$dir"
  exit
fi

export XDG_RUNTIME_DIR=$dir/run PULSE_SERVER=unix:$dir/run/pulse/native PULSE_COOKIE=$dir/run/cookie
mkdir -p "$dir/run" "$dir/home" && chmod 700 "$dir/run"
HOME=$dir/home pulseaudio --daemonize=yes --system=false --exit-idle-time=-1 -n --use-pid-file=yes \
  --log-target=file:"$dir/pulse.log" \
  --load="module-null-sink sink_name=testsink rate=44100" \
  --load="module-native-protocol-unix auth-anonymous=1 socket=$dir/run/pulse/native" 2>/dev/null
server_pid=$(cat "$dir/run/pulse/pid")
pactl set-default-sink testsink
pactl set-default-source testsink.monitor

echo "== idle null sink"
"$bench" "$seconds" "$dir"

# A stream playing at 20 ms latency drives the monitor in small chunks: every
# client recording it then wakes a couple of hundred times a second.
pacat --playback --device=testsink --latency-msec=20 --format=s16le --rate=44100 --channels=2 \
  /dev/zero 2>/dev/null &
keep_awake=$!
sleep 2.5
echo "== null sink kept running by a 20 ms stream"
"$bench" "$seconds" "$dir"
