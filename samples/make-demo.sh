#!/usr/bin/env bash
# Makes the demo show's pictures into the given folder.
set -euo pipefail
out="${1:-build/samples}"
mkdir -p "$out"
i=1
for c in steelblue darkorange seagreen firebrick; do
  f="$out/demo$i.jpg"
  [ -f "$f" ] || convert -size 1280x720 "gradient:$c-white" -gravity center -pointsize 96 \
      -fill white -annotate 0 "Slide $i" "$f"
  i=$((i+1))
done
