// Numbers of the resources and controls, shared by the resource script and
// the code. Plain #defines: windres reads this file too.
#pragma once

#define IDD_INSTALL 102
#define IDI_APP 128
#define IDD_BACKDROP 129
#define IDD_WELCOME 130
#define IDD_AGREEMENT 131
#define IDR_AGREEMENT 132
#define IDR_PAYLOAD_TXT 133
#define IDR_PAYLOAD_EXE 134
#define IDR_PAYLOAD_UNINSTALL 135
#define IDR_PAYLOAD_HLP 136
#define IDR_PAYLOAD_FITB 137
#define IDR_PAYLOAD_MULT 138

#define IDC_TAGLINE 1000
#define IDC_VENDOR 1001
#define IDC_OK_BUTTON 1002
#define IDC_CANCEL_BUTTON 1003
#define IDC_AGREEMENT_TEXT 1004
#define IDC_TARGET_DIR 1007
#define IDC_BROWSE 1008
#define IDC_STATUS 1009
#define IDC_INSTALL 1010
