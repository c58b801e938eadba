#!/usr/bin/env bash
# Checks the string grid's CSV against a real spreadsheet program: LibreOffice
# (headless) converts a CSV written by the grid to .xlsx and back to CSV, and
# the grid reads both back into equal cells. Not part of the test command
# (the office suite is large); install it with scripts/install-libreoffice.sh.
# Usage: scripts/check-office.sh [build folder, default build/test]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build/test}
if ! command -v soffice >/dev/null 2>&1; then
  echo "LibreOffice is not installed: run scripts/install-libreoffice.sh" >&2
  exit 1
fi
cd "$here/../toolkit/grid/view/tests"
VANDREL_CHECK_OFFICE=1 "$build/toolkit/grid/view/toolkit_grid_view_tests" \
  --gtest_filter='ExchangeOfficeTest.CsvRoundTripThroughLibreOffice'
