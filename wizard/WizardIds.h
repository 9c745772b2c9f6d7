#pragma once
// Resource and control numbers of the wizard, shared by its resource script
// and its code.

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_SETUP_DIALOG 102
#define IDD_DIRECTORY_PAGE 108
#define IDD_PROGRESS_PAGE 109
#define IDR_MAINFRAME 128

// System-menu command of the About item.
#define IDM_ABOUTBOX 0x0010

// The frame (IDCANCEL, 2, is its Cancel button).
#define IDC_NEXT 1036
#define IDC_BACK 1041
#define IDC_BANNER 1026
#define IDC_STEP1_ART 1028
#define IDC_STEP1_HEADING 1039
#define IDC_PAGE_AREA 1038

// Both pages draw their artwork into control 1026.
#define IDC_PAGE_ART 1026

// The directory page.
#define IDC_FOLDER 1000
#define IDC_BROWSE 1001
#define IDC_STEP2_HEADING 1040

// The progress page.
#define IDC_PROGRESS 1010
#define IDC_STEP3_STATUS 1025

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
