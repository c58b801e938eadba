#!/bin/sh
# Installs LibreOffice Writer without its desktop parts. Used only to make
# and check the rich-text fixtures (scripts/rich-text-fixture.sh), never by
# the test command.
set -e
if command -v soffice >/dev/null 2>&1; then exit 0; fi
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
$SUDO apt-get install -y --no-install-recommends libreoffice-writer-nogui
