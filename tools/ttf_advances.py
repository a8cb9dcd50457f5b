"""Advance widths of characters in a TrueType font, read with the standard library.

Only the tables needed for that are read: head (units per em), hhea (number of
long horizontal metrics), hmtx (advances) and cmap (a Unicode BMP subtable of
format 4).
"""

import struct


class TrueTypeFont:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        self.tables = self._read_directory()
        self.units_per_em = self._read_units_per_em()
        self.advances = self._read_advances()
        self.glyph_of = self._read_cmap()

    def _read_directory(self):
        count = struct.unpack_from(">H", self.data, 4)[0]
        tables = {}
        for i in range(count):
            tag, _checksum, offset, length = struct.unpack_from(">4sIII", self.data, 12 + 16 * i)
            tables[tag.decode("latin-1")] = (offset, length)
        return tables

    def _table(self, tag):
        if tag not in self.tables:
            raise ValueError(f"font has no {tag} table")
        return self.tables[tag][0]

    def _read_units_per_em(self):
        return struct.unpack_from(">H", self.data, self._table("head") + 18)[0]

    def _read_advances(self):
        long_metrics = struct.unpack_from(">H", self.data, self._table("hhea") + 34)[0]
        num_glyphs = struct.unpack_from(">H", self.data, self._table("maxp") + 4)[0]
        base = self._table("hmtx")
        advances = [struct.unpack_from(">H", self.data, base + 4 * i)[0] for i in range(long_metrics)]
        # Glyphs past the long metrics repeat the last advance.
        advances += [advances[-1]] * (num_glyphs - long_metrics)
        return advances

    def _read_cmap(self):
        base = self._table("cmap")
        count = struct.unpack_from(">H", self.data, base + 2)[0]
        for i in range(count):
            platform, encoding, offset = struct.unpack_from(">HHI", self.data, base + 4 + 8 * i)
            if (platform, encoding) in ((3, 1), (0, 3)):
                sub = base + offset
                if struct.unpack_from(">H", self.data, sub)[0] == 4:
                    return self._read_format4(sub)
        raise ValueError("font has no Unicode BMP cmap of format 4")

    def _read_format4(self, sub):
        seg_count = struct.unpack_from(">H", self.data, sub + 6)[0] // 2
        ends_at = sub + 14
        starts_at = ends_at + 2 * seg_count + 2
        deltas_at = starts_at + 2 * seg_count
        range_offsets_at = deltas_at + 2 * seg_count

        def field(at, i):
            return struct.unpack_from(">H", self.data, at + 2 * i)[0]

        def glyph_of(code):
            for i in range(seg_count):
                end = field(ends_at, i)
                if code > end:
                    continue
                start = field(starts_at, i)
                if code < start:
                    return 0
                delta = field(deltas_at, i)
                range_offset = field(range_offsets_at, i)
                if range_offset == 0:
                    return (code + delta) & 0xFFFF
                glyph = field(range_offsets_at + range_offset + 2 * (code - start), i)
                return (glyph + delta) & 0xFFFF if glyph else 0
            return 0

        return glyph_of

    def advance(self, char):
        """Advance of `char` in font units, or None when the font lacks it."""
        glyph = self.glyph_of(ord(char))
        return self.advances[glyph] if glyph else None

    def advance_per_mille(self, char):
        units = self.advance(char)
        return None if units is None else round(units * 1000 / self.units_per_em)
