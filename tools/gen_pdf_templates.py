#!/usr/bin/env python3
"""Writes the PDF template pages as data: src/pdf/templates/<page>.json.

Every PDF page the program writes is one of these pages filled in. This script holds the
design of the thirteen pages (positions and sizes in points within the page's layout
panel, which sits 14 points right of the paper's left edge); the program reads the JSON
files as compiled-in resources and builds its report components from them.

The files use one construct besides plain items: {"repeat": {"from": a, "to": b, "dy": d},
"items": [...]} stands for the items once for every n from a to b, with "{n}" in their
names replaced by n and their tops moved down by d × (n − a).

Run it after changing the design and commit what it writes:
    python3 tools/gen_pdf_templates.py
"""
import json
import os

OUT = os.path.join(os.path.dirname(__file__), "..", "src", "pdf", "templates")

NAVY = "navy"
BLACK = "black"

# ---------------------------------------------------------------------------------------
# Item makers


def label(name, left, top, width, height, size=10, bold=False, color=None, align=None, caption=None):
    item = {"kind": "Label", "name": name, "left": left, "top": top, "width": width, "height": height, "size": size}
    if bold:
        item["bold"] = True
    if color:
        item["color"] = color
    if align:
        item["align"] = align
    if caption:
        item["caption"] = caption
    return item


def text(name, left, top, width, height, size=10, leading=11, bold=False):
    item = {"kind": "Text", "name": name, "left": left, "top": top, "width": width, "height": height,
            "size": size, "leading": leading}
    if bold:
        item["bold"] = True
    return item


def rect(name, left, top, width, height, line=BLACK, fill=None, line_width=0, band=None, style=None):
    item = {"kind": "Rect", "name": name, "left": left, "top": top, "width": width, "height": height,
            "lineColor": line, "lineWidth": line_width}
    if fill:
        item["fillColor"] = fill
    if band:
        item["band"] = band
    if style:
        item["lineStyle"] = style
    return item


def image(name, left, top, width, height, shared=True, stretch=True):
    item = {"kind": "Image", "name": name, "left": left, "top": top, "width": width, "height": height}
    if not shared:
        item["shared"] = False
    if not stretch:
        item["stretch"] = False
    return item


def repeat(first, last, dy, items):
    return {"repeat": {"from": first, "to": last, "dy": dy}, "items": items}


def page(name, width, height, items):
    return {"name": name, "width": width, "height": height, "items": items}


# ---------------------------------------------------------------------------------------
# Estimate family

COLUMNS = ["FreeEdit", "Name", "Num", "Unit", "UnitPrice", "Cost", "TotalPrice", "Etc"]
RIGHT_ALIGNED = {"Num", "UnitPrice", "Cost", "TotalPrice"}
# Column boundaries with every optional column shown (the layout routine moves them).
BOUNDS = {"Tate": [28, 80, 191, 232, 266, 337, 408, 479, 539],
          "Yoko": [38, 90, 286, 340, 380, 463, 532, 655, 776]}
TABLE = {"Tate": (28, 511), "Yoko": (38, 738)}
CAPTION_LEFT = {"Tate": 191, "Yoko": 177}
BAND_HEIGHT, PITCH = 17, 16

# Per page: header band top, rows, remarks box top (None: no box), page-number top.
GEOMETRY = {
    ("Tate", "FirstPage"): (311, 26, 695, 749),
    ("Tate", "MiddlePage"): (85, 41, None, 763),
    ("Tate", "FinalPage"): (85, 38, 709, 776),
    ("Yoko", "FirstPage"): (255, 16, 479, 533),
    ("Yoko", "MiddlePage"): (28, 31, None, 546),
    ("Yoko", "FinalPage"): (28, 28, 492, 559),
}


def table(orient, part, header, rows, remarks, page_no):
    p = f"{orient}Mitsu{part}"
    left, width = TABLE[orient]
    b = BOUNDS[orient]
    items = [rect(f"PRRect{p}LineHeader", left, header, width, BAND_HEIGHT, band="odd")]
    items.append(repeat(1, rows, PITCH, [
        rect(f"PRRect{p}Line{{n}}", left, header + PITCH, width, BAND_HEIGHT, band="row")]))
    # Separators at the left edges of the columns after the first; heights are set by
    # the layout for the page kind.
    for k in range(1, 8):
        items.append(rect(f"PRRect{p}VerLine{k}", b[k], header, 1, PITCH * (rows + 1), line=NAVY, line_width=1))
    for i, col in enumerate(COLUMNS):
        items.append(label(f"PRLabel{p}ChartFindingItem{col}", b[i], header + 4, b[i + 1] - b[i], 10,
                           align="center"))
    cells = []
    for i, col in enumerate(COLUMNS):
        cells.append(label(f"PRLabel{p}Item{col}{{n}}", b[i], 0, b[i + 1] - b[i], 10,
                           align="right" if col in RIGHT_ALIGNED else None))
    # Row 1 sits 3 points below its band's top, the others 4.
    first = [dict(c, name=c["name"].replace("{n}", "1"), top=header + PITCH + 3) for c in cells]
    items += first
    items.append(repeat(2, rows, PITCH, [dict(c, top=header + 2 * PITCH + 4) for c in cells]))

    def caption_row(n):
        return header + PITCH * n + 4

    captions = []
    if part in ("FirstPage", "MiddlePage"):
        captions.append(("FindingPageTotal", rows, "(ページ計)"))
    if part == "FirstPage":
        captions += [("FindingSubTotal", rows - 5, "小計"), ("FindingTax", rows - 4, None),
                     ("FindingTotal", rows - 3, "合計")]
    if part == "FinalPage":
        captions += [("FindingSubTotal", rows - 2, "小計"), ("FindingTax", rows - 1, None),
                     ("FindingTotal", rows, "合計")]
    for role, row, caption in captions:
        items.append(label(f"PRLabel{p}{role}", CAPTION_LEFT[orient], caption_row(row), 180, 10, caption=caption))
    if remarks is not None:
        items.append(rect(f"PRRect{p}EtcArea", left, remarks, width, 62, fill="white", line_width=1))
        items.append(text(f"PRText{p}Etc", left + 3, remarks + 3, width - 6, 56, leading=14))
    items.append(label(f"PRLabel{p}PageNo", left, page_no, width, 12, size=10, align="center"))
    return items


def first_page_head(orient):
    p = f"{orient}MitsuFirstPage"
    if orient == "Tate":
        pos = dict(title=(211, 43), underline=(208, 66), code=(59, 57), slip=(468, 57), date=(439, 75),
                   stamp=(10, 55), address=(60, 86, 249, 41), logo=(10, 95), my_address=(311, 105),
                   names=[127, 141, 156], name_width=250, name_lines=[139, 153, 168], my_names=(312, [139, 151, 162]),
                   contact1=(312, 176), contact2=(60, 176, 249), stamp_area=(425, 210), msg=(60, 213, 357),
                   condition=(60, 227, 357), grand=(139, 282), grand_line=(144, 301))
    else:
        pos = dict(title=(334, 19), underline=(331, 42), code=(59, 33), slip=(680, 33), date=(651, 47),
                   stamp=(10, 15), address=(60, 50, 450, 37), logo=(10, 55), my_address=(580, 64),
                   names=[89, 103, 118], name_width=450, name_lines=[101, 115, 130], my_names=(581, [96, 108, 119]),
                   contact1=(581, 133), contact2=(60, 133, 449), stamp_area=(679, 168), msg=(60, 162, 245),
                   condition=(312, 162, 516), grand=(260, 225), grand_line=(265, 244))
    items = [
        label(f"PRLabel{p}Title", *pos["title"], 214, 26, size=24, bold=True, color=NAVY),
        rect(f"PRRect{p}TitleUnderLine", *pos["underline"], 129, 2, line=NAVY, fill=NAVY),
        label(f"PRLabel{p}CustomerCode", *pos["code"], 200, 10),
        label(f"PRLabel{p}SlipCode", *pos["slip"], 220, 10),
        label(f"PRLabel{p}SlipDate", *pos["date"], 126, 10),
        image(f"PRImage{p}CampanyStamp", *pos["stamp"], 34, 34),
        text(f"PRText{p}CustomerAddress", *pos["address"], size=12, leading=14),
        image(f"PRImage{p}CampanyLogo", *pos["logo"], 179, 65),
        text(f"PRText{p}MyAddress", *pos["my_address"], 270, 32),
    ]
    for k in range(3):
        items.append(label(f"PRLabel{p}CustomerName{k + 1}", pos["address"][0], pos["names"][k], pos["name_width"], 11,
                           size=12, bold=True))
        items.append(rect(f"PRRect{p}CustomerNameUnderLine{k + 1}", pos["address"][0], pos["name_lines"][k], 167, 1,
                          line_width=1))
    for k in range(3):
        items.append(label(f"PRLabel{p}MyName{k + 1}", pos["my_names"][0], pos["my_names"][1][k], 270, 11, size=12))
    items += [
        text(f"PRText{p}MyTelFaxChargeName1", *pos["contact1"], 270, 24),
        text(f"PRText{p}MyTelFaxChargeName2", *pos["contact2"], 24),
    ]
    sx, sy = pos["stamp_area"]
    items += [
        rect(f"PRRect{p}StampArea", sx, sy, 87, 55, line_width=1),
        rect(f"PRRect{p}StampLine", sx, sy + 11, 86, 1, line_width=1),
        rect(f"PRRect{p}StampVerLine", sx + 43, sy + 1, 1, 54, line_width=1),
        label(f"PRLabel{p}CheckStamp", sx + 2, sy + 1, 39, 9, size=9, align="center"),
        image(f"PRImage{p}CheckStamp", sx + 2, sy + 13, 40, 40),
        label(f"PRLabel{p}PersonalStamp", sx + 45, sy + 1, 39, 11, size=9, align="center"),
        image(f"PRImage{p}PersonalStamp", sx + 45, sy + 13, 40, 40),
        label(f"PRLabel{p}Msg", *pos["msg"], 13),
        text(f"PRText{p}Condition", *pos["condition"], 47),
    ]
    if orient == "Yoko":
        items.append(text("PRTextYokoMitsuFirstBankAccount", 312, 162, 360, 47))
    items += [
        label(f"PRLabel{p}GrandTotal", *pos["grand"], 289, 20, size=18, bold=True),
        rect(f"PRRect{p}GrandTotalUnderLine", *pos["grand_line"], 280, 1, line_width=1),
    ]
    return items


def estimate_pages():
    pages = []
    for orient, (w, h) in (("Tate", (595, 842)), ("Yoko", (842, 595))):
        for part in ("FirstPage", "MiddlePage", "FinalPage"):
            items = table(orient, part, *GEOMETRY[(orient, part)])
            if part == "FirstPage":
                items = first_page_head(orient) + items
            pages.append(page(f"PRPage{orient}Mitsu{part}", w, h, items))
        p = f"{orient}MitsuPicPage"
        if orient == "Tate":
            boxes = [(24, 43), (24, 451)]
            size = (521, 369)
        else:
            boxes = [(24, 42), (424, 42)]
            size = (369, 521)
        items = []
        for k, (x, y) in enumerate(boxes, start=1):
            items.append(label(f"PRLabel{p}Caption{k}", x, y - 15, size[0], 12))
            items.append(image(f"PRImage{p}Pic{k}", x, y, *size, shared=False, stretch=False))
        pages.append(page(f"PRPage{orient}MitsuPicPage", w, h, items))
    return pages


# ---------------------------------------------------------------------------------------
# The single sheets and the lists

def sender(prefix, suffix, left, top, width, name_size, contact_height):
    return [
        text(f"PRText{prefix}MyAddress{suffix}", left, top, width, 34),
        label(f"PRLabel{prefix}MyName1{suffix}", left, top + 34, width, 11, size=name_size),
        label(f"PRLabel{prefix}MyName2{suffix}", left, top + 46, width, 11, size=name_size),
        label(f"PRLabel{prefix}MyName3{suffix}", left, top + 57, width, 11, size=name_size),
        text(f"PRText{prefix}MyTelFaxChargeName{suffix}", left, top + 69, width, contact_height),
    ]


def addressee(prefix, suffix, left, top):
    items = [text(f"PRText{prefix}CustomerAddress{suffix}", left, top, 249, 41, size=12, leading=14)]
    for k in range(3):
        items.append(label(f"PRLabel{prefix}CustomerName{k + 1}{suffix}", left, top + 42 + 14 * k, 250, 11, size=12,
                           bold=True))
        items.append(rect(f"PRRect{prefix}CustomerNameUnderLine{k + 1}{suffix}", left, top + 54 + 14 * k, 167, 1,
                          line_width=1))
    return items


def title(prefix, suffix, top, size=24):
    return [
        label(f"PRLabel{prefix}Title{suffix}", 211, top, 214, size + 2, size=size, bold=True, color=NAVY),
        rect(f"PRRect{prefix}TitleUnderLine{suffix}", 208, top + size - 1, 129, 2, line=NAVY, fill=NAVY),
    ]


def total_claim_copy(suffix, t):
    p = "TotalClaim"
    items = title(p, suffix, t + 43)
    items += [
        label(f"PRLabel{p}CustomerCode{suffix}", 43, t + 57, 200, 10),
        label(f"PRLabel{p}SlipCode{suffix}", 468, t + 57, 100, 10),
        label(f"PRLabel{p}SlipDate{suffix}", 340, t + 71, 200, 10, align="right"),
    ]
    items += addressee(p, suffix, 60, t + 85)
    items += sender(p, suffix, 326, t + 85, 230, 10, 60)
    items.append(label(f"PRLabel{p}Msg{suffix}", 60, t + 227, 400, 13))
    items += [
        rect(f"PRRect{p}Header{suffix}", 21, t + 240, 524, 25, band="odd"),
        rect(f"PRRect{p}Content{suffix}", 21, t + 264, 524, 29, band="even"),
    ]
    for k in range(1, 6):
        items.append(rect(f"PRRect{p}VerLine{k}{suffix}", 21 + 85 * k, t + 240, 1, 53, line=NAVY, line_width=1))
    headings = ["前回請求額", "御入金額", "繰越金額", "御買上金額", "消費税額", "今回請求額"]
    amounts = ["PreClaim", "PrePaid", "CarryOver", "Purchase", "Tax", "Claim"]
    for k, (heading, amount) in enumerate(zip(headings, amounts)):
        left, width = 21 + 85 * k, 99 if k == 5 else 85
        items.append(label(f"PRLabel{p}Finding{amount}{suffix}", left, t + 248, width, 10, align="center",
                           caption=heading))
        items.append(label(f"PRLabel{p}{amount}{suffix}", left, t + 277, width - 6, 10, align="right"))
    items += [
        label(f"PRLabel{p}Etc{suffix}", 21, t + 298, 524, 10),
        rect(f"PRRect{p}EtcUnderLine{suffix}", 21, t + 311, 524, 1, line_width=1),
        image(f"PRImage{p}CampanyLogo{suffix}", 326, t + 85, 179, 65),
        image(f"PRImage{p}CampanyStamp{suffix}", 10, t + 55, 34, 34),
        rect(f"PRRect{p}PageSplitter{suffix}", 28, t + 326, 510, 1, line_width=1, style="dash"),
    ]
    return items


def receipt_copy(suffix, t):
    p = "Receipt"
    items = title(p, suffix, t + 43)
    items += [
        label(f"PRLabel{p}CustomerCode{suffix}", 43, t + 57, 200, 10),
        label(f"PRLabel{p}SlipCode{suffix}", 468, t + 57, 100, 10),
        label(f"PRLabel{p}CustomerName{suffix}", 6, t + 85, 554, 26, size=24, bold=True),
        rect(f"PRRect{p}CustomerNameUnderLine{suffix}", 6, t + 111, 554, 1, line_width=1),
        rect(f"PRRect{p}BackColor{suffix}", 152, t + 117, 276, 30, line="none", band="odd"),
        label(f"PRLabel{p}GrandTotal{suffix}", 160, t + 119, 260, 26, size=24, bold=True),
        rect(f"PRRect{p}GrandTotalUnderLine{suffix}", 160, t + 147, 260, 1, line_width=1),
        label(f"PRLabel{p}Reason{suffix}", 0, t + 156, 567, 10, align="center"),
        label(f"PRLabel{p}Msg{suffix}", 0, t + 170, 567, 10, align="center"),
        label(f"PRLabel{p}FindingContent{suffix}", 72, t + 198, 60, 10, caption="内訳"),
        label(f"PRLabel{p}FindingPrice{suffix}", 150, t + 198, 63, 10, align="right", caption="金額 "),
        rect(f"PRRect{p}ContentUnderLine0{suffix}", 72, t + 210, 141, 1, line_width=1),
    ]
    for k in range(1, 5):
        top = t + 198 + 14 * k
        items += [
            label(f"PRLabel{p}ContentLine{k}{suffix}", 72, top, 70, 10),
            label(f"PRLabel{p}PriceLine{k}{suffix}", 110, top, 103, 10, align="right"),
            rect(f"PRRect{p}ContentUnderLine{k}{suffix}", 72, top + 12, 141, 1, line_width=1),
        ]
    items += sender(p, suffix, 227, t + 198, 200, 12, 24)
    items += [
        rect(f"PRRect{p}StampArea{suffix}", 440, t + 142, 43, 57, line_width=1),
        rect(f"PRRect{p}StampLine{suffix}", 440, t + 156, 42, 1, line_width=1),
        label(f"PRLabel{p}PersonalStamp{suffix}", 441, t + 144, 41, 11, size=9, align="center", caption="担当者印"),
        image(f"PRImage{p}PersonalStamp{suffix}", 441, t + 158, 40, 40),
        rect(f"PRRect{p}RevenueStamp{suffix}", 440, t + 204, 51, 60, line_width=1),
        label(f"PRLabel{p}RevenueStamp{suffix}", 441, t + 209, 49, 9, size=9, align="center", caption="収入印紙"),
        image(f"PRImage{p}CampanyLogo{suffix}", 227, t + 198, 179, 65),
        image(f"PRImage{p}CampanyStamp{suffix}", 10, t + 55, 34, 34),
        rect(f"PRRect{p}PageSplitter{suffix}", 28, t + 312, 510, 1, line_width=1, style="dash"),
    ]
    return items


def fax_page():
    p = "FaxSender"
    items = [label(f"PRLabel{p}CustomerCode", 57, 57, 200, 10)]
    items += addressee(p, "", 57, 85)
    items += title(p, "", 198)
    items += sender(p, "", 326, 241, 240, 12, 24)
    for k, top in enumerate([354, 377, 400, 422, 737], start=1):
        items.append(rect(f"PRRect{p}Line{k}", 71, top, 425, 2, fill=BLACK, line_width=1))
    items += [
        label(f"PRLabel{p}Msg", 71, 362, 425, 10),
        label(f"PRLabel{p}Date", 71, 384, 425, 10),
    ]
    options = [("Sikyu", "至急", 85), ("Sankou", "ご参考まで", 184), ("Kakunin", "ご確認ください", 284),
               ("Henshin", "ご返信ください", 383)]
    for role, caption, left in options:
        items += [
            rect(f"PRRect{p}Option{role}", left, 404, 15, 15, line_width=2),
            label(f"PRLabel{p}Option{role}", left + 17, 407, 80, 10, caption=caption),
        ]
    for role, caption, left in options:
        items.append(label(f"PRLabelCheckMark{role}", left - 5, 397, 25, 25, size=25, align="center", caption="Ｖ"))
    items += [
        label(f"PRLabel{p}FindingContent", 71, 437, 200, 10, caption="連絡事項："),
        text(f"PRText{p}Content", 99, 454, 394, 280, leading=14),
        image(f"PRImage{p}CampanyLogo", 346, 15, 179, 65),
        image(f"PRImage{p}CampanyStamp", 530, 15, 34, 34),
    ]
    return page(f"PRPage{p}", 595, 842, items)


def list_head(p):
    return title(p, "", 43, size=18) + [label(f"PRLabel{p}Date", 400, 61, 124, 8, size=8, align="right")]


def customer_list_page():
    p = "CustomerList"
    cells = [  # row, role, left, width, heading
        (0, "Code", 14, 57, "お客様コード"), (0, "Office1_", 71, 153, "会社名１"), (0, "Office2_", 224, 153, "会社名２"),
        (0, "Office3_", 377, 147, "会社名３"),
        (1, "Zip", 14, 57, "郵便番号"), (1, "Address1_", 71, 306, "住所１"), (1, "Tel", 377, 147, "TEL"),
        (2, "Address2_", 14, 363, "住所２"), (2, "Fax", 377, 147, "FAX"),
    ]
    separators = [(0, 71), (0, 224), (0, 377), (1, 71), (1, 377), (2, 377)]
    items = list_head(p)
    for r in range(3):
        items.append(rect(f"PRRect{p}Header{r + 1}", 14, 70 + 15 * r, 510, 16, band="odd" if r == 0 else "even"))
    for r, x in separators:
        items.append(rect(f"PRRect{p}HeaderVerLine{r + 1}_{x}", x, 70 + 15 * r, 1, 16, line=NAVY, line_width=1))
    for r, role, left, width, heading in cells:
        items.append(label(f"PRLabel{p}Finding{role}", left, 74 + 15 * r, width, 8, size=8, align="center",
                           caption=heading))
    block = []
    for r in range(3):
        block.append(rect(f"PRRect{p}Line{{n}}_{r + 1}", 14, 115 + 15 * r, 510, 16, band="odd" if r == 0 else "even"))
    for r, x in separators:
        block.append(rect(f"PRRect{p}VerLine{{n}}_{r + 1}_{x}", x, 115 + 15 * r, 1, 16, line=NAVY, line_width=1))
    for r, role, left, width, heading in cells:
        block.append(label(f"PRLabel{p}{role}{{n}}", left + 1, 119 + 15 * r, width - 2, 8, size=8))
    items.append(repeat(1, 15, 45, block))
    items += [
        rect(f"PRRect{p}Frame", 14, 70, 511, 722, line=NAVY, line_width=1),
        label(f"PRLabel{p}PageNo", 14, 805, 510, 12, align="center"),
    ]
    return page(f"PRPage{p}", 595, 842, items)


def item_list_page():
    p = "ItemList"
    columns = [("ItemName", "品名", 14, 335, None), ("ItemUnit", "単位", 349, 34, None),
               ("ItemUnitPrice", "単価", 383, 71, "right"), ("ItemUnitCost", "原価", 454, 71, "right")]
    items = list_head(p)
    items.append(rect(f"PRRect{p}Header", 14, 70, 511, 16, band="odd"))
    items.append(repeat(1, 47, 15, [rect(f"PRRect{p}Line{{n}}", 14, 85, 511, 16, band="row")]))
    for role, heading, left, width, align in columns:
        items.append(label(f"PRLabel{p}Finding{role}", left, 73, width, 10, align="center", caption=heading))
    items.append(repeat(1, 47, 15, [label(f"PRLabel{p}{role}{{n}}", left + 1, 88, width - 3, 10, align=align)
                                    for role, heading, left, width, align in columns]))
    for k, (role, heading, left, width, align) in enumerate(columns[1:], start=1):
        items.append(rect(f"PRRect{p}VerLine{k}", left, 70, 1, 721, line=NAVY, line_width=1))
    items += [
        rect(f"PRRect{p}Frame", 14, 70, 511, 722, line=NAVY, line_width=1),
        label(f"PRLabel{p}PageNo", 14, 805, 510, 12, align="center"),
    ]
    return page(f"PRPage{p}", 595, 842, items)


def other_pages():
    return [
        page("PRPageTotalClaim", 595, 842, total_claim_copy("_1", 0) + total_claim_copy("_2", 326)),
        page("PRPageReceipt", 595, 842, receipt_copy("_1", 0) + receipt_copy("_2", 312)),
        fax_page(),
        customer_list_page(),
        item_list_page(),
    ]


def main():
    os.makedirs(OUT, exist_ok=True)
    pages = estimate_pages() + other_pages()
    names = []
    for p in pages:
        path = os.path.join(OUT, p["name"] + ".json")
        with open(path, "w", encoding="utf-8", newline="\n") as f:
            json.dump(p, f, ensure_ascii=False, indent=1)
            f.write("\n")
        names.append(p["name"] + ".json")
    with open(os.path.join(OUT, "templates.qrc"), "w", encoding="utf-8", newline="\n") as f:
        f.write('<!DOCTYPE RCC>\n<RCC version="1.0">\n<qresource prefix="/pdf">\n')
        for n in names:
            f.write(f"  <file>{n}</file>\n")
        f.write("</qresource>\n</RCC>\n")


if __name__ == "__main__":
    main()
