# SPDX-License-Identifier: GPL-3.0-or-later
# Writes a workbook (argv[1]) that keeps within each bound of an import part by part and
# passes one in total (argv[2]): "entries" (2001 tiny parts), "bytes" (40 sheets of 1 MB,
# each below the size where its compression is judged), "cells" (four sheets of 60000 cells),
# "odscells" (three tables of 70000 cells).
import sys, zipfile
path, kind = sys.argv[1], sys.argv[2]
sheets = range(1, 41 if kind == 'bytes' else 5)
ns = 'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"'
rel = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet'
def sheet(body): return '<worksheet><sheetData>%s</sheetData></worksheet>' % body
with zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED) as z:
    if kind == 'odscells':
        row = '<table:table-row><table:table-cell table:number-columns-repeated="70000"><text:p>x</text:p></table:table-cell></table:table-row>'
        z.writestr('content.xml', '<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><office:body><office:spreadsheet>'
                   + ''.join('<table:table table:name="S%d">%s</table:table>' % (i, row) for i in range(3))
                   + '</office:spreadsheet></office:body></office:document-content>')
        sys.exit()
    z.writestr('xl/workbook.xml', '<workbook %s><sheets>%s</sheets></workbook>' % (ns, ''.join(
        '<sheet name="S%d" sheetId="%d" r:id="rId%d"/>' % (i, i, i) for i in sheets)))
    z.writestr('xl/_rels/workbook.xml.rels', '<Relationships>%s</Relationships>' % ''.join(
        '<Relationship Id="rId%d" Type="%s" Target="worksheets/sheet%d.xml"/>' % (i, rel, i)
        for i in sheets))
    for i in sheets:
        if kind == 'bytes':
            body = '<!--%s-->' % (' ' * 1000000)
        elif kind == 'cells':
            body = '<row r="1">%s</row>' % ('<c><v>1</v></c>' * 60000)
        else:
            body = ''
        z.writestr('xl/worksheets/sheet%d.xml' % i, sheet(body))
    if kind == 'entries':
        for i in range(2001):
            z.writestr('xl/media/m%d.txt' % i, '')
