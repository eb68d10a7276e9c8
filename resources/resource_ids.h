/* Resource and control identifiers, shared by kivo.rc and the code. Each dialog's controls
   are numbered from the dialog's identifier + 1. */
#pragma once

#define IDI_KIVO 1
#define IDR_VERSION 1
#define IDR_MANIFEST 1

#define IDD_LOOKUP 1000
#define IDC_CODE_ENTRY 1001
#define IDC_TYPE_FIELD 1002
#define IDC_ERROR_FIELD 1003
#define IDC_DESCRIPTION_FIELD 1004
#define IDC_NOTE_FIELD 1005
#define IDC_SAVE_NOTE 1006
#define IDC_DELETE_NOTE 1007
#define IDC_LOOKUP 1008
#define IDC_ERROR_TREE 1009
#define IDC_CODE_LABEL 1010
#define IDC_TYPE_LABEL 1013
#define IDC_ERROR_LABEL 1014
#define IDC_NOTE_LABEL 1017
#define IDC_NOTE_LINE 1018

#define IDD_ABOUT 2000
#define IDC_ABOUT_TITLE 2001
#define IDC_ABOUT_VERSION 2002
#define IDC_ABOUT_PURPOSE 2003
#define IDC_ABOUT_TOOLS_LABEL 2004
#define IDC_ABOUT_TOOLS 2005
#define IDC_ABOUT_TOTAL_LABEL 2006
#define IDC_ABOUT_TOTAL 2007
#define IDC_ABOUT_LINE_BOTTOM 2008
#define IDC_ABOUT_WEB 2009
#define IDC_ABOUT_MAIL 2010
#define IDC_ABOUT_HOST 2011
#define IDC_ABOUT_LINE_TOP 2012

#define IDD_NOTE_BROWSER 3000
#define IDC_BROWSER_DELETE 3001
#define IDC_BROWSER_SAVE 3002
#define IDC_BROWSER_EDITOR 3003
#define IDC_BROWSER_TREE 3004

/* The web and mail addresses shown in the About box. */
#define KIVO_WEB_ADDRESS "kivo.example.org"
#define KIVO_MAIL_ADDRESS "kivo@example.org"
