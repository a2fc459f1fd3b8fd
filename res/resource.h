/* Identifiers of vel.exe's resources, shared by vel.rc and the Win32 code.
   Plain numbers only: the resource compiler reads this file too. */
#ifndef VEL_RES_RESOURCE_H
#define VEL_RES_RESOURCE_H

#define IDI_VEL 101           /* program icon, also the window class icon */
#define IDB_TOOLBAR_SMALL 104 /* 19 toolbar images of 16 x 15, side by side */
#define IDB_TOOLBAR_LARGE 105 /* the same 19 images at 32 x 30 */
#define IDC_VEL_MARKER 110    /* pointer over the breakpoint marker columns */
#define IDC_VEL_INPUT 112     /* pointer while the macro waits for input */

/* Image count of the toolbar strips and the size of one image. */
#define VEL_TOOLBAR_IMAGES 19
#define VEL_TOOLBAR_SMALL_W 16
#define VEL_TOOLBAR_SMALL_H 15
#define VEL_TOOLBAR_LARGE_W 32
#define VEL_TOOLBAR_LARGE_H 30

/* Menu commands. The toolbar entries have the identifiers 30000 + index, and
   the menu reuses them, so a menu choice runs the same command line as the
   button. */
#define IDM_RUN 30000
#define IDM_RERUN 30001
#define IDM_CONT 30002
#define IDM_STEP 30003
#define IDM_NEXT 30004
#define IDM_STEPOUT 30005
#define IDM_BREAK 30014
#define IDM_KILL 30015
#define IDM_OPEN 30016
#define IDM_FONT 30017
#define IDM_SAVE 30018
#define IDM_EXIT 40001 /* outside the toolbar range: handled on its own */
#define IDM_VARS 40002 /* the same: a checked entry that switches the panes */

#endif
