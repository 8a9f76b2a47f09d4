// Ids of the dialogs, controls, icons and strings of the resource script,
// shared by the script and the classes that use its templates. The numbers
// are fixed: tests and the templates refer to them.
#pragma once

#define IDD_TOLVI_APPLY_DIALOG 139

#define IDC_APPLY_STATUS 1032
#define IDC_APPLY_PROGRESS 1033
