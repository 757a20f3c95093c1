#pragma once

// The Windows editor's resources, shared by the resource script and the code.

#define IDI_EDITOR 1

#define IDR_SPLASH 201

#define IDD_TIP 301
#define IDC_TIP_TEXT 1001
#define IDC_TIP_AGAIN 1002
#define IDC_TIP_ICON 1003

#define IDD_PROGRESS 302
#define IDC_PROGRESS_TEXT 1011
#define IDC_PROGRESS_ICON 1012

#define IDD_COMMAND_WIZARD 303
#define IDC_CW_FRAME 1100
#define IDC_CW_QUESTION 1101
#define IDC_CW_ACTION0 1110  // + the action's code, 0 to 9
#define IDC_CW_REMAIN 1120
#define IDC_CW_MINIMIZE 1121
#define IDC_CW_CLOSE 1122
#define IDC_CW_MAXIMIZE_ASK 1123
#define IDC_CW_MAXIMIZE 1124
#define IDC_CW_NOTE 1125
#define IDC_CW_MENU_ASK 1126
#define IDC_CW_PROMPT 1130
#define IDC_CW_TARGET 1131
#define IDC_CW_BROWSE 1132
#define IDC_CW_ADDRESS 1133
#define IDC_CW_HINT 1134
#define IDC_CW_SUBJECT_ASK 1135
#define IDC_CW_SUBJECT 1136
#define IDC_CW_MESSAGE 1137
#define IDC_CW_BACK 1140

#define IDD_AUTORUN_WIZARD 304
#define IDC_AW_QUESTION 1201
#define IDC_AW_NAME_LABEL 1202
#define IDC_AW_NAME 1203
#define IDC_AW_BROWSE 1204
#define IDC_AW_NAME_NOTE 1205
#define IDC_AW_MENUS 1210
#define IDC_AW_SELECT_ALL 1211
#define IDC_AW_MENUS_NOTE 1212
#define IDC_AW_DEFAULT 1220
#define IDC_AW_DEFAULT_NOTE 1221
#define IDC_AW_DONE 1230
#define IDC_AW_FILES 1231
#define IDC_AW_DONE_NOTE 1232
#define IDC_AW_BACK 1240
#define IDC_AW_FORWARD 1241

#define IDD_COPY_CUSTOM 305
#define IDC_CC_INTRO 1301
#define IDC_CC_QUESTION 1302
#define IDC_CC_FRAME 1303
#define IDC_CC_LIST 1304

// The button style designer: 3500 to 3999.
#define IDD_DESIGNER 3500
#define IDC_DZ_TOOL0 3501  // + the item's place in the tool table
#define IDC_DZ_FONTS 3540
#define IDC_DZ_SIZES 3541
#define IDC_DZ_RULE 3542
#define IDC_DZ_INTRO 3543
#define IDC_DZ_NAME_LABEL 3544
#define IDC_DZ_NAME 3545
#define IDC_DZ_ANIMATION_LABEL 3546
#define IDC_DZ_ANIMATION 3547
#define IDC_DZ_BUTTON_CAPTION 3548
#define IDC_DZ_MASK_CAPTION 3549
#define IDC_DZ_SLOT0 3550     // + the slot, 1 to 6
#define IDC_DZ_SLOT_LABEL0 3560  // + the slot, 1 to 3
#define IDC_DZ_SAMPLE 3570
#define IDC_DZ_SAMPLE_CAPTION 3571
#define IDC_DZ_MORE 3572
#define IDC_DZ_HELP 3573
#define IDC_DZ_CLOSE 3574
#define IDC_DZ_MENU0 3600  // + the item's place in the menu table

// The main tool bar's glyph strips, 16 to 32 pixels in steps of 4.
#define IDR_TOOLBAR_16 4010
#define IDR_TOOLBAR_20 4011
#define IDR_TOOLBAR_24 4012
#define IDR_TOOLBAR_28 4013
#define IDR_TOOLBAR_32 4014

#define IDD_TEST_AUTORUN 4020
#define IDC_TA_FOLDER 4101
#define IDC_TA_BROWSE 4102
#define IDC_TA_FINDINGS 4103
#define IDC_TA_SCREEN_LABEL 4104
#define IDC_TA_SCREEN 4105
#define IDC_TA_STATUS 4106
#define IDC_TA_START 4107
#define IDC_TA_HELP 4108
#define IDC_TA_FOLDER_LABEL 4109

// The formatting toolbar's font availability glyphs, 16 and 32 pixels, and
// the template the popularity bar is shaded with.
#define IDR_FONT_SAFE_16 4510
#define IDR_FONT_SAFE_32 4511
#define IDR_FONT_LOW_16 4512
#define IDR_FONT_LOW_32 4513
#define IDR_BAR_TEMPLATE 4514
