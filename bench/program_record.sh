#!/usr/bin/env bash
# The whole program recording: CPU time and peak memory of a scripted
# recording in the console front end and in the window (offscreen), each
# against parecord recording the same source over the same seconds, and the
# time from start to the first tick.
# Usage: bench/program_record.sh BUILD_DIR [SECONDS]   (a release build)
set -euo pipefail
build=${1:?build directory}
seconds=${2:-60}
harkdeck="$(realpath "$build/harkdeck")"
dir=$(mktemp -d /tmp/harkdeck-bench-XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  [ -f "$dir/run/pulse/pid" ] && kill "$(cat "$dir/run/pulse/pid")" 2>/dev/null || true
  rm -rf "$dir"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR=$dir/run PULSE_SERVER=unix:$dir/run/pulse/native PULSE_COOKIE=$dir/run/cookie
mkdir -p "$dir/run" "$dir/home/.config/Ollirum/Harkdeck" && chmod 700 "$dir/run"
HOME=$dir/home pulseaudio --daemonize=yes --system=false --exit-idle-time=-1 -n --use-pid-file=yes \
  --log-target=file:"$dir/pulse.log" \
  --load="module-null-sink sink_name=testsink rate=44100" \
  --load="module-native-protocol-unix auth-anonymous=1 socket=$dir/run/pulse/native" 2>/dev/null
pactl set-default-sink testsink
pactl set-default-source testsink.monitor
# Something to hear, and a sink that runs in real time as a card does.
sox -n -r 44100 -c 2 -b 16 "$dir/tone.wav" synth 3600 sine 1000 vol 0.3
paplay --device=testsink "$dir/tone.wav" & pids+=($!)
sleep 2.5
printf '[HKEY_CURRENT_USER\\SOFTWARE\\Ollirum\\Harkdeck\\1.5]\nsoundcard=-1\nlevelslider=50\n' \
  > "$dir/home/.config/Ollirum/Harkdeck/1.5.conf"

hz=$(getconf CLK_TCK)
# user+system seconds and peak resident kB of a running process
usage() {
  local stat
  stat=$(cut -d' ' -f14,15 "/proc/$1/stat")
  awk -v t="$stat" -v hz="$hz" 'BEGIN { split(t, f, " "); printf "%.2f", (f[1] + f[2]) / hz }'
  printf ' %s' "$(awk '/VmHWM/ { print $2 }' "/proc/$1/status")"
}

run() {
  local label=$1
  shift
  local begin end
  begin=$(TZ=UTC date -d "+2 seconds" '+%Y-%m-%d %H:%M:%S')
  end=$(TZ=UTC date -d "+$((seconds + 2)) seconds" '+%Y-%m-%d %H:%M:%S')
  printf 'begin: %s\nend: %s\narm:\n' "$begin" "$end" > "$dir/script.txt"
  rm -rf "$dir/home/Documents"
  TZ=UTC HOME=$dir/home XDG_CONFIG_HOME=$dir/home/.config "$@" /script "$dir/script.txt" \
    < /dev/null > "$dir/$label.log" 2>&1 &
  local program=$!
  sleep 2
  parecord --device=testsink.monitor --format=u8 --rate=11025 --channels=1 "$dir/parecord.wav" &
  local reference=$!
  sleep "$seconds"
  read -r cpu rss <<< "$(usage "$program")"
  read -r rcpu rrss <<< "$(usage "$reference")"
  kill -TERM "$program" "$reference"
  wait "$program" "$reference" 2>/dev/null || true
  printf '%-8s harkdeck %5.2f s CPU %6d kB | parecord %5.2f s CPU %6d kB | CPU ratio %s\n' \
    "$label" "$cpu" "$rss" "$rcpu" "$rrss" \
    "$(awk -v a="$cpu" -v b="$rcpu" 'BEGIN { if (b > 0) printf "%.1f", a / b; else print "-" }')"
}

echo "== $seconds s recording, u8 mono 11025 Hz from the null sink's monitor"
run console "$harkdeck" --console
run window env QT_QPA_PLATFORM=offscreen "$harkdeck"

# Start to the first tick: the welcome line is logged as start-up ends, and
# the first tick follows 190 ms later.
start=$(date +%s%N)
HOME=$dir/home XDG_CONFIG_HOME=$dir/home/.config "$harkdeck" --console < /dev/null \
  > "$dir/start.log" 2>&1 &
program=$!
until grep -q Welcome "$dir/start.log" 2>/dev/null; do sleep 0.005; done
ready=$(date +%s%N)
kill -TERM "$program"
wait "$program" || true
echo "console start-up $(( (ready - start) / 1000000 )) ms, first tick 190 ms after it"
