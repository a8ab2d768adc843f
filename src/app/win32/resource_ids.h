/* The IDs of the patch program's resources and dialog controls, shared by the resource script
   (patch.rc.in) and the dialogs. Plain macros: the resource compiler reads this file too. */
#ifndef ORVPATCH_RESOURCE_IDS_H
#define ORVPATCH_RESOURCE_IDS_H

#define IDD_MAIN 100     /* the main dialog */
#define IDD_PROGRESS 101 /* the progress dialog */
#define IDI_PATCH 128    /* the program's icon */

/* Main dialog: IDOK (1) is Run, IDCANCEL (2) is Cancel. */
#define IDC_FOLDER 1000  /* the installation folder text */
#define IDC_BROWSE 1003  /* opens the folder browser */
#define IDC_TITLE 1004   /* the patch title */
#define IDC_VERSION 1005 /* the version line */

/* Progress dialog: IDCANCEL (2) is Cancel. */
#define IDC_PROGRESS_BAR 1002
#define IDC_PROGRESS_TEXT 1004

#endif
