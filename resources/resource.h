// Resource identifiers of the item module.
#pragma once
#define IDI_APP 103
#define IDI_PREV_ARROW 121
#define IDI_PREV_ARROW_LIT 122
#define IDI_NEXT_ARROW 123
#define IDI_NEXT_ARROW_LIT 125
#define IDD_TODAY_CUSTOM 500
#define IDC_ONE_LINE 1001
#define IDC_TWO_LINES 1002
#define IDC_THREE_LINES 1003
