#!/usr/bin/env python3
"""Writes src/pdf/pdf_tables.cpp, the fixed data of the program's PDF writer.

Sources, all read from the system:

* CMaps 90ms-RKSJ-H and 90msp-RKSJ-H (the Adobe-Japan1 CMap files installed
  under CMAP_DIR below). The code-to-CID ranges of their `begincidrange`
  blocks and the single codes of `begincidchar` blocks (a range with
  from == to) are kept in file order; a `usecmap` is resolved by
  putting the used CMap's ranges first. `notdefrange` blocks are not kept.

* Widths of the twelve standard Latin fonts from groff's PostScript font
  descriptions (font/devps, files CR CB CI CBI HR HB HI HBI TR TB TI TBI). The
  charset lines there read `name  metrics  type  code  psname`; the first
  metric is the width in units of 1/unitwidth em, and DESC must say unitwidth
  1000. A glyph is found by its PostScript name. Each Windows ANSI code 32..255
  is named by the table WIN_ANSI_NAMES below (the no-break space is drawn as
  `space`, the soft hyphen as `hyphen`); codes without a character (0x7F, 0x81,
  0x8D, 0x8F, 0x90, 0x9D) get width 0.

* Widths of the proportional Japanese fonts (the W arrays of the gothic and the
  mincho family). Runs and their lengths are fixed in PROPORTIONAL_RUNS:
    - CIDs 1..95 are the proportional forms of the codes 0x20..0x7E. Their
      widths are the advances of those ASCII characters in the installed IPA
      proportional fonts (IPAPGothic, and IPAPMincho when installed, otherwise
      the gothic widths serve both families), scaled to 1000 units per em and
      rounded. The first four gothic widths are fixed at 305, 219, 500, 500.
    - CIDs 326..389 are the half-width katakana: 500 each.
    - All other runs are full-width forms: 1000 each.

Usage: gen_pdf_tables.py [--output FILE]   (default: src/pdf/pdf_tables.cpp of
this repository). The output does not depend on the time of the run.
"""

import argparse
import codecs
import os
import re
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ttf_advances import TrueTypeFont  # noqa: E402

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CMAP_DIR = "/usr/share/poppler/cMap/Adobe-Japan1"
GROFF_DEVPS = "/usr/share/groff/1.22.4/font/devps"

TYPE1_FACES = [
    # (enumerator of Type1Face, groff file, PostScript font name)
    ("Courier", "CR", "Courier"),
    ("CourierBold", "CB", "Courier-Bold"),
    ("CourierOblique", "CI", "Courier-Oblique"),
    ("CourierBoldOblique", "CBI", "Courier-BoldOblique"),
    ("Helvetica", "HR", "Helvetica"),
    ("HelveticaBold", "HB", "Helvetica-Bold"),
    ("HelveticaOblique", "HI", "Helvetica-Oblique"),
    ("HelveticaBoldOblique", "HBI", "Helvetica-BoldOblique"),
    ("TimesRoman", "TR", "Times-Roman"),
    ("TimesBold", "TB", "Times-Bold"),
    ("TimesItalic", "TI", "Times-Italic"),
    ("TimesBoldItalic", "TBI", "Times-BoldItalic"),
]

# Glyph names of the Windows ANSI codes 32..255; None where no glyph is drawn.
WIN_ANSI_NAMES = (
    # 0x20
    "space exclam quotedbl numbersign dollar percent ampersand quotesingle "
    "parenleft parenright asterisk plus comma hyphen period slash "
    "zero one two three four five six seven eight nine "
    "colon semicolon less equal greater question "
    # 0x40
    "at A B C D E F G H I J K L M N O P Q R S T U V W X Y Z "
    "bracketleft backslash bracketright asciicircum underscore "
    # 0x60
    "grave a b c d e f g h i j k l m n o p q r s t u v w x y z "
    "braceleft bar braceright asciitilde - "
    # 0x80
    "Euro - quotesinglbase florin quotedblbase ellipsis dagger daggerdbl "
    "circumflex perthousand Scaron guilsinglleft OE - Zcaron - "
    # 0x90
    "- quoteleft quoteright quotedblleft quotedblright bullet endash emdash "
    "tilde trademark scaron guilsinglright oe - zcaron Ydieresis "
    # 0xA0
    "space exclamdown cent sterling currency yen brokenbar section "
    "dieresis copyright ordfeminine guillemotleft logicalnot hyphen registered macron "
    # 0xB0
    "degree plusminus twosuperior threesuperior acute mu paragraph periodcentered "
    "cedilla onesuperior ordmasculine guillemotright onequarter onehalf threequarters "
    "questiondown "
    # 0xC0
    "Agrave Aacute Acircumflex Atilde Adieresis Aring AE Ccedilla "
    "Egrave Eacute Ecircumflex Edieresis Igrave Iacute Icircumflex Idieresis "
    # 0xD0
    "Eth Ntilde Ograve Oacute Ocircumflex Otilde Odieresis multiply "
    "Oslash Ugrave Uacute Ucircumflex Udieresis Yacute Thorn germandbls "
    # 0xE0
    "agrave aacute acircumflex atilde adieresis aring ae ccedilla "
    "egrave eacute ecircumflex edieresis igrave iacute icircumflex idieresis "
    # 0xF0
    "eth ntilde ograve oacute ocircumflex otilde odieresis divide "
    "oslash ugrave uacute ucircumflex udieresis yacute thorn ydieresis"
).split()
WIN_ANSI_NAMES = [None if n == "-" else n for n in WIN_ANSI_NAMES]

# Runs of the proportional W arrays: (start CID, count, kind).
PROPORTIONAL_RUNS = [
    (1, 95, "ascii"),
    (326, 64, "half"),
    (633, 63, "full"),
    (771, 8, "full"),
    (780, 10, "full"),
    (790, 26, "full"),
    (816, 26, "full"),
    (842, 83, "full"),
    (925, 63, "full"),
    (988, 23, "full"),
]
GOTHIC_FIRST_WIDTHS = [305, 219, 500, 500]


def fail(message):
    sys.exit(f"gen_pdf_tables: {message}")


# --- CMaps -------------------------------------------------------------------

def hex_code(token):
    m = re.fullmatch(r"<([0-9A-Fa-f]+)>", token)
    if not m:
        fail(f"bad code {token!r}")
    return int(m.group(1), 16)


def read_cmap(name, seen=()):
    if name in seen:
        fail(f"usecmap loop at {name}")
    path = os.path.join(CMAP_DIR, name)
    with open(path, encoding="latin-1") as f:
        lines = [line.split("%", 1)[0].strip() for line in f]
    ranges = []
    block, expected, got = None, 0, 0
    for number, line in enumerate(lines, 1):
        if not line:
            continue
        tokens = line.split()
        if block is None:
            if tokens[-1] in ("begincidrange", "begincidchar"):
                block, expected, got = tokens[-1][5:], int(tokens[0]), 0
            elif tokens[-1] == "usecmap":
                ranges = read_cmap(tokens[0].lstrip("/"), seen + (name,)) + ranges
            continue
        if tokens == ["end" + block]:
            if got != expected:
                fail(f"{path}:{number}: block declares {expected} entries, holds {got}")
            block = None
            continue
        if block == "cidrange" and len(tokens) == 3:
            ranges.append((hex_code(tokens[0]), hex_code(tokens[1]), int(tokens[2])))
        elif block == "cidchar" and len(tokens) == 2:
            code = hex_code(tokens[0])
            ranges.append((code, code, int(tokens[1])))
        else:
            fail(f"{path}:{number}: unexpected line {line!r}")
        got += 1
    if block is not None:
        fail(f"{path}: unterminated {block} block")
    for lo, hi, cid in ranges:
        if lo > hi or hi > 0xFFFF or cid + (hi - lo) > 0xFFFF:
            fail(f"{path}: bad range <{lo:x}> <{hi:x}> {cid}")
    return ranges


# --- Type 1 widths -------------------------------------------------------------

def check_unitwidth():
    with open(os.path.join(GROFF_DEVPS, "DESC"), encoding="latin-1") as f:
        for line in f:
            tokens = line.split()
            if tokens[:1] == ["unitwidth"]:
                if tokens[1] != "1000":
                    fail(f"groff devps unitwidth is {tokens[1]}, not 1000")
                return
    fail("groff devps DESC has no unitwidth")


def read_groff_widths(file_name, font_name):
    path = os.path.join(GROFF_DEVPS, file_name)
    widths = {}
    internal = None
    in_charset = False
    with open(path, encoding="latin-1") as f:
        for line in f:
            line = line.rstrip("\n")
            tokens = line.split()
            if not in_charset:
                if tokens[:1] == ["internalname"]:
                    internal = tokens[1]
                elif tokens[:1] == ["charset"]:
                    in_charset = True
                continue
            if not tokens:
                continue
            if len(tokens) == 2 and tokens[1] == '"':
                continue  # another groff name of the glyph above
            if len(tokens) == 1 and not line.startswith("\t"):
                break  # next section keyword
            if len(tokens) < 5:
                continue  # glyph without a PostScript name
            width = int(tokens[1].split(",")[0])
            widths.setdefault(tokens[4], width)
    if internal != font_name:
        fail(f"{path} describes {internal}, expected {font_name}")
    return widths


def type1_widths(file_name, font_name):
    glyphs = read_groff_widths(file_name, font_name)
    row = []
    for code, name in enumerate(WIN_ANSI_NAMES, 32):
        try:
            char = bytes([code]).decode("cp1252")
        except UnicodeDecodeError:
            char = None
        if (char is None or code == 0x7F) != (name is None):
            fail(f"code 0x{code:02X}: glyph name table disagrees with cp1252")
        if name is None:
            row.append(0)
        elif name not in glyphs:
            fail(f"{font_name} has no glyph {name} for code 0x{code:02X}")
        else:
            row.append(glyphs[name])
    return row


# --- Proportional Japanese widths ------------------------------------------------

def find_font(family):
    try:
        out = subprocess.run(["fc-list", f":family={family}", "file"],
                             capture_output=True, text=True, check=True).stdout
    except (OSError, subprocess.CalledProcessError):
        return None
    files = sorted(line.strip().rstrip(":") for line in out.splitlines() if line.strip())
    return files[0] if files else None


def proportional_runs(font, first_widths=None):
    runs = []
    for start, count, kind in PROPORTIONAL_RUNS:
        if kind == "ascii":
            widths = []
            for code in range(0x20, 0x20 + count):
                w = font.advance_per_mille(chr(code))
                if w is None:
                    fail(f"proportional font lacks U+{code:04X}")
                widths.append(w)
            if first_widths:
                widths[:len(first_widths)] = first_widths
        else:
            widths = [500 if kind == "half" else 1000] * count
        runs.append((start, widths))
    return runs


# --- Output ---------------------------------------------------------------------

def wrap(items, indent="    ", width=92):
    lines, line = [], indent
    for item in items:
        piece = item + ","
        if len(line) + len(piece) + 1 > width and line.strip():
            lines.append(line.rstrip())
            line = indent
        line += piece + " "
    if line.strip():
        lines.append(line.rstrip())
    return "\n".join(lines)


def emit(cmaps, type1, families, sources):
    out = []
    out.append("// Generated by tools/gen_pdf_tables.py; do not edit, run the script again.")
    out.append("// Made from:")
    for source in sources:
        out.append(f"//   {source}")
    out.append('#include "pdf/pdf_tables.h"')
    out.append("")
    out.append("namespace qm::pdf {")
    out.append("namespace {")
    out.append("")
    for ident, name, ranges in cmaps:
        out.append(f"// {name}: {len(ranges)} ranges.")
        out.append(f"constexpr CMapRange {ident}[] = {{")
        out.append(wrap([f"{{0x{lo:04X}, 0x{hi:04X}, {cid}}}" for lo, hi, cid in ranges]))
        out.append("};")
        out.append("")
    out.append("// Type1Face order; codes 32..255.")
    out.append("constexpr std::array<std::array<std::uint16_t, 224>, 12> kType1Widths = {{")
    for (enum, _file, font_name), row in zip(TYPE1_FACES, type1):
        out.append(f"    // {font_name}")
        out.append("    {{")
        out.append(wrap([str(w) for w in row], indent="        "))
        out.append("    }},")
    out.append("}};")
    out.append("")
    for ident, family, runs in families:
        for start, widths in runs:
            out.append(f"constexpr std::uint16_t {ident}{start}[] = {{")
            out.append(wrap([str(w) for w in widths]))
            out.append("};")
        out.append(f"// {family}")
        out.append(f"constexpr CidWidthRun {ident}[] = {{")
        out.append(wrap([f"{{{start}, {ident}{start}}}" for start, _ in runs]))
        out.append("};")
        out.append("")
    out.append("}  // namespace")
    out.append("")
    out.append("std::span<const CMapRange> Cmap90msRksjH() { return k90msRksjH; }")
    out.append("std::span<const CMapRange> Cmap90mspRksjH() { return k90mspRksjH; }")
    out.append("")
    out.append("const std::array<std::uint16_t, 224>& Type1Widths(Type1Face face) {")
    out.append("  return kType1Widths.at(static_cast<std::size_t>(face));")
    out.append("}")
    out.append("")
    out.append("std::span<const CidWidthRun> ProportionalWidths(bool mincho) {")
    out.append("  if (mincho) return kMinchoRuns;")
    out.append("  return kGothicRuns;")
    out.append("}")
    out.append("")
    out.append("}  // namespace qm::pdf")
    return "\n".join(out) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", default=os.path.join(REPO, "src", "pdf", "pdf_tables.cpp"))
    args = parser.parse_args()
    began = time.monotonic()

    cmaps = [("k90msRksjH", "90ms-RKSJ-H", read_cmap("90ms-RKSJ-H")),
             ("k90mspRksjH", "90msp-RKSJ-H", read_cmap("90msp-RKSJ-H"))]

    check_unitwidth()
    type1 = [type1_widths(file_name, font_name) for _enum, file_name, font_name in TYPE1_FACES]

    gothic_path = find_font("IPAPGothic")
    if not gothic_path:
        fail("IPAPGothic is not installed (package fonts-ipafont-gothic)")
    mincho_path = find_font("IPAPMincho")
    gothic_font = TrueTypeFont(gothic_path)
    gothic = proportional_runs(gothic_font, GOTHIC_FIRST_WIDTHS)
    if mincho_path:
        mincho = proportional_runs(TrueTypeFont(mincho_path))
        mincho_source = f"mincho widths: {mincho_path}"
    else:
        mincho = gothic
        mincho_source = "mincho widths: the gothic widths (IPAPMincho not installed)"

    sources = [f"{CMAP_DIR}/90ms-RKSJ-H",
               f"{CMAP_DIR}/90msp-RKSJ-H",
               f"{GROFF_DEVPS}/{{{','.join(f for _e, f, _n in TYPE1_FACES)}}}",
               f"gothic widths: {gothic_path}",
               mincho_source]
    text = emit(cmaps, type1, [("kGothicRuns", "Gothic family", gothic),
                               ("kMinchoRuns", "Mincho family", mincho)], sources)
    with open(args.output, "w", encoding="utf-8") as f:
        f.write(text)
    counts = ", ".join(f"{name} {len(r)}" for _i, name, r in cmaps)
    print(f"wrote {args.output}: {counts} ranges; {time.monotonic() - began:.2f} s")


if __name__ == "__main__":
    main()
