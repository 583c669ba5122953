// Every resource and control id of the installer, shared by its code and
// resources/install.rc.
#pragma once

// Icons: their order is the index a shortcut names (0 the program, 1 uninstall).
#define IDI_INSTALL 1
#define IDI_UNINSTALL 2

// INSTALL_WINDOW
#define IDC_DO_INSTAL 1  // IDOK, so Enter installs
#define IDC_CANCEL 2     // IDCANCEL, so Esc cancels
#define IDC_WHAT_IS 9
#define IDC_INTRO 801
#define IDC_TOP_LEVEL 804
#define IDC_IN_ANY_CASE 805
#define IDC_GERMAN 807
