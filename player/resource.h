#pragma once

// Resource numbers of the player, shared by player.rc and the code.
#define IDI_PLAYER 1

#define IDW_START 101
#define IDW_SELECT 102
#define IDW_CHANGE 103
#define IDW_CLICK 104
#define IDW_EXIT 105
#define IDW_NOACTION 106
