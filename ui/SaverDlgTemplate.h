#pragma once
// The setup dialog's layout (template 102) and the ids of its controls.
#include "platform/Dialog.h"

const int ID_RESTORE_DEFAULTS = 4;
const int ID_PICTURE = 1006;     // frame of the aquarium picture
const int ID_CAPTION = 1007;     // the title strip that drags the dialog
const int ID_VIDEO_MODE = 1008;  // drop-down of display modes
const int ID_RESOLUTION = 1009;  // drop-down of background sizes
const int ID_USE_DESKTOP_SETTINGS = 1010;
const int ID_ENABLE_SOUNDS = 1011;
const int ID_SHOW_FPS = 1012;
const int ID_MORE_INFO = 1015;
const int ID_USE_DESKTOP_BITMAP = 1016;
const int ID_ENABLE_RIPPLES = 1019;
const int ID_CLOSE = 1025;  // the "X" button
const int ID_YELLOW_SLIDER = 1026;
const int ID_PEARL_SLIDER = 1027;
const int ID_BLUE_SLIDER = 1028;
const int ID_TINY_SLIDER = 1029;
const int ID_FADE_LABEL = 1031;
const int ID_YELLOW_LABEL = 1032;
const int ID_BLUE_LABEL = 1033;
const int ID_FADE_SLIDER = 1034;
const int ID_TINY_LABEL = 1035;
const int ID_PEARL_LABEL = 1036;

extern const SDialogTemplate g_SaverDlgTemplate;
