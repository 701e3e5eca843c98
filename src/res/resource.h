// Resource identifiers shared by the .rc files and the code. Each module has its own range.
#pragma once

#define IDI_WEXTOR 1 // main icon

// 100-199: tray icon and its menu
// 200-299: "PGP Running" window
// 300-399: mailer chooser
// 400-499: script information window
// 500-599: tip of the day
#define IDD_TIPS 500
#define IDC_TIPS_IMAGE 501
#define IDC_TIPS_HEADING 502
#define IDC_TIPS_TEXT 503
#define IDC_TIPS_NEXT 504
#define IDC_TIPS_PREVIOUS 505
#define IDC_TIPS_HELP 506
#define IDC_TIPS_SHOW 507
#define IDI_TIPS 510
// 1000-1999: properties window
// 2000-2099: strings

#define IDD_RUNNING 200
#define IDC_RUNNING_PROGRESS 201
#define IDC_RUNNING_PICTURE 202
#define IDI_RUNNING 204

#define IDD_CHOOSEMAILER 300
#define IDC_CHOOSER_LIST 301
#define IDC_CHOOSER_HELP 302

#define IDD_SCRIPTINFO 400
#define IDC_SCRIPTINFO_TEXT 401
#define IDC_SCRIPTINFO_IMAGE 402
#define IDC_SCRIPTINFO_CLOSE 403
