#!/usr/bin/env python3
"""Writes the seed files of fuzz/corpus/: small valid files of every layout the program
reads, and the inputs that once found a fault (named for what they found).

Run from the repository's top folder: python3 fuzz/make_seeds.py. Files the fuzzer added
to the corpus folders are left alone; the seeds are written again."""
import os
import struct
import subprocess
import tempfile
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")
RECORD1 = "2024/01/0209:302024/12/3118:00"
RECORD2 = " " * 30


def put(target, name, data):
    folder = os.path.join(ROOT, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def lines(items):
    return ("\r\n".join(items) + "\r\n").encode("cp932")


# ---- slideshow files, one per layout ------------------------------------------------------

def slideshow_lines(tag, key, sound_mode, tail):
    has = key.startswith
    l = [tag, "/昔の/場所/show.kvz", " 4000 ", " 1 ", " %d " % sound_mode, "既定.wav"]
    if has("pic3"):
        l += ["くり返し.wav", " 5 ", " 3 ", " 4 ", "-7 ", " 12 ", " 13 ", " 0 ", "4"]
    if has("pic31"):
        l += [" 20 ", " 30 "]
    if has("pic316"):
        l += [" 0 "]
    if has("pic3167"):
        l += ["曲.mid", " 0 "]
    if has("pic31678"):
        l += [" 0 ", "0", " 2 ", " 1 ", "/連動/a,b"]
    l += [" 2 ", "写真1.jpg", "/絶対/写真2.png"]
    if tail:
        l += ["480", " 0 ", " 3 ", " 1 ", "7", " 1 ", " 0 ", " 1 ", " 2 ", " 1 ", " 0 ", " 1 ",
              "loop.mp3", " 0 ", " 0 ", " 0 ", " 1 ", " 1 ", " 1 ", "-" + RECORD1, "-" + RECORD2]
    return l


for tag, key, mode in [("21pic3167893", "pic3167893", 6), ("21pic316789", "pic316789", 6),
                       ("21pic31678", "pic31678", 6), ("pic3167", "pic3167", 4),
                       ("pic316", "pic316", 4), ("pic31", "pic31", 3), ("pic3", "pic3", 2),
                       ("pic2", "pic2", 3)]:
    put("slideshow_file", "layout-%s" % tag, lines(slideshow_lines(tag, key, mode, False)))
    put("slideshow_file", "layout-%s-tail" % tag, lines(slideshow_lines(tag, key, mode, True)))

# Today's layout with the sound list carried, a CD programme and an AVI entry.
put("slideshow_file", "current-with-sound-list", lines([
    "21pic3167893", "/写真/旅行.kvz", " 7000 ", " 1 ", " 6 ", "*.wav", "", " 4 ", "-120 ", " 11 ",
    " 8 ", " 17 ", " 23 ", " 0 ", "5", " 31 ", " 42 ", " 0 ", "/音/曲.mid", " 0 ", " 0 ", " 1 ",
    " 2 ", " 1 ", "/連動/フォルダ, その2", " 3 ", "/写真/春/桜.jpg", "/写真/動画.avi",
    "秋 紅葉.jpg", "480", " 3 ", " 5 ", " 3 ", "3", "11", "2", " 1 ", " 0 ", " 1 ", " 8 ", " 1 ",
    " 1 ", " 2 ", "/音/一.wav", "/音/二.mp3", " 1 ", " 0 ", " 1 ", "/音/ループ.mp3", " 0 ",
    " 1 ", " 0 ", " 0 ", " 0 ", " 0 ", " 1 ", " 1 ", "-" + RECORD1, "-" + RECORD2,
    "-2025/03/04     2025/03/05     "]))
put("slideshow_file", "empty-show", lines([
    "21pic3167893", "", " 3000 ", " 0 ", " 7 ", "*.wav", "", " 0 ", " 0 ", " 0 ", " 0 ", " 10 ",
    " 10 ", " 1 ", "1", " 20 ", " 20 ", " 1 ", "", " 1 ", " 1 ", " 1 ", " 0 ", " 0 ", "", " 0 ",
    "480", " 0 ", " 0 ", " 0 ", " 0 ", " 1 ", " 0 ", " 0 ", " 0 ", " 0 "]))

# ---- settings files, one per layout -------------------------------------------------------

def settings_lines(tag, tail):
    has = tag.startswith
    l = [tag]
    if has("V2"):
        if has("V2.1a3567893"):
            l += [" 0 ", " 1 ", " 1 ", "/連動", " 1 ", " 4 ", " 2 ", " 3 "]
        l += [" 0 "]
        if has("V2.1a356789"):
            l += [" 0 ", " 0 ", " 2 ", " 1 ", " 1 "]
        l += [" 5 ", " 2 ", " 6 ", "-4 ", " 12 ", " 14 ", " 3 ", "くり返し.wav", " 0 ", "2"]
    if has("V2.1"):
        l += [" 20 ", " 30 ", " 0 "]
    if has("V2.1a"):
        l += [" 7 "]
    if has("V2.1a3"):
        l += [" 1 "]
    if has("V2.1a35"):
        l += [" 1 "]
    if has("V2.1a356"):
        l += [" 1 ", " 0 "]
    if has("V2.1a3567"):
        l += ["曲.mid", "", " 0 "]
    l += ["", " 4000 ", " 1 ", " 3 ", "*.wav", " 2 ", "写真1.jpg", "/絶対/写真2.png"]
    if tail:
        l += [" 1 ", "5", " 1 ", " 0 ", " 1 ", " 1 ", " 1 ", " 4 ", " 1 ", " 1 ", " 1 ",
              "loop.mp3", " 0 ", " 0 ", " 0 ", " 1 ", " 1 ", " 1 ", " 1 ", " 1 ", "-" + RECORD1,
              "-" + RECORD2, " 0 ", " 1 ", " 250 "]
    return l


for tag in ["0", "V2", "V2.1", "V2.1a", "V2.1a3", "V2.1a35", "V2.1a356", "V2.1a3567",
            "V2.1a356789", "V2.1a3567893", "V2.1a3567893sp6"]:
    put("settings_file", "layout-%s" % tag, lines(settings_lines(tag, False)))
put("settings_file", "layout-V2.1a3567893sp6-tail", lines(settings_lines("V2.1a3567893sp6", True)))

# ---- link lists, link settings, sound lists -------------------------------------------------

put("linklist_file", "current", lines(["1pic3167", "/リンク/旅行.usl", " 3 ", "/写真/春.kvz",
                                       "夏.kvz", "/写真/秋, 冬.kvz"]))
put("linklist_file", "old-tag", lines(["pic2", "/x.usl", " 1 ", "a.kvz"]))
put("linklist_file", "quoted-tag", lines(['"1pic3167",more', "/x.usl", " 0 "]))
put("linklist_file", "empty-entry", lines(["1pic3167", "配布.usl", " 3 ", "春.kvz", "夏.kvz", ""]))

put("link_settings_file", "current", lines(["KVZV3", " 1 ", " 0 ", " 1 ", "/リンク/いつもの.usl",
                                            " 2 ", "/写真/春.kvz", "名前だけ.kvz"]))
put("link_settings_file", "empty", lines(["KVZV3", " 0 ", " 0 ", " 0 ", "", " 0 "]))

put("soundlist_file", "current", lines(["WAV3.4", " 3 ", "/音/一.wav", "二.mid", "/音/三 ,四.mp3"]))
put("soundlist_file", "ends-early", lines(["WAV3.4", " 5 ", "/音/一.wav"]))
put("soundlist_file", "tag-with-more", lines(["WAV3.4 and more", " 0 "]))

# ---- text files in code page 932 ------------------------------------------------------------

put("vbfile", "list-lines", lines(["21pic3167893", " 3000 ", "-30 ", "写真,一.jpg", '"引用",2',
                                   "-" + RECORD1, "12abc", "1e3", "&H1F"]))
put("vbfile", "mixed-line-ends", b"one\r\ntwo\nthree\rfour")
put("vbfile", "half-width-katakana", "ｽﾗｲﾄﾞ ｼｮｰ\r\n".encode("cp932"))
# A lead byte followed by a byte that is no trail byte: carried through unchanged.
put("vbfile", "lead-byte-then-blank-0x81-0x20", b"\x81\x20abc\r\n\x81")
put("vbfile", "lead-byte-at-end", b"abc\x82")
put("vbfile", "ibm-extension-duplicates", b"\xfa\x54\x81\xca\x87\x9a\x81\xe6\r\n")
# Found by fuzz_vbfile: a carried lead byte before an IBM extension character read in its
# second code paired, when written back, with the first code's lead byte.
put("vbfile", "found-carried-lead-byte-pairs-with-recoded-character", b"\x81\xfa\x54\r\n")

# ---- pictures -------------------------------------------------------------------------------

SUFFIXES = ["jpg", "png", "bmp", "gif", "tif", "tga", "pcx", "psd", "ras", "pct", "wpg", "pcd",
            "cal", "mac", "dcx", "jpeg", "tiff", "ico", "ppm", "pgm", "pbm", "xpm", "webp"]


def picture(name, suffix, data):
    put("picture", name, bytes([SUFFIXES.index(suffix)]) + data)


def png_chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def png(width, height, rows):
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", ihdr) +
            png_chunk(b"IDAT", zlib.compress(rows)) + png_chunk(b"IEND", b""))


def exif_app1(orientation, big_endian=False):
    if big_endian:
        tiff = b"MM\x00\x2a" + struct.pack(">I", 8) + struct.pack(">H", 1) + \
            struct.pack(">HHIHH", 0x0112, 3, 1, orientation, 0) + struct.pack(">I", 0)
    else:
        tiff = b"II\x2a\x00" + struct.pack("<I", 8) + struct.pack("<H", 1) + \
            struct.pack("<HHIHH", 0x0112, 3, 1, orientation, 0) + struct.pack("<I", 0)
    body = b"Exif\x00\x00" + tiff
    return b"\xff\xe1" + struct.pack(">H", len(body) + 2) + body


def converted(fmt, size="4x3", options=()):
    with tempfile.TemporaryDirectory() as d:
        out = os.path.join(d, "out." + fmt)
        subprocess.run(["convert", "-size", size, "gradient:red-blue", *options, "-depth", "8", out],
                       check=True, capture_output=True)
        with open(out, "rb") as f:
            return f.read()


jpeg = converted("jpg", "6x4")
picture("jpeg-small", "jpg", jpeg)
picture("jpeg-exif-orientation-6", "jpg", jpeg[:2] + exif_app1(6) + jpeg[2:])
picture("jpeg-exif-orientation-8-big-endian", "jpg", jpeg[:2] + exif_app1(8, True) + jpeg[2:])
picture("jpeg-large-for-scaled-decode", "jpg", converted("jpg", "400x300"))
# Progressive files are decoded through the packed coefficient store.
picture("jpeg-progressive-for-scaled-decode", "jpg",
        converted("jpg", "400x300", ["-interlace", "JPEG"]))
picture("jpeg-progressive-444-odd-size", "jpg",
        converted("jpg", "301x203", ["-interlace", "JPEG", "-sampling-factor", "1x1"]))
picture("png-small", "png", png(3, 2, b"\x00" + b"\x10" * 9 + b"\x00" + b"\x80" * 9))
# An interlaced picture large enough to be averaged down pass by pass.
picture("png-interlaced-for-reduced-decode", "png",
        converted("png", "1600x1200", ["-interlace", "PNG"]))
# A few hundred bytes that declare a picture of nine thousand pixels square.
picture("png-tiny-file-huge-declared-size", "png", png(9000, 9000, b"\x00" * 64))
picture("png-declared-size-beyond-bound", "png", png(100000, 100000, b"\x00" * 64))
# 19 bytes of a little-endian TIFF whose first directory is cut off.
picture("tiff-19-bytes-cut-off-directory", "tif",
        b"II*\x00\x08\x00\x00\x00\x01\x00\x00\x01\x03\x00\x01\x00\x00\x00\x10")
picture("tiff-19-bytes-as-cals", "cal",
        b"II*\x00\x08\x00\x00\x00\x01\x00\x00\x01\x03\x00\x01\x00\x00\x00\x10")
for fmt, suffix in [("bmp", "bmp"), ("gif", "gif"), ("tiff", "tif"), ("tga", "tga"),
                    ("pcx", "pcx"), ("psd", "psd"), ("sun", "ras"), ("pict", "pct"),
                    ("ico", "ico"), ("ppm", "ppm"), ("pgm", "pgm"), ("pbm", "pbm"),
                    ("xpm", "xpm"), ("webp", "webp")]:
    try:
        picture("%s-small" % fmt, suffix, converted(fmt))
    except subprocess.CalledProcessError:
        pass

# ---- EXIF -----------------------------------------------------------------------------------

put("exif", "jpeg-orientation-6", jpeg[:2] + exif_app1(6) + jpeg[2:])
put("exif", "jpeg-orientation-3-big-endian", jpeg[:2] + exif_app1(3, True) + jpeg[2:])
put("exif", "tiff-orientation-8", exif_app1(8)[10:])
put("exif", "tiff-19-bytes-cut-off-directory",
    b"II*\x00\x08\x00\x00\x00\x01\x00\x00\x01\x03\x00\x01\x00\x00\x00\x10")

# ---- picture macros -------------------------------------------------------------------------

macros = {
    "text-styles": ["FontSize=24", "FontBold=1", "QBColor=14", "RGB(255,0,0)", "Kage=2",
                    "ZureX=3", "ZureY=-2", "BorderColor=15", "LineSpace=4", "[テキスト]",
                    "春の　写真", "Kage=1", "二行目"],
    "tabs-and-positions": ["Tab=4", "CurrentX=10", "CurrentY=-5", "[テキスト]", "a\tb\tc",
                           "\t\t長い行", "CLS", "FontNo=2", "最後"],
    "fonts": ['FontName="ＭＳ 明朝"', "FontItalic=1", "FontUnderline=1", "FontSize=10.5",
              "[テキスト]", "文字", 'FontName="No Such Face 42"', "x"],
    "odd-values": ["KAGE 3", "QBColor=-1", "RGB(300,-5,128)", "RGB(,,)", "FontSize=200",
                   "LineSpace=99999", "ZureX=50", "//[コメント]", "[テキスト]", " Table",
                   "Interval=5", "Position=1.5"],
}
for name, items in macros.items():
    put("macro", name, lines(items))
put("macro", "lf-only-and-lead-byte-at-end", "[テキスト]\nあ\nい".encode("cp932") + b"\x82")

# ---- cut-out point files --------------------------------------------------------------------

point_files = {
    "written-by-the-window": ["KVZ_PICTYPE_DATA", " 120, 45", " 0,-3", "-7, 0", " 30, 300"],
    "tag-with-blanks-and-blank-lines": ["  KVZ_PICTYPE_DATA  ", "", " 10, 20", "", "12.5,13.5",
                                        " 60, 5"],
    "one-number-lines-and-quotes": ["KVZ_PICTYPE_DATA", " 40", " 50", '"7","8"', "1e3,-2e2"],
    "out-of-range-numbers": ["KVZ_PICTYPE_DATA", " 40000, 5", " 5,-40000", " 1,2,3"],
}
for name, items in point_files.items():
    put("point_file", name, lines(items))
put("point_file", "wrong-tag", lines(["kvz_pictype_data", " 1, 1"]))
