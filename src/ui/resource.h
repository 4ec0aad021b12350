// Resource and control ids of the program. The Windows tests include this file too, so they
// reach every control by the program's own ids. Keep the values: outside senders and the
// tests rely on them.
#pragma once

// Dialog templates, strings, icon
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_ORVANTA_DIALOG 102
#define IDR_MAINFRAME 128
#define IDD_KEYCODES 130
#define IDD_TEST 133
#define IDD_PROGRESS 136
#define IDD_LOG_KEY_MAPS 139

// System menu: "&About ...", then the configuration files, the production log, the shared
// serial numbers and the key maps in the log (multiples of 16 below 0xF000, as system commands must
// be)
#define IDM_ABOUTBOX 0x0010
#define IDM_OPEN_CONFIG 0x0020
#define IDM_SAVE_CONFIG 0x0030
#define IDM_PRODUCTION_LOG 0x0040
#define IDM_SHARED_SERIAL 0x0050
#define IDM_LOG_KEY_MAP 0x0060

// About box
#define IDC_ABOUT_BRAND 1008
#define IDC_ABOUT_VERSION 1009

// Key code chooser (1007 is also the main dialog's "+": ids count per dialog)
#define IDC_KC_NEXT 3
#define IDC_KC_KEY 1001
#define IDC_KC_GUI 1002
#define IDC_KC_ALT 1003
#define IDC_KC_CTRL 1004
#define IDC_KC_SHIFT 1005
#define IDC_KC_SLOT_LABEL 1006
#define IDC_KC_REPEAT 1007
// Keyboard test dialog
#define IDC_TEST_LOG 1010

// Progress dialog
#define IDC_PROGRESS_BAR 1013

// Key maps in the production log
#define IDC_LOG_LIST 1300
#define IDC_LOG_FIND 1301
#define IDC_LOG_SUMMARY 1302

// Main dialog
#define IDC_KEYCODE 1000
#define IDC_SERIAL_PLUS 1007
#define IDC_AUTOTEST 1011
#define IDC_SERIAL 1033
#define IDC_CONTACTS 1051
#define IDC_PROTECTED 1065
#define IDC_BOUNCE 1067
#define IDC_READ 1140
#define IDC_WRITE 1142
#define IDC_TEST 1143
#define IDC_WAIT_BUTTON 1144
#define IDC_PROGRAMMED 1145
#define IDC_SLOT_FIRST 1160  // 48 key-event slots: contact (s >> 1) + 1, pressed for even s
#define IDC_SLOT_LAST 1207
#define IDC_FEEDBACK 1214
#define IDC_KEYSTACK 1216
#define IDC_REPEAT 1217
#define IDC_SPEED 1218
#define IDC_BOUNCE_LABEL 1221

#define IDC_STATIC (-1)
