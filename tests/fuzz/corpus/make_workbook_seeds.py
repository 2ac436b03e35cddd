#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the seeds of the xlsx, ods and zip corpora (committed as written; run again only to
# change them): a roster as Excel, WPS and LibreOffice save one, with the shapes a reader must
# take apart (shared and inline strings, formulas, repeats, merges). The xlsx and ods targets
# take the parts (NUL between them, in the order of fuzz_xlsx.cpp); the zip target whole
# archives, deflated and stored.
import os, zipfile

here = os.path.dirname(os.path.abspath(__file__))
R = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships'
WORKBOOK = ('<workbook xmlns:r="%s"><sheets><sheet name="一班" sheetId="1" r:id="rId1"/>'
            '<sheet name="二班" sheetId="2" r:id="rId2"/></sheets></workbook>' % R)
RELS = ''.join('<Relationship Id="rId%d" Type="%s/worksheet" Target="worksheets/sheet%d.xml"/>'
               % (i, R, i) for i in (1, 2))
SHARED = ('<sst count="3" uniqueCount="3"><si><t>姓名</t></si><si><t>张三</t></si>'
          '<si><r><t>李</t></r><r><t>四</t></r></si></sst>')
SHEET1 = ('<worksheet><sheetData><row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="inlineStr">'
          '<is><t>学号</t></is></c></row><row r="2"><c r="A2" t="s"><v>1</v></c><c r="B2">'
          '<v>20230105</v></c></row><row r="3"><c r="A3" t="s"><v>2</v></c><c r="B3"><f>B2+1</f>'
          '<v>20230106</v></c></row><row r="5"><c r="C5" t="str"><v>王五</v></c></row>'
          '</sheetData></worksheet>')
SHEET2 = '<worksheet><sheetData><row><c t="inlineStr"><is><t>赵六</t></is></c></row></sheetData></worksheet>'
NS = ('xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
      'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
      'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"')
ODS = ('<office:document-content %s><office:body><office:spreadsheet><table:table table:name="一班">'
       '<table:table-row><table:table-cell office:value-type="string"><text:p>姓名</text:p>'
       '</table:table-cell><table:table-cell office:value-type="float"><text:p>1</text:p>'
       '</table:table-cell></table:table-row><table:table-row table:number-rows-repeated="2">'
       '<table:table-cell table:number-columns-repeated="3"/></table:table-row><table:table-row>'
       '<table:table-cell><office:annotation><text:p>班长</text:p></office:annotation><text:p>陈'
       '<text:span>一</text:span></text:p></table:table-cell><table:table-cell '
       'table:number-columns-spanned="2"><text:p>合并</text:p></table:table-cell>'
       '<table:covered-table-cell/></table:table-row><table:table-row><table:table-cell '
       'table:formula="of:=[.A1]"><text:p>林二</text:p></table:table-cell></table:table-row>'
       '</table:table></office:spreadsheet></office:body></office:document-content>' % NS)


def write(corpus, name, parts, compression=zipfile.ZIP_DEFLATED):
    os.makedirs(os.path.join(here, corpus), exist_ok=True)
    with zipfile.ZipFile(os.path.join(here, corpus, name), 'w', compression) as z:
        for part, text in parts:
            z.writestr(part, text)


xlsx = [('xl/workbook.xml', WORKBOOK), ('xl/_rels/workbook.xml.rels', '<Relationships>%s</Relationships>' % RELS),
        ('xl/sharedStrings.xml', SHARED), ('xl/worksheets/sheet1.xml', SHEET1),
        ('xl/worksheets/sheet2.xml', SHEET2)]


def put(corpus, name, parts):
    os.makedirs(os.path.join(here, corpus), exist_ok=True)
    with open(os.path.join(here, corpus, name), 'wb') as f:
        f.write(b'\0'.join(part.encode('utf-8') for part in parts))


PACKAGE = ('<Relationships><Relationship Id="rId1" Type="%s/officeDocument" '
           'Target="xl/workbook.xml"/></Relationships>' % R)
WORKBOOK_RELS = ('<Relationships>%s<Relationship Id="rId3" Type="%s/sharedStrings" '
                 'Target="sharedStrings.xml"/></Relationships>' % (RELS, R))
put('xlsx', 'roster', [PACKAGE, WORKBOOK_RELS, WORKBOOK, SHARED, SHEET1, SHEET2])
put('xlsx', 'no_shared_strings', ['', '<Relationships>%s</Relationships>' % RELS, WORKBOOK, '', SHEET2, SHEET2])
put('ods', 'roster', [ODS])
ods = [('mimetype', 'application/vnd.oasis.opendocument.spreadsheet'), ('content.xml', ODS)]
write('zip', 'roster_parts_deflated.zip', xlsx)
write('zip', 'roster_parts_stored.zip', ods, zipfile.ZIP_STORED)
write('zip', 'empty.zip', [])
