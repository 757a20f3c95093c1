#pragma once

// Resource numbers of the player, shared by player.rc and the code.
#define IDI_PLAYER 1

#define IDW_START 101
#define IDW_SELECT 102
#define IDW_CHANGE 103
#define IDW_CLICK 104
#define IDW_EXIT 105
#define IDW_NOACTION 106

#define IDD_SEARCH 200
#define IDC_SEARCH_HEADING 201
#define IDC_SEARCH_TEXT 202
