// PGPtray's WM_COMMAND identifiers: what mail tools and Wextor 5 send PGP's tray window, and
// what the GnuPG bridge answers in its place.
#pragma once

enum PgpTrayCommand : unsigned {
    PgpAddKey = 40006,
    PgpEncryptSign = 40007,
    PgpDecryptVerify = 40008,
    PgpPreferences = 40012,
    PgpOtherCommand = 40016,
    PgpEncrypt = 40017,
    PgpSign = 40018,
    PgpTools = 40019,
};
