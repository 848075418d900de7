#!/usr/bin/env bash
# Makes the demo show into the given folder: four pictures and demo.kvz, a slideshow file
# that shows them one after another, each brought in with the next effect in turn. The first
# picture has a macro file beside it (demo1.txt) that writes a caption over it; the second
# draws gradient and rotated text and runs a ticker once (the third slide follows after its
# pass); the third starts a repeating ticker that the fourth stops.
set -euo pipefail
out="${1:-build/samples}"
mkdir -p "$out"
# ImageMagick's default font may be missing: name a font file the system has.
font=()
file="$(fc-match -f '%{file}' sans 2>/dev/null || true)"
[ -n "$file" ] && [ -f "$file" ] && font=(-font "$file")
i=1
for c in steelblue darkorange seagreen firebrick; do
  f="$out/demo$i.jpg"
  if [ ! -f "$f" ]; then
    convert -size 1280x720 "gradient:$c-white" -gravity center "${font[@]}" -pointsize 96 \
        -fill white -annotate 0 "Slide $i" "$f" 2>/dev/null ||
      convert -size 1280x720 "gradient:$c-white" "$f"
  fi
  i=$((i+1))
done

# The slideshow file: one item per line, CR LF; numbers with a blank in the sign position
# and a trailing blank; slide names without a folder, so the file travels with its
# pictures (the reader puts the file's own folder in front of them). Plain ASCII, which
# code page 932 writes unchanged.
n() { case "$1" in -*) printf '%s \r\n' "$1" ;; *) printf ' %s \r\n' "$1" ;; esac; }
t() { printf '%s\r\n' "$1"; }
{
  t "21pic3167893"   # version tag
  t "demo.kvz"       # the file's own name
  n 4000             # slide interval (ms)
  n 0                # repeat
  n 7                # sound mode: none
  t "*.wav"          # common sound: none
  t ""               # repeated WAV
  n 10               # display effect: each effect in turn
  n -30              # display effect speed
  n 11               # erase effect: linked to the display effect
  n -30              # erase effect speed
  n 10               # display slits
  n 10               # erase slits
  n 1                # CD track repeat off
  t "1"              # CD start track
  n 10               # display mosaic count
  n 10               # erase mosaic count
  n 0                # picture macros on
  t ""               # repeated MIDI
  n 1                # WAV sync off
  n 1                # linked sound after the text
  n 1                # random order off
  n 0                # CD track order
  n 0                # linked files in their own folder: no
  t ""               # linked-files folder
  n 4                # slides
  for k in 1 2 3 4; do t "demo$k.jpg"; done
  t "480"
  n 0                # overlay: none
  n 0                # picture size: 100 %
  n 0                # CD programme entries
  n 0                # text origin
  n 1                # CD without linked WAV
  n 0                # stop at the CD programme's end
  n 0                # overlay background colour
  n 0                # picture position: centre
  n 0                # sound list in this file: no
  n 0                # MIDI with linked WAV
  t ""               # repeated MP3
  n 0                # MP3 repeat mode
  n 0                # always full screen: yes (leaving the full screen ends the show)
  n 0                # effect speed variable
  n 0                # picture load mode
  n 0                # MP3 with linked WAV
  n 0                # sound list with linked WAV
  for k in 1 2 3 4; do t "-$(printf '%30s' '')"; done  # no schedules
} >"$out/demo.kvz"

# The first slide's caption: a picture macro in code page 932 with CR LF line ends.
{
  t "//キャプションのデモ"
  t "FontSize=40"
  t "FontBold=1"
  t "Kage=3"
  t "ZureX=2"
  t "ZureY=2"
  t "QBColor=1"
  t "CurrentX=40"
  t "CurrentY=40"
  t "LineSpace=8"
  t "[テキスト]        //以下にメッセージを記入して下さい"
  t "スライドショーへようこそ"
  t "FontSize=24"
  t "Kage=1"
  t "ZureX=3"
  t "ZureY=3"
  t "RGB(255,240,120)"
  t "文字は影付きでも縁取りでも描けます"
} | iconv -f UTF-8 -t CP932 >"$out/demo1.txt"

# Gradient text, rotated text and the tickers.
{
  t "//グラデーション文字・回転文字・テロップのデモ"
  t "FontSize=36"
  t "FontBold=1"
  t "CurrentX=40"
  t "CurrentY=40"
  t "GRAD(255,60,60,60,60,255,\"グラデーションの文字です\")"
  t "CurrentY=110"
  t "Kage=3"
  t "ZureX=2"
  t "ZureY=2"
  t "GRAD(255,255,0,0,200,0,\"縁取りも一文字ずつ\")"
  t "Kage=0"
  t "QBColor=15"
  t "CurrentX=80"
  t "CurrentY=600"
  t "TEXTOUT(60,0,90,\"縦に上へ\")"
  t "CurrentX=200"
  t "CurrentY=380"
  t "TEXTOUT(40,30,30,\"斜め三十度\")"
  t "Kage=1"
  t "ZureX=3"
  t "ZureY=3"
  t "RGB(255,230,120)"
  t "CurrentX=1200"
  t "CurrentY=420"
  t "TEXTOUT(48,0,180,\"さかさま\")"
  t "CurrentX=600"
  t "CurrentY=250"
  t "TEXTOUT(0,0,0,\"高さ0は既定の大きさ\")"
  t "Kage=0"
  t "RGB(255,255,255)"
  t "FontSize=28"
  t "CurrentY=650"
  t "TELOP1(2,6,\"ひと回りだけ流れるテロップ ─ 次のスライドはこのあとに\")"
} | iconv -f UTF-8 -t CP932 >"$out/demo2.txt"
{
  t "FontSize=28"
  t "RGB(255,255,160)"
  t "CurrentY=650"
  t "Telop2(2,3,\"くり返し流れるテロップ\")  //ここにいテロップを記述する。"
} | iconv -f UTF-8 -t CP932 >"$out/demo3.txt"
{
  t "Telop2(\"\")  //テロップ終了（消去）"
} | iconv -f UTF-8 -t CP932 >"$out/demo4.txt"
