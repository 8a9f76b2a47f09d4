// Ids of the test dialogs' templates and controls, shared by TestDialogs.rc
// and the tests that drive them. Kept from 900 up, clear of the program's.
#pragma once

#define IDD_FRAMEWORK_TEST 900
#define IDD_FRAMEWORK_CHILD 901

#define IDC_TEST_NAME 910
#define IDC_TEST_SHORT 911
#define IDC_TEST_RADIO_FIRST 912
#define IDC_TEST_RADIO_SECOND 913
#define IDC_TEST_RADIO_THIRD 914
#define IDC_TEST_CHECK 915
#define IDC_TEST_IP 916
#define IDC_TEST_COMBO 917
#define IDC_TEST_LIST 918
#define IDC_TEST_EXTRA 919

// Labels have ids of their own: a message box is told apart by its unnamed
// (-1) text static.
#define IDC_TEST_NAME_LABEL 930
#define IDC_TEST_SHORT_LABEL 931
#define IDC_TEST_IP_LABEL 932
#define IDC_TEST_COMBO_LABEL 933
#define IDC_TEST_CHILD_LABEL 934
