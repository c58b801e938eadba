#!/bin/sh
# The rich edit's word-processor checks, run by hand (LibreOffice comes from
# scripts/install-libreoffice.sh; the test command never needs it).
#
#   scripts/rich-text-fixture.sh make    converts the source document into the
#                                        committed fixture libreoffice.rtf
#   scripts/rich-text-fixture.sh check   saves a document with the rich edit
#                                        (the vcl tests) and has LibreOffice
#                                        read it back as plain text
set -e
ROOT=$(cd "$(dirname "$0")/.." && pwd)
FIXTURES="$ROOT/platform/vcl/tests/fixtures"
BUILD=${BUILD:-$ROOT/build/test}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
command -v soffice >/dev/null || { echo "soffice not found: run scripts/install-libreoffice.sh" >&2; exit 1; }
export HOME="$WORK" # a fresh LibreOffice profile

case "${1:-check}" in
make)
    cp "$FIXTURES/rich-text-source.fodt" "$WORK/libreoffice.fodt"
    soffice --headless --convert-to rtf --outdir "$WORK" "$WORK/libreoffice.fodt" >/dev/null
    cp "$WORK/libreoffice.rtf" "$FIXTURES/libreoffice.rtf"
    echo "wrote $FIXTURES/libreoffice.rtf"
    ;;
check)
    VANDREL_RICH_TEXT_OUT="$WORK" "$BUILD/platform/vcl/platform_vcl_tests" \
        --gtest_filter='RichEditTest.FormattedTextIsPainted' >/dev/null
    soffice --headless --convert-to "txt:Text (encoded):UTF8" --outdir "$WORK/out" "$WORK/saved.rtf" >/dev/null
    # LibreOffice writes a byte-order mark and ends lines with its own breaks.
    sed -e '1s/^\xEF\xBB\xBF//' -e 's/\r$//' "$WORK/out/saved.txt" | sed -e '${/^$/d;}' > "$WORK/got.txt"
    tr -d '\r' < "$WORK/saved.txt" > "$WORK/want.txt"
    printf '\n' >> "$WORK/want.txt"
    if cmp -s "$WORK/got.txt" "$WORK/want.txt"; then
        echo "LibreOffice reads the saved document with the same text"
    else
        echo "LibreOffice read a different text:" >&2
        diff "$WORK/want.txt" "$WORK/got.txt" >&2 || true
        exit 1
    fi
    ;;
*)
    echo "usage: $0 make|check" >&2
    exit 2
    ;;
esac
