// Resource identifiers of the GnuPG bridge, shared by bridge.rc and the code.
#pragma once

#define IDI_BRIDGE 1
#define IDR_TRAYMENU 100

#define IDD_RECIPIENTS 200
#define IDD_RESULT 201
#define IDD_KEYLIST 202
#define IDD_PREFS 203

#define IDC_FILTER 1001
#define IDC_KEYS 1002
#define IDC_SELF 1003
#define IDC_SIGINFO 1004
#define IDC_TEXT 1005
#define IDC_PROMPT 1006
#define IDC_GPGPATH 1007
#define IDC_BROWSE 1008
#define IDC_DEFKEY 1009
#define IDC_ENCSELF 1010
#define IDC_FOUND 1011

#define IDM_PREFERENCES 40100
#define IDM_KEYS 40101
#define IDM_EXIT 40102
#define IDM_HELP 40103
