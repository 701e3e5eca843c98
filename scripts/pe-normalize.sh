#!/usr/bin/env bash
# Pads Windows programs and writes their PE checksums as signing leaves them (lib/release.sh):
#   scripts/pe-normalize.sh FILE.exe...
set -euo pipefail
. "$(dirname "$0")/lib/release.sh"
for f in "$@"; do pe_normalize "$f"; done
