#!/usr/bin/env python3
"""Reads an archive on its own and checks it against the spreadsheet it was
imported from, cell for cell after the sheet's rules, and the photos that
came with it byte for byte.

    check_import.py FILE.csv ARCHIVE.art CATALOG PHOTOS_FROM PHOTOS_TO [FIRST]

FILE.csv: Windows-1252 or UTF-8, ";" between cells, headings in the first
row. FIRST is the number of the first imported record (1 by default).
Prints each difference and exits 1 when there is one.
"""
import csv
import io
import os
import re
import sys
from decimal import Decimal, ROUND_HALF_UP

RECORD = 2925
# Field: (offset of its length byte, most bytes).
SLOTS = {
    "Capo": (0, 50), "Descrizione": (51, 120), "Colore": (172, 50), "Tessuto": (223, 50),
    "Misure": (274, 50), "Peso": (325, 50), "Usura": (376, 50), "Difetti": (427, 250),
    "Servizio": (678, 120), "Specifiche": (799, 250), "Cliente": (1050, 50), "CodFisc": (1101, 16),
    "Recapito": (1118, 30), "Note": (1149, 250), "Prezzo": (1400, 15), "Segnala": (1416, 2),
}
HEADINGS = {
    "Titolo opera": "Capo", "Soggetto rappresentato": "Descrizione", "Artista": "Colore",
    "Anno realizzazione": "Tessuto", "Nazione": "Misure", "Tecnica utilizzata": "Peso",
    "Corrente artistica": "Usura", "Dimensioni": "Difetti", "Supporto": "Servizio",
    "Luogo conservazione": "Specifiche", "Proprietario attuale": "Cliente", "Codice fiscale": "CodFisc",
    "Tel. preferenziale": "Recapito", "Note": "Note", "Valore": "Prezzo", "Venduta": "Segnala",
}
SOLD = {"sì", "si", "x", "1", "true", "venduta"}


def trim(text):
    return text.strip("".join(chr(c) for c in range(33)))


def price(cell):
    t = re.sub(r"[\s\u20ac]", "", cell)
    if re.fullmatch(r"[+-]?\d{1,3}(\.\d{3})+(,\d*)?", t):
        t = t.replace(".", "")
    elif re.fullmatch(r"[+-]?\d*\.\d{1,2}", t):
        t = t.replace(".", ",")
    if not re.fullmatch(r"[+-]?\d+(,\d*)?", t):
        return "0,00"
    v = Decimal(t.replace(",", ".")).quantize(Decimal("0.01"), rounding=ROUND_HALF_UP)
    return f"{v:.2f}".replace(".", ",")


def expected(field, cell):
    if field == "Segnala":
        return b"S\xec" if trim(cell).lower() in SOLD else b"No"
    text = price(cell) if field == "Prezzo" else trim(cell)
    return trim(text.encode("cp1252", errors="replace")[: SLOTS[field][1]].decode("cp1252")).encode("cp1252")


def slot(record, field):
    offset, most = SLOTS[field]
    length = min(record[offset], most)
    return record[offset + 1 : offset + 1 + length]


def main(argv):
    source, archive, catalog, photos_from, photos_to = argv[1:6]
    first = int(argv[6]) if len(argv) > 6 else 1
    raw = open(source, "rb").read()
    try:
        text = raw.decode("utf-8-sig")
    except UnicodeDecodeError:
        text = raw.decode("cp1252")
    rows = [r for r in csv.reader(io.StringIO(text, newline=""), delimiter=";") if any(trim(c) for c in r)]
    headings, rows = rows[0], rows[1:]
    data = open(archive, "rb").read()
    records = [data[i : i + RECORD] for i in range(0, len(data) - RECORD + 1, RECORD)]
    faults = []
    if len(records) != first - 1 + len(rows):
        faults.append(f"{len(records)} records, {first - 1 + len(rows)} expected")
    photo_column = headings.index("Foto") if "Foto" in headings else -1
    by_lower = {n.lower(): n for n in os.listdir(photos_from)} if os.path.isdir(photos_from) else {}
    for i, row in enumerate(rows):
        number = first + i
        if number - 1 >= len(records):
            break
        record = records[number - 1]
        for column, heading in enumerate(headings):
            field = HEADINGS.get(heading)
            if not field:
                continue
            cell = row[column] if column < len(row) else ""
            want, got = expected(field, cell), slot(record, field)
            if want != got:
                faults.append(f"record {number}, {heading}: {got!r}, expected {want!r}")
        target = os.path.join(photos_to, f"{catalog}_Foto_{number}.jpg")
        name = trim(row[photo_column]) if 0 <= photo_column < len(row) else ""
        found = by_lower.get(os.path.basename(name.replace("\\", "/")).lower()) if name else None
        if found:
            want = open(os.path.join(photos_from, found), "rb").read()
            got = open(target, "rb").read() if os.path.exists(target) else None
            if want != got:
                faults.append(f"record {number}: photo {found} not in place byte for byte")
        elif os.path.exists(target):
            faults.append(f"record {number}: a photo without one in the file")
    for f in faults[:50]:
        print(f)
    print(f"{len(rows)} rows, {len(faults)} differences")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
