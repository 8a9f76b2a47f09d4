// Ids of the dialogs, controls, icons and strings of the resource script,
// shared by the script and the classes that use its templates. The numbers
// are fixed: tests and the templates refer to them.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_TOLVI_DIALOG 102
#define IDR_MAINFRAME 128
#define IDD_TOLVI_PREF_DIALOG 135
#define IDD_TOLVI_SAVE_DIALOG 136
#define IDD_TOLVI_RENAME_DIALOG 137
#define IDD_TOLVI_REARRANGE_DIALOG 138
#define IDD_TOLVI_APPLY_DIALOG 139
#define IDD_TOLVI_HELP_DIALOG 141
#define IDD_TOLVI_ADVANCED_DIALOG 142
#define IDD_TOLVI_ADDRESS_DIALOG 143
#define IDD_TOLVI_GATEWAY_DIALOG 144

// The system menu's About item; the system keeps the low four bits.
#define IDM_ABOUTBOX 0x0010

// The main dialog.
#define IDC_COMBO_CONNECTION 1001
#define IDC_RADIO_IP_DHCP 1004
#define IDC_RADIO_IP_STATIC 1005
#define IDC_RADIO_DNS_DHCP 1006
#define IDC_RADIO_DNS_STATIC 1007
#define IDC_IP_ADDRESS 1008
#define IDC_SUBNET_MASK 1009
#define IDC_GATEWAY 1010
#define IDC_DNS1 1011
#define IDC_DNS2 1012
#define IDC_DNS3 1013
#define IDC_PREFERENCES 1014
#define IDC_COMBO_CONFIGURATION 1015
#define IDC_STATIC_CONFIGURATION 1016
#define IDC_STATIC_CONNECTION 1017
#define IDC_AUTO_CONFIGURATION 1018
#define IDC_SAVE 1019
#define IDC_APPLY_CONFIGURATION 1020
#define IDC_HELP_BUTTON 1021
#define IDC_RENAME 1022
#define IDC_DELETE 1023
#define IDC_EXIT 1024
#define IDC_REARRANGE 1025
#define IDC_ADVANCED 1045
#define IDC_MORE_ADDRESSES 1046

// The progress dialog.
#define IDC_APPLY_STATUS 1032
#define IDC_APPLY_PROGRESS 1033

// The save, rename and rearrange dialogs.
#define IDC_EDIT_NAME 1026
#define IDC_LIST_CONFIGURATIONS 1028
#define IDC_UP 1029
#define IDC_DOWN 1030
#define IDC_COMBO_NAME 1031

// Preferences (the connection box is 1001, as in the main dialog).
#define IDC_CHECK_EXIT_AFTER_AUTO 1035
#define IDC_CHECK_EXIT_AFTER_APPLY 1036
#define IDC_TEST_ADDRESS 1037
#define IDC_DHCP_WAIT 1038
#define IDC_REGISTER_UI_MODE 1041
#define IDC_UNREGISTER 1042
#define IDC_REGISTER_AUTO_MODE 1043
#define IDC_REGISTER_TRAY_MODE 1044

// Help.
#define IDC_HELP_TEXT 1039

// The advanced settings: the two lists and their buttons.
#define IDC_LIST_ADDRESSES 1047
#define IDC_ADD_ADDRESS 1048
#define IDC_EDIT_ADDRESS 1049
#define IDC_REMOVE_ADDRESS 1050
#define IDC_ADDRESS_UP 1051
#define IDC_ADDRESS_DOWN 1052
#define IDC_LIST_GATEWAYS 1053
#define IDC_ADD_GATEWAY 1054
#define IDC_EDIT_GATEWAY 1055
#define IDC_REMOVE_GATEWAY 1056
#define IDC_GATEWAY_UP 1057
#define IDC_GATEWAY_DOWN 1058

// One entry of those lists: an address with its mask, or a gateway with its
// metric.
#define IDC_ENTRY_ADDRESS 1059
#define IDC_ENTRY_MASK 1060
#define IDC_ENTRY_METRIC 1061
