#include "ui/SaverDlgTemplate.h"

namespace {

// Drop-down heights are the closed control's: the template's larger figure
// was room for the open list, which the toolkit sizes itself.
const SDialogItem ITEMS[] = {
    {ITEM_PICTURE_FRAME, ID_CAPTION, "", 0, 0, 320, 15},
    {ITEM_BUTTON, ID_CLOSE, "X", 320, 0, 30, 15},
    {ITEM_PICTURE_FRAME, ID_PICTURE, "", 225, 24, 120, 86},
    {ITEM_GROUP_BOX, 0, "Video mode", 5, 20, 95, 40},
    {ITEM_DROP_DOWN, ID_VIDEO_MODE, "", 10, 31, 85, 13},
    {ITEM_CHECK_BOX, ID_USE_DESKTOP_SETTINGS, "Use desktop settings", 10, 45, 85, 10},
    {ITEM_GROUP_BOX, 0, "Settings", 110, 20, 105, 40},
    {ITEM_CHECK_BOX, ID_ENABLE_SOUNDS, "Enable Sounds", 115, 30, 95, 10},
    {ITEM_CHECK_BOX, ID_SHOW_FPS, "Show FPS", 115, 45, 95, 10},
    {ITEM_GROUP_BOX, 0, "Background", 5, 65, 210, 45},
    {ITEM_LABEL, 1030, "Resolution", 10, 75, 40, 15},
    {ITEM_DROP_DOWN, ID_RESOLUTION, "", 50, 75, 50, 13},
    {ITEM_LABEL, ID_FADE_LABEL, "Fade", 105, 75, 40, 14},
    {ITEM_SLIDER, ID_FADE_SLIDER, "", 150, 75, 60, 16},
    {ITEM_CHECK_BOX, ID_USE_DESKTOP_BITMAP, "Use desktop bitmap", 10, 95, 79, 10},
    {ITEM_CHECK_BOX, ID_ENABLE_RIPPLES, "Enable ripples", 105, 95, 60, 10},
    {ITEM_GROUP_BOX, 0, "Fish Count", 5, 115, 255, 45},
    {ITEM_LABEL, ID_YELLOW_LABEL, "Yellow fish", 10, 125, 50, 15},
    {ITEM_SLIDER, ID_YELLOW_SLIDER, "", 65, 123, 65, 16},
    {ITEM_LABEL, ID_PEARL_LABEL, "Pearl fish", 10, 140, 50, 15},
    {ITEM_SLIDER, ID_PEARL_SLIDER, "", 65, 140, 65, 16},
    {ITEM_LABEL, ID_BLUE_LABEL, "Blue fish", 140, 125, 45, 15},
    {ITEM_SLIDER, ID_BLUE_SLIDER, "", 190, 123, 65, 16},
    {ITEM_LABEL, ID_TINY_LABEL, "Tiny fish", 140, 140, 45, 15},
    {ITEM_SLIDER, ID_TINY_SLIDER, "", 190, 140, 65, 16},
    {ITEM_BUTTON, ID_RESTORE_DEFAULTS, "Restore Defaults", 270, 130, 75, 20},
    {ITEM_BUTTON, ID_MORE_INFO, "More Info...", 290, 190, 55, 15},
    {ITEM_ETCHED_LINE, 0, "", 5, 215, 340, 1},
    {ITEM_DEFAULT_BUTTON, DIALOG_OK, "OK", 220, 225, 60, 15},
    {ITEM_BUTTON, DIALOG_CANCEL, "Cancel", 290, 225, 55, 15},
};

}  // namespace

const SDialogTemplate g_SaverDlgTemplate = {102, "MS Sans Serif", 8, 350, 247, ITEMS, sizeof(ITEMS) / sizeof(ITEMS[0])};
