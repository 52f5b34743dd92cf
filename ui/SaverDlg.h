#pragma once
// The setup dialog: the user picks the video mode, the background, the
// effects and the fish counts. It edits the settings record directly, on
// every change; whoever runs it saves the record only when it ends with OK.
// Its controls are reached through a view, so its logic is tested without a
// display.
#include <string>
#include <vector>

#include "platform/Dialog.h"
#include "render/Display.h"
#include "ui/SplashWnd.h"

const int ICON_SAVER = 128;

class CSaverDlg : public CDialogHandlerI
{
public:
    CSaverDlg() = default;
    CSaverDlg(const CSaverDlg&) = delete;
    CSaverDlg& operator=(const CSaverDlg&) = delete;

    // Runs the dialog modally: DIALOG_OK, DIALOG_CANCEL, or DIALOG_FAILED
    // when there is no display to show it on.
    int DoModal();

    // Centres the dialog, sets its title and icon, puts the two pictures in
    // their frames and fills the controls from the settings.
    void OnInitDialog(CDialogViewI& view) override;
    void OnCommand(int id) override;
    // Any slider move: the settings follow at once.
    void OnHScroll(int id) override;
    // Dragging with the left button over the caption strip moves the dialog.
    bool WindowProc(unsigned message, uintptr_t wParam, intptr_t lParam) override;

    // fill: put the lists and slider ranges in place (at start).
    // save (without fill): controls -> settings.
    // Always: settings -> controls, labels, and which lists are enabled.
    void UpdateControls(bool fill, bool save);
    void OnOk();
    void OnClose();
    void OnOptionChanged();
    void OnRestoreDefaults();
    // Opens the help page with the desktop's handler; nothing is reported when it fails.
    void OnAbout();

protected:
    // The video modes offered, from a freshly built display list.
    virtual std::vector<SDisplayMode> GetDisplayModes() const;

private:
    void FillControls(const std::vector<SDisplayMode>& modes);
    void ReadControls();
    void StoreSettings(const std::vector<SDisplayMode>& modes);
    void ShowSettings(const std::vector<SDisplayMode>& modes);
    std::string FindHelpFile() const;

    CDialogViewI* m_view = nullptr;
    CSplashWnd m_picture;  // the aquarium in its frame
    CSplashWnd m_caption;  // the title strip

    // One value per control, exchanged with the controls both ways.
    bool m_bUseDesktopSettings = false;
    bool m_bEnableSounds = false;
    bool m_bShowFPS = false;
    bool m_bUseDesktopBitmap = false;
    bool m_bEnableRipples = false;
    int m_nVideoMode = -1;
    int m_nResolution = -1;
    int m_nFade = 0;
    int m_nYellowFish = 0;
    int m_nPearlFish = 0;
    int m_nBlueFish = 0;
    int m_nTinyFish = 0;
};
