#!/bin/sh
# Installs LibreOffice Writer and Calc without their desktop parts. Used only
# to make and check the rich-text and workbook fixtures
# (scripts/rich-text-fixture.sh, scripts/workbook-fixtures.sh) and by
# scripts/check-office.sh, never by the test command.
set -e
if command -v soffice >/dev/null 2>&1 && dpkg-query -W -f='${Status}' libreoffice-calc-nogui 2>/dev/null | grep -q 'ok installed'; then exit 0; fi
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
$SUDO apt-get install -y --no-install-recommends libreoffice-writer-nogui libreoffice-calc-nogui
