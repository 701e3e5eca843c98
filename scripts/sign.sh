#!/usr/bin/env bash
# Signs Windows programs in place with the certificate in WEXTOR_SIGN_CERT (see lib/release.sh):
#   scripts/sign.sh FILE.exe...
set -euo pipefail
. "$(dirname "$0")/lib/release.sh"
signing_wanted || { echo "sign.sh: WEXTOR_SIGN_CERT is not set" >&2; exit 2; }
for f in "$@"; do sign_file "$f"; done
