#!/usr/bin/env bash
# Installs Qt's widgets (Debian qtbase5-dev) for the side-by-side benchmark
# of the base grid against QTableWidget. Only that benchmark needs it; the
# test command never does.
set -euo pipefail
if ! dpkg -s qtbase5-dev >/dev/null 2>&1; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq qtbase5-dev >/dev/null
fi
