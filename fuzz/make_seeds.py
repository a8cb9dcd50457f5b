#!/usr/bin/env python3
"""Writes the seed corpus of the estimate-file fuzz target.

The files are built field by field from the file layout, independently of the
program's own writer, so that the reader is checked against the format itself.

Names carry what the reader must make of a seed: *.ok.qm1 loads, *.bad.qm1 is
refused with an error. Run from anywhere; writes corpus/estimate_file and
regressions/estimate_file beside this script (or under the folder given as the
only argument).
"""
import os
import struct
import sys
import zlib

TAG_V5 = "KESTRELDOC5_100"
TAG_V4 = "KESTRELDOC4_100"
TAG_V3 = "KESTRELDOC3_100"
TAG_V2 = "KESTRELDOC2_100"

PIC_BMP, PIC_PNG, PIC_JPEG = 1, 2, 3


# --- primitive fields -------------------------------------------------------

def i32(v):
    return struct.pack("<i", v)


def s(text):
    """String: Int32 length then the CP932 bytes (bytes are taken as they are)."""
    raw = text if isinstance(text, bytes) else text.encode("cp932")
    return i32(len(raw)) + raw


def b(value):
    """Boolean; a str is written as it is (old spellings, damage)."""
    if isinstance(value, str):
        return s(value)
    return s("-1" if value else "0")


def pic(kind=None, data=b""):
    if kind is None or not data:
        return i32(0)
    return i32(len(data)) + i32(kind) + data


# --- tiny pictures ----------------------------------------------------------

def png_2x2():
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    rows = b"\x00" + bytes([255, 0, 0, 0, 255, 0]) + b"\x00" + bytes([0, 0, 255, 255, 255, 255])
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 2, 2, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def bmp_2x2():
    # 24 bits, bottom-up rows padded to 4 bytes.
    rows = bytes([0, 0, 255, 0, 255, 0, 0, 0]) + bytes([255, 0, 0, 255, 255, 255, 0, 0])
    header = b"BM" + struct.pack("<IHHI", 14 + 40 + len(rows), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, 2, 2, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    return header + info + rows


def jpeg_8x8_grey():
    # Baseline, one component, one block of mid grey: every coefficient is zero, so a
    # one-symbol DC table and a one-symbol AC table (end of block) are enough.
    def seg(marker, body):
        return bytes([0xFF, marker]) + struct.pack(">H", len(body) + 2) + body
    app0 = seg(0xE0, b"JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00")
    dqt = seg(0xDB, b"\x00" + bytes([1] * 64))
    sof = seg(0xC0, b"\x08" + struct.pack(">HH", 8, 8) + b"\x01" + b"\x01\x11\x00")
    one_code = bytes([1] + [0] * 15) + b"\x00"
    dht = seg(0xC4, b"\x00" + one_code + b"\x10" + one_code)
    sos = seg(0xDA, b"\x01\x01\x00\x00\x3f\x00")
    # DC "0" (difference 0), AC "0" (end of block), padded with ones.
    return b"\xff\xd8" + app0 + dqt + sof + dht + sos + b"\x3f" + b"\xff\xd9"


# --- documents --------------------------------------------------------------

def header(tag, mode, names23=True, fields=None):
    """Fields 1 to 21. `mode` is the raw field 3 (a Boolean, or version 2's String)."""
    f = {
        "saved": "2026/12/09 10:30", "comment": "外壁改修の見積", "name1": "株式会社ヴェローラ建設",
        "name2": "工務部", "name3": "山田 太郎", "taxin": False, "subtotal": "35500", "tax": "3550",
        "code": "C0012", "slip": "2026-0042", "yy": "2026", "mm": "12", "dd": "09",
        "zip": "150-0001", "addr1": "東京都渋谷区神宮前１－２－３", "addr2": "クイルビル５階",
        "tel": "03-1234-5678", "fax": "03-1234-5679", "title": "様",
    }
    f.update(fields or {})
    out = s(tag) + s(f["saved"]) + mode + s(f["comment"]) + s(f["name1"])
    if names23:
        out += s(f["name2"]) + s(f["name3"])
    out += b(f["taxin"])
    out += s(f["subtotal"]) + s(f["tax"])
    for key in ("code", "slip", "yy", "mm", "dd", "zip", "addr1", "addr2", "tel", "fax", "title"):
        out += s(f[key])
    return out


def normal_tail(fields=None):
    """Fields 22 to 34 of a normal document."""
    f = {
        "kouji": "外壁塗装工事", "kouji_p": True, "place": "現場渡し", "place_p": False,
        "pay": "月末締め翌月末払い", "pay_p": True, "limit": "2027/01/31", "limit_p": True,
        "etc": "足場は別途協議", "memo": "社内メモ：担当 佐藤", "per_line": False,
        "tax_round": "0", "sub_round": "2",
    }
    f.update(fields or {})
    return (s(f["kouji"]) + b(f["kouji_p"]) + s(f["place"]) + b(f["place_p"]) + s(f["pay"])
            + b(f["pay_p"]) + s(f["limit"]) + b(f["limit_p"]) + s(f["etc"]) + s(f["memo"])
            + b(f["per_line"]) + s(f["tax_round"]) + s(f["sub_round"]))


def total_claim_tail():
    return s("前回請求分を含む") + s("締め日 20日")


def normal_line(version, name="", qty="0", unit="", price="0", cost="0", amount="0", note="",
                picture=None, taxless=False, subtotal=False, cls="0", free=""):
    out = (s(cls) + s(free) + s(name) + s(qty) + s(unit) + s(price) + s(cost) + s(amount) + s(note)
           + (picture if picture is not None else pic()))
    out += s("1" if taxless else "0") if version == 2 else b(taxless)
    if version >= 4:
        out += b(subtotal)
    return out


def claim_line(version, name="", amount="0", note="", taxless=False, subtotal=False):
    out = s(name) + s(amount)
    if version == 2:
        return out + s("")  # the old unused field
    out += s(note) + b(taxless)
    if version >= 4:
        out += b(subtotal)
    return out


def v5_lines(version=5, picture=None):
    return [
        normal_line(version, "足場架設", "120.5", "㎡", "800", "600", "96400", "くさび緊結式",
                    picture=picture if picture is not None else pic(PIC_PNG, png_2x2()), cls="1"),
        normal_line(version, "高圧洗浄", "120.5", "㎡", "250", "150", "30125", cls="1"),
        normal_line(version, "■ 小計 ■", amount="126525", subtotal=True, cls="1", free="仮設"),
        normal_line(version, "シーリング打替え", "85", "ｍ", "1200", "900", "102000", "変成シリコン"),
        normal_line(version, "端数調整", "-0.25", "式", "2000", "0", "-500"),
        normal_line(version, "収入印紙", "1", "枚", "200", "200", "200", taxless=True),
        normal_line(version, "■ 小計 ■", amount="101700", subtotal=True),
    ]


def document(head, tail, lines, count=None):
    n = len(lines) if count is None else count
    return head + tail + i32(n) + b"".join(lines)


def v5_normal(**kw):
    lines = kw.pop("lines", None)
    if lines is None:
        lines = v5_lines()
    return document(header(TAG_V5, b(False), fields=kw.pop("fields", None)), normal_tail(kw.pop("tail", None)),
                    lines, kw.pop("count", None))


def v5_total_claim():
    lines = [
        claim_line(5, "１０月分 外壁塗装工事", "1250000", "完了分"),
        claim_line(5, "１１月分 屋根改修工事", "830000.5"),
        claim_line(5, "■ 小計 ■", "2080000.5", subtotal=True),
        claim_line(5, "立替金（印紙代）", "400", "非課税", taxless=True),
    ]
    return document(header(TAG_V5, b(True)), total_claim_tail(), lines)


def v4_normal():
    lines = v5_lines(4, picture=pic(PIC_BMP, bmp_2x2()))
    return document(header(TAG_V4, b(False)), normal_tail({"per_line": True, "tax_round": "1"}), lines)


def v4_total_claim():
    lines = [claim_line(4, "工事代金", "500000"), claim_line(4, "■ 小計 ■", "500000", subtotal=True)]
    return document(header(TAG_V4, b(True)), total_claim_tail(), lines)


def v3_normal():
    lines = [
        normal_line(3, "解体工事", "1", "式", "350000", "280000", "350000", picture=pic(PIC_JPEG, jpeg_8x8_grey())),
        normal_line(3, "産業廃棄物処分", "4.5", "ｔ", "28000", "21000", "126000"),
        normal_line(3, "運搬費", "3", "台", "15000", "12000", "45000"),
        normal_line(3),
        normal_line(3, "法定費用", "1", "式", "3000", "3000", "3000", taxless=True),
        normal_line(3, "諸経費", "1", "式", "25000", "0", "25000", "一式"),
        normal_line(3, "値引き", "1", "式", "-9000", "0", "-9000"),
    ]
    return document(header(TAG_V3, b(False), names23=False), normal_tail(), lines)


def v3_total_claim():
    lines = [claim_line(3, "９月分", "98000", "", False), claim_line(3, "立替分", "1200", "", True)]
    return document(header(TAG_V3, b(True), names23=False), total_claim_tail(), lines)


def v2_normal():
    lines = [
        normal_line(2, "内装工事", "1", "式", "480000", "400000", "480000", cls="2"),
        normal_line(2, "クロス張替え", "62.5", "㎡", "1100", "800", "68750"),
        normal_line(2, "印紙代", "1", "枚", "200", "200", "200", taxless=True),
    ]
    lines += [normal_line(2)] * (100 - len(lines))
    head = header(TAG_V2, s("1"), names23=False)
    return head + normal_tail() + b"".join(lines)  # version 2 has no line count


def v2_total_claim():
    lines = [claim_line(2, "８月分", "215000"), claim_line(2, "９月分", "187500")]
    lines += [claim_line(2)] * (100 - len(lines))
    return header(TAG_V2, s("2"), names23=False) + total_claim_tail() + b"".join(lines)


def legacy_spellings():
    # Booleans as words and numbers, numbers with blanks and exponents, a negative
    # string length (empty), a picture of a kind that no longer exists (dropped).
    head = header(TAG_V5, s("False"), fields={"taxin": "True", "subtotal": " 1.5E3 ", "tax": "+150"})
    tail = normal_tail({"tax_round": "7"})
    lines = [
        normal_line(5, "旧形式", " 2 ", "本", "1500.00", "0", "3000", picture=pic(9, b"\x00" * 16), cls="+4"),
        s("0") + i32(-5) + s("負の長さ") + s("1") + s("") + s("1") + s("0") + s("1") + s("")
        + i32(-1) + s("1") + s("false"),
    ]
    return document(head, tail, lines)


def mismatched_pictures():
    lines = [
        normal_line(5, "PNG を JPEG として", "1", "式", "1", "0", "1", picture=pic(PIC_JPEG, png_2x2())),
        normal_line(5, "壊れた PNG", "1", "式", "1", "0", "1", picture=pic(PIC_PNG, png_2x2()[:40] + b"\xff" * 40)),
        normal_line(5, "壊れた BMP", "1", "式", "1", "0", "1",
                    picture=pic(PIC_BMP, bmp_2x2()[:18] + struct.pack("<ii", 0x7fffffff, -0x7fffffff) + bmp_2x2()[26:])),
        normal_line(5, "画像でない", "1", "式", "1", "0", "1", picture=pic(PIC_JPEG, b"\xff\xd8\xff\xc0\x00")),
    ]
    return v5_normal(lines=lines)


def undecodable_text():
    # Bytes that are not CP932: a lone lead byte at the end and unassigned codes.
    return v5_normal(fields={"comment": b"\x82", "name1": b"abc\xa0\xfd\xfe\xff", "addr1": b"\x81\x7f\x85\x40"})


def unknown_tag():
    # An unknown tag is read by the version 3 rules.
    return document(header("KESTRELDOC9_100", b(False), names23=False), normal_tail(), [
        normal_line(3, "謎の版", "1", "式", "100", "0", "100"),
    ])


def empty_document():
    return v5_normal(lines=[], count=0)


def damaged():
    good = v5_normal()
    first_line = len(header(TAG_V5, b(False))) + len(normal_tail()) + 4
    name_at = first_line + len(s("1")) + len(s(""))
    picture = pic(PIC_PNG, png_2x2())
    picture_at = good.index(picture)
    count_at = first_line - 4
    return {
        "tag_length_max.bad": i32(0x7FFFFFFF) + good[4 + len(TAG_V5):],
        "name_length_max.bad": good[:name_at] + i32(0x7FFFFFFF) + good[name_at + 4:],
        "line_count_negative.bad": good[:count_at] + i32(-1) + good[count_at + 4:],
        "line_count_max.bad": good[:count_at] + i32(0x7FFFFFFF) + good[count_at + 4:],
        "line_count_too_high.bad": good[:count_at] + i32(8) + good[count_at + 4:],
        "picture_size_max.bad": good[:picture_at] + i32(0x7FFFFFFF) + i32(PIC_PNG) + good[picture_at + 8:],
        "picture_size_past_end.bad": good[:picture_at] + i32(len(good)) + good[picture_at + 4:],
        "cut_in_picture.bad": good[:picture_at + 8 + 20],
        "cut_in_header.bad": good[:37],
        "bad_amount.bad": v5_normal(lines=[normal_line(5, "金額", "1", "式", "1,500", "0", "1500")]),
        "bad_boolean.bad": v5_normal(tail={"kouji_p": "yes"}),
        "bad_class.bad": v5_normal(lines=[normal_line(5, "区分", cls="1.5")]),
        "bad_float.bad": v5_normal(fields={"tax": "1.2.3"}),
        "v2_short.bad": v2_normal()[: -len(normal_line(2)) * 3],
        "empty.bad": b"",
    }


def seeds():
    out = {
        "v5_normal.ok": v5_normal(),
        "v5_total_claim.ok": v5_total_claim(),
        "v5_empty.ok": empty_document(),
        "v4_normal.ok": v4_normal(),
        "v4_total_claim.ok": v4_total_claim(),
        "v3_normal.ok": v3_normal(),
        "v3_total_claim.ok": v3_total_claim(),
        "v2_normal.ok": v2_normal(),
        "v2_total_claim.ok": v2_total_claim(),
        "unknown_tag.ok": unknown_tag(),
        "legacy_spellings.ok": legacy_spellings(),
        "mismatched_pictures.ok": mismatched_pictures(),
        "undecodable_text.ok": undecodable_text(),
        # Float fields within half a yen of the amount limit are written with 15 digits,
        # which round past the limit; the saved file must still read.
        "float_limit_subtotal.ok": v5_normal(fields={"subtotal": "922337203685477.5807"}),
        "float_limit_tax.ok": v5_normal(fields={"tax": "-922337203685477.5"}),
    }
    out.update({"damaged_" + k: v for k, v in damaged().items()})
    return out


def regressions():
    """Inputs of faults not fixed yet; they move into seeds() with the fix."""
    return {}


def write(folder, files):
    if not files:
        return
    os.makedirs(folder, exist_ok=True)
    for name, data in sorted(files.items()):
        with open(os.path.join(folder, name + ".qm1"), "wb") as f:
            f.write(data)
    print(f"{len(files)} files written to {folder}")


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    write(os.path.join(root, "corpus", "estimate_file"), seeds())
    write(os.path.join(root, "regressions", "estimate_file"), regressions())


if __name__ == "__main__":
    main()
