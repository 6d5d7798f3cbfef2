#!/usr/bin/env bash
# Checks every AVI file that the recorder's tests wrote against what they expect of it.
# Each ".expect" file beside an AVI holds one line per stream, in stream order, of
# key=value fields separated by '|' as ffprobe's compact output prints them (stream
# type, codec, frame size, rate and counted frames, or the sound format); every field
# expected must be in ffprobe's line for that stream, and the stream counts must agree.
# Every video packet must be a key frame.
set -uo pipefail
dir=${1:?folder of the recorded files}
shopt -s nullglob
passed=0; failed=0
for expect in "$dir"/*.avi.expect; do
  avi=${expect%.expect}
  if [ ! -f "$avi" ]; then
    echo "missing: $avi"; failed=$((failed + 1)); continue
  fi
  mapfile -t got < <(ffprobe -v error -count_frames \
    -show_entries stream=codec_type,codec_name,width,height,r_frame_rate,nb_read_frames,sample_rate,channels \
    -of compact=p=0 "$avi" 2>&1)
  mapfile -t want < "$expect"
  ok=1
  [ "${#got[@]}" -eq "${#want[@]}" ] || ok=0
  for i in "${!want[@]}"; do
    IFS="|" read -ra fields <<< "${want[$i]%$'\r'}"
    for f in "${fields[@]}"; do
      [[ "|${got[$i]:-}|" == *"|$f|"* ]] || ok=0
    done
  done
  # Every frame is written as a key frame: no video packet may lack the K flag.
  flags=$(ffprobe -v error -select_streams v -show_entries packet=flags -of csv=p=0 "$avi" 2>&1)
  if [ -z "$flags" ] || grep -qv '^K' <<< "$flags"; then
    echo "not every frame a key frame: $avi"; ok=0
  fi
  if [ "$ok" -eq 1 ]; then
    passed=$((passed + 1))
  else
    echo "mismatch: $avi"; echo "expected:"; printf '%s\n' "${want[@]}"; echo "ffprobe:"; printf '%s\n' "${got[@]}"
    failed=$((failed + 1))
  fi
done
echo "ffprobe: $passed files as expected, $failed not"
[ "$passed" -gt 0 ] && [ "$failed" -eq 0 ]
