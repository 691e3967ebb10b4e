#!/usr/bin/env python3
"""Writes the seed corpora of fuzz/corpus/ and the reproducers of
fuzz/regressions/ (run from anywhere; JPEG seeds need cjpeg, Debian package
libjpeg-turbo-progs). The files are kept in the repository; run this again
only to change them."""
import os
import struct
import subprocess
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def put(kind, target, name, data):
    folder = os.path.join(HERE, kind, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), 'wb') as f:
        f.write(data)


# ---- work record: 22 length-prefixed Windows-1252 slots, 2925 bytes
MAX = [50, 120, 50, 50, 50, 50, 50, 250, 120, 250, 50, 16, 30, 250, 15, 2, 250, 250, 250, 250, 250, 250]


def record(values, fill=b'\0'):
    out = b''
    for i, m in enumerate(MAX):
        v = values.get(i, b'')
        out += bytes([len(v)]) + v + fill * (m - len(v))
    assert len(out) == 2925
    return out


sample = record({0: b'Ritratto di signora', 2: b'Anonimo veneto', 3: b'1750', 4: b'Italia', 7: b'60 x 45 cm',
                 9: b'Collezione privata, citt\xe0', 11: b'RSSMRA80A01H501U', 14: b'1250,50', 15: b'S\xec',
                 16: b'perizia.pdf', 19: b'Perizia \x80 2020'})
unsold = record({0: b'Paesaggio', 2: b'Ignoto', 14: b'0,00', 15: b'No'}, fill=b'x')
# Length bytes over their slots' maxima, leftovers past the text.
damaged = bytes([255]) + b'A' * 50 + bytes([200]) + b'\x81\x8d\x8f\x90\x9d' * 24 + b'\xff' * (2925 - 172)
put('corpus', 'fuzz_record', 'sheet', sample)
put('corpus', 'fuzz_record', 'unsold', unsold)
put('corpus', 'fuzz_record', 'over-long-lengths', damaged[:2925])
put('corpus', 'fuzz_record', 'code-page', bytes(range(256)))

# ---- archive: two control bytes (repeat, bytes cut), then the pattern
put('corpus', 'fuzz_archive', 'three-records-and-a-tail', b'\x01\x00' + sample + unsold + damaged[:2925] + b'z' * 100)
put('corpus', 'fuzz_archive', 'one-record', b'\x01\x00' + sample)
put('corpus', 'fuzz_archive', 'across-blocks', b'\x08\x07' + unsold)
put('corpus', 'fuzz_archive', 'partial-only', b'\x01\x00' + b'q' * 2924)

# ---- password file
hexval = b'7A5C0E'
put('corpus', 'fuzz_password', 'ansi', b'[Accesso]\r\nValore=' + hexval + b'\r\n')
put('corpus', 'fuzz_password', 'other-lines', b'; note\n[Altro]\nValore=11\n[accesso]\nPrima=1\nvalore = "00"\nDopo=2')
put('corpus', 'fuzz_password', 'utf8-bom', b'\xef\xbb\xbf[Accesso]\nValore=' + hexval + b'\n[Altro]\nNome=\xe2\x82\xac\n')


def utf16(text):
    return text.encode('utf-16-le', 'surrogatepass')


put('corpus', 'fuzz_password', 'utf16', b'\xff\xfe' + utf16('[Altro]\r\nNome=\u20ac\r\n[Accesso]\r\nValore=7A\r\n'))
put('corpus', 'fuzz_password', 'lone-cr', b'[Altro]\r\nX=1\r')
# Faults mended: a character that looks like a byte-order mark after the mark.
put('regressions', 'fuzz_password', 'utf16-first-char-fffe',
    b'\xff\xfe' + utf16('\ufffe\r\n[Accesso]\r\nValore=7A\r\n'))
put('regressions', 'fuzz_password', 'utf16-ff-fe-fe-ff-ff-fe', b'\xff\xfe\xfe\xff\xff\xfe')
put('regressions', 'fuzz_password', 'utf16-leading-feff', b'\xff\xfe' + utf16('\ufeff[Altro]\r\nX=1\r\n'))
put('regressions', 'fuzz_password', 'utf8-second-bom', b'\xef\xbb\xbf\xef\xbb\xbf[Accesso]\nValore=00\n')
put('regressions', 'fuzz_password', 'last-line-lone-cr', b'[Altro]\r\nX=1\r')

# ---- price
for i, p in enumerate(['1250,50', '1250,5', '0,005', '-3e2', '+1,5E-1', ' 12 ', '999999999999,995', '1.250,50',
                       '0000000000000000012,345', '5,', ',5', 'e5', '1e', '9' * 20, '1e999999999', '-0,004']):
    put('corpus', 'fuzz_price', 'price-%02d' % i, p.encode('utf-8'))


# ---- photo
def gif(sw, sh, w, h):
    b = b'GIF89a' + struct.pack('<HH', sw, sh) + b'\x80\x00\x00' + b'\x00\x00\x00\xff\xff\xff'
    b += b'\x2c' + struct.pack('<HHHH', 0, 0, w, h) + b'\x00'
    b += b'\x02' + (b'\x02\x44\x01' if w * h == 1 else b'\x02\x04\x0a') + b'\x00\x3b'
    return b


def png(w, h, rows):
    def chunk(t, d):
        return struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)
    raw = b''.join(b'\x00' + r for r in rows)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b''))


def bmp(w, h):
    row = (b'\x00\x00\xff' * w + b'\x00' * 3)[:((w * 3 + 3) // 4) * 4]
    pixels = row * h
    header = b'BM' + struct.pack('<IHHI', 54 + len(pixels), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


ppm = b'P6\n4 2\n255\n' + bytes([255, 0, 0] * 4 + [0, 0, 255] * 4)
put('corpus', 'fuzz_photo', 'gif', gif(2, 1, 2, 1))
put('corpus', 'fuzz_photo', 'gif-small-frame', gif(3, 2, 1, 1))
put('corpus', 'fuzz_photo', 'png', png(3, 2, [b'\xff\x00\x00' * 3, b'\x00\x00\xff' * 3]))
put('corpus', 'fuzz_photo', 'bmp', bmp(5, 3))
put('corpus', 'fuzz_photo', 'ppm-sheet-size', ppm)
# Faults mended: a GIF whose screen is far larger than its frame.
put('regressions', 'fuzz_photo', 'gif-1x64513-screen', gif(1, 64513, 1, 1))
put('regressions', 'fuzz_photo', 'gif-10000x10000-screen', gif(10000, 10000, 1, 1))


def exif(orientation):
    tiff = b'MM\x00\x2a\x00\x00\x00\x08' + b'\x00\x01' + b'\x01\x12\x00\x03\x00\x00\x00\x01'
    tiff += struct.pack('>H', orientation) + b'\x00\x00' + b'\x00\x00\x00\x00'
    payload = b'Exif\x00\x00' + tiff
    return b'\xff\xe1' + struct.pack('>H', len(payload) + 2) + payload


try:
    big = b'P6\n40 24\n255\n' + bytes((x * 6 + y) % 256 for y in range(24) for x in range(40 * 3))
    for name, options in [('jpeg', ['-quality', '80']), ('jpeg-progressive', ['-progressive']),
                          ('jpeg-grey', ['-grayscale'])]:
        jpeg = subprocess.run(['cjpeg'] + options, input=big, capture_output=True, check=True).stdout
        put('corpus', 'fuzz_photo', name, jpeg)
        if name == 'jpeg':
            put('corpus', 'fuzz_photo', 'jpeg-turned', jpeg[:2] + exif(6) + jpeg[2:])
except (OSError, subprocess.CalledProcessError):
    print('cjpeg not found: no JPEG seeds')

# ---- summary line and search filters: a record, then filter texts split at "|"
put('corpus', 'fuzz_summary', 'sheet-and-filters', sample + b'ritratto| |anonimo|1750|||||citt\xc3\xa0|')
put('corpus', 'fuzz_summary', 'unsold-no-filters', unsold)
put('corpus', 'fuzz_summary', 'impossible-filter', sample + '\u20ac\u4e2d|x'.encode('utf-8'))

# ---- spreadsheet: cells split at 0x01, rows at 0x02
put('corpus', 'fuzz_spreadsheet', 'rows', b'Ritratto\x01  A & B <c> \x01\x80 1250,50\x02\x01\x01 \x02x')
put('corpus', 'fuzz_spreadsheet', 'text', 'citt\u00e0 \u20ac \u1ec7 \u02d8'.encode('utf-8'))

# ---- tax codes
for i, code in enumerate(['RSSMRA80A01H501U', 'rssmra80a01h501u', 'RSSMRA80A01H501A', 'RSSMRA80A01H50', '12345678903',
                          '01234567890', '0123456789X', 'ABCDEFGHIJKLMNOP', '00000000000', '07643520567']):
    put('corpus', 'fuzz_taxcodes', 'code-%02d' % i, code.encode('utf-8'))

# ---- CSV import: whole files
put('corpus', 'fuzz_csv', 'export-headings-1252',
    b'Titolo opera;Artista;Anno realizzazione;Valore;Venduta;Foto\r\n'
    b'Citt\xe0 \x80;"Rossi; Mario";1920;1.500,5;x;a.jpg\r\n\r\n"riga\r\ndue";"""Il Moro""";;abc;no;\r\n')
put('corpus', 'fuzz_csv', 'comma-utf8-bom', '\ufeffTitle,Artist,Year,Price\n"a,b",Erd\u0151s,1920,"3,456"\n'.encode('utf-8'))
put('corpus', 'fuzz_csv', 'tab-no-headings', b'uno\tdue\ttre\rquattro\tcinque\t"sei\n"\t')
put('corpus', 'fuzz_csv', 'open-quote', b'a;"b;c\r\n;;;\r\n')

# ---- workbooks: the first byte chooses the reader (0 whole file, 1 Excel
# parts split at 0x01, 2 OpenDocument content.xml, 3 the export's HTML)
import io
import zipfile

MAIN = b'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
REL = b'http://schemas.openxmlformats.org/officeDocument/2006/relationships'
SHEET = (b'<worksheet ' + MAIN + b'><sheetData>'
         b'<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c><c r="D1" t="inlineStr">'
         b'<is><t>Valore</t></is></c></row>'
         b'<row r="3"><c r="A3" t="s"><v>2</v></c><c t="str"><f>A3</f><v>x</v></c><c r="D3"><v>1234.5</v></c>'
         b'<c t="b"><v>1</v></c></row></sheetData></worksheet>')
STRINGS = (b'<sst ' + MAIN + b'><si><t>Titolo</t></si><si><r><t>Arti</t></r><r><t>sta</t></r></si>'
           b'<si><t>riga_x000D_\ndue</t><rPh><t>x</t></rPh></si></sst>')
WORKBOOK = (b'<workbook ' + MAIN + b' xmlns:r="' + REL + b'"><sheets><sheet name="A" sheetId="1" r:id="rId1"/>'
            b'</sheets></workbook>')
RELS = (b'<Relationships><Relationship Id="rId1" Type="' + REL + b'/worksheet" Target="worksheets/sheet1.xml"/>'
        b'<Relationship Id="rId2" Type="' + REL + b'/sharedStrings" Target="/xl/sharedStrings.xml"/></Relationships>')
ODS_NS = (b'xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
          b'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
          b'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"')
CONTENT = (b'<office:document-content ' + ODS_NS + b'><office:body><office:spreadsheet><table:table>'
           b'<table:table-row><table:table-cell><text:p>Titolo</text:p></table:table-cell>'
           b'<table:table-cell table:number-columns-repeated="2"/>'
           b'<table:table-cell office:value-type="float" office:value="1234.5"><text:p>1.234,50</text:p>'
           b'</table:table-cell></table:table-row>'
           b'<table:table-row table:number-rows-repeated="3"><table:table-cell table:number-columns-repeated="2">'
           b'<text:p>a<text:s text:c="2"/>b<text:tab/><text:span>c</text:span></text:p><text:p>d<text:line-break/>'
           b'</text:p></table:table-cell><table:covered-table-cell/><table:table-cell office:value-type="boolean" '
           b'office:boolean-value="true"/></table:table-row></table:table></office:spreadsheet></office:body>'
           b'</office:document-content>')
EXPORT = (b'<html xmlns:o="urn:schemas-microsoft-com:office:office" xmlns:x="urn:schemas-microsoft-com:office:excel">'
          b'<head><meta http-equiv="Content-Type" content="text/html; charset=windows-1252"><!--[if gte mso 9]><xml>'
          b'</xml><![endif]--></head><body><table x:str><tr><td style="text-align: left; font-weight: bold;" '
          b'width=250>Titolo opera</td><td>Valore</td></tr><tr><td style="text-align: left;">Citt\xe0 &amp; &lt;b&gt;'
          b'</td><td>1250,50</td></tr></table></body></html>')


def package(entries):
    out = io.BytesIO()
    with zipfile.ZipFile(out, 'w') as z:
        for name, data, method in entries:
            z.writestr(zipfile.ZipInfo(name), data, compress_type=method)
    return out.getvalue()


xlsx = package([('[Content_Types].xml', b'<Types/>', zipfile.ZIP_DEFLATED),
                ('xl/workbook.xml', WORKBOOK, zipfile.ZIP_DEFLATED),
                ('xl/_rels/workbook.xml.rels', RELS, zipfile.ZIP_DEFLATED),
                ('xl/sharedStrings.xml', STRINGS, zipfile.ZIP_STORED),
                ('xl/worksheets/sheet1.xml', SHEET, zipfile.ZIP_STORED)])
ods = package([('mimetype', b'application/vnd.oasis.opendocument.spreadsheet', zipfile.ZIP_STORED),
               ('content.xml', CONTENT, zipfile.ZIP_STORED)])
put('corpus', 'fuzz_workbook', 'file-xlsx', b'\x00' + xlsx)
put('corpus', 'fuzz_workbook', 'file-ods', b'\x00' + ods)
put('corpus', 'fuzz_workbook', 'file-export', b'\x00' + EXPORT)
put('corpus', 'fuzz_workbook', 'file-utf16-csv', b'\x00' + '\ufeffTitolo\tAnno\r\nCitt\u00e0\t1987\r\n'.encode('utf-16-le'))
put('corpus', 'fuzz_workbook', 'xlsx-parts', b'\x01' + SHEET + b'\x01' + STRINGS)
put('corpus', 'fuzz_workbook', 'xlsx-parts-all', b'\x05' + SHEET + b'\x01' + STRINGS + b'\x01' + WORKBOOK + b'\x01' + RELS)
put('corpus', 'fuzz_workbook', 'ods-content', b'\x02' + CONTENT)
put('corpus', 'fuzz_workbook', 'export', b'\x03' + EXPORT)
