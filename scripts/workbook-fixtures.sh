#!/usr/bin/env bash
# Makes the workbook fixtures of the string grid's workbook import with
# LibreOffice (scripts/install-libreoffice.sh): a spreadsheet written here as
# flat OpenDocument text, converted to .xlsx and to legacy .xls. Run once;
# the results are committed under toolkit/grid/view/tests/fixtures/.
#   sheet "Data": the used range B2:D5 (texts, numbers, dates, a #DIV/0! cell)
#   sheet "One":  a single cell C3
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out="$here/../toolkit/grid/view/tests/fixtures"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cell_s() { printf '<table:table-cell office:value-type="string"><text:p>%s</text:p></table:table-cell>' "$1"; }
cell_n() { printf '<table:table-cell office:value-type="float" office:value="%s"><text:p>%s</text:p></table:table-cell>' "$1" "$1"; }
cell_d() { printf '<table:table-cell table:style-name="ce1" office:value-type="date" office:date-value="%s"><text:p>%s</text:p></table:table-cell>' "$1" "$1"; }
empty='<table:table-cell/>'

cat > "$work/workbook.fods" <<XML
<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:number="urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0"
 xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:automatic-styles>
 <number:date-style style:name="N1"><number:year number:style="long"/><number:text>-</number:text><number:month number:style="long"/><number:text>-</number:text><number:day number:style="long"/></number:date-style>
 <style:style style:name="ce1" style:family="table-cell" style:data-style-name="N1"/>
</office:automatic-styles>
<office:body><office:spreadsheet>
<table:table table:name="Data">
 <table:table-row>$empty</table:table-row>
 <table:table-row>$empty$(cell_s Name)$(cell_s Amount)$(cell_s Date)</table:table-row>
 <table:table-row>$empty$(cell_s Alpha)$(cell_n 12.5)$(cell_d 2024-03-15)</table:table-row>
 <table:table-row>$empty$(cell_s 'Beta, &quot;quoted&quot;')<table:table-cell table:formula="of:=1/0" office:value-type="float" office:value="0"><text:p>#DIV/0!</text:p></table:table-cell>$(cell_d 2024-12-31)</table:table-row>
 <table:table-row>$empty$(cell_s 'Größe')$(cell_n -3)$(cell_n 1000000)</table:table-row>
</table:table>
<table:table table:name="One">
 <table:table-row>$empty</table:table-row>
 <table:table-row>$empty</table:table-row>
 <table:table-row>$empty$empty$(cell_s Solo)</table:table-row>
</table:table>
</office:spreadsheet></office:body></office:document>
XML

profile="file://$work/profile"
for fmt in xlsx xls; do
  soffice "-env:UserInstallation=$profile" --headless --convert-to "$fmt" --outdir "$work" "$work/workbook.fods" >/dev/null
  cp "$work/workbook.$fmt" "$out/workbook.$fmt"
done
echo "written: $out/workbook.xlsx $out/workbook.xls"
