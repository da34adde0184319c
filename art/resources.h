#pragma once
// Resource ids of the three programs, in ranges by kind. Included by the resource scripts and the code.

// Icons. The first icon of a program is its file icon: the application icon for all three.
#define IDI_APP 1
#define IDI_FORM1 2
#define IDI_ABOUT 3

// Bitmaps of the eyes.
#define IDB_SKIN_TAVRIN 101
#define IDB_SKIN_CLASSIC 102
#define IDB_PUPIL 103
#define IDB_PLACEHOLDER 104

// The progress bar's frames 1..15 are IDB_PGB_FIRST .. IDB_PGB_FIRST + 14.
#define IDB_PGB_FIRST 201

// Cursors.
#define IDC_HAND_LINK 301

// Raw data.
#define IDR_BADGE_GIF 401
