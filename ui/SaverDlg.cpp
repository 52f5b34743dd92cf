#include "ui/SaverDlg.h"

#include <algorithm>
#include <cstdio>

#include "app/Settings.h"
#include "app/Trace.h"
#include "platform/Shell.h"
#include "ui/SaverDlgTemplate.h"

namespace {

const char* const DIALOG_TITLE = "Coralux: Setup";
// The compiled help file comes with the Windows build, the page with the Linux one.
const char* const HELP_FILES[] = {"ReadMe.chm", "ReadMe.html"};
// Where the help lies relative to the program: beside it on Windows, installed,
// then in the build tree.
const char* const HELP_BESIDE_PROGRAM[] = {"ReadMe.chm", "../share/coralux/ReadMe.html", "ReadMe.html"};

const int RESOLUTION_COUNT = 4;  // 64, 128, 256 and 512 pixels
const int SMALLEST_RESOLUTION_SHIFT = 6;
const int FADE_MAX = 100;  // percent
const int FISH_MAX = 10;   // per kind

const int FISH_SLIDERS[] = {ID_YELLOW_SLIDER, ID_PEARL_SLIDER, ID_BLUE_SLIDER, ID_TINY_SLIDER};

int ResolutionAt(int index)
{
    return 1 << (index + SMALLEST_RESOLUTION_SHIFT);
}

// Position of the mode equal to the screen settings; -1 when none is.
int FindScreenMode(const std::vector<SDisplayMode>& modes)
{
    for (size_t i = 0; i < modes.size(); ++i) {
        if (modes[i].width == g_Settings.ScreenWidth && modes[i].height == g_Settings.ScreenHeight &&
            modes[i].bits == g_Settings.ScreenDepth)
            return static_cast<int>(i);
    }
    return -1;
}

// Position of the entry equal to "BackgroundRes"; -1 when none is.
int FindResolution()
{
    for (int i = 0; i < RESOLUTION_COUNT; ++i) {
        if (ResolutionAt(i) == g_Settings.BackgroundRes)
            return i;
    }
    return -1;
}

std::string Format(const char* format, int a, int b = 0, int c = 0)
{
    char text[64];
    std::snprintf(text, sizeof(text), format, a, b, c);
    return text;
}

}  // namespace

int CSaverDlg::DoModal()
{
    return SysRunDialog(g_SaverDlgTemplate, *this);
}

void CSaverDlg::OnInitDialog(CDialogViewI& view)
{
    try {
        m_view = &view;
        view.CenterWindow();
        view.SetTitle(DIALOG_TITLE);
        view.SetIcon(ICON_SAVER);
        // Either picture may fail to appear; the settings are what matter.
        m_picture.Create(view.GetItemWindow(ID_PICTURE), BITMAP_PREVIEW);
        m_caption.Create(view.GetItemWindow(ID_CAPTION), BITMAP_TITLE);
        UpdateControls(true, false);
    } catch (...) {
        AddTrace("CSaverDlg::OnInitDialog");
        throw;
    }
}

void CSaverDlg::OnCommand(int id)
{
    switch (id) {
    case DIALOG_OK:
        OnOk();
        break;
    case DIALOG_CANCEL:
        m_view->EndDialog(DIALOG_CANCEL);
        break;
    case ID_CLOSE:
        OnClose();
        break;
    case ID_RESTORE_DEFAULTS:
        OnRestoreDefaults();
        break;
    case ID_MORE_INFO:
        OnAbout();
        break;
    case ID_USE_DESKTOP_SETTINGS:
    case ID_ENABLE_SOUNDS:
    case ID_SHOW_FPS:
    case ID_USE_DESKTOP_BITMAP:
    case ID_ENABLE_RIPPLES:
        OnOptionChanged();
        break;
    default:
        break;
    }
}

void CSaverDlg::OnHScroll(int)
{
    UpdateControls(false, true);
}

bool CSaverDlg::WindowProc(unsigned message, uintptr_t wParam, intptr_t lParam)
{
    try {
        if (message != MSG_MOUSEMOVE || !(wParam & MOUSE_LEFT_HELD))
            return false;
        // Read as the host packs them: a point left of or above the client
        // area wraps to a large number and so lies outside the strip.
        const int x = static_cast<int>(lParam & 0xFFFF);
        const int y = static_cast<int>((lParam >> 16) & 0xFFFF);
        SItemRect strip = {};
        if (!m_view->GetItemRect(ID_CAPTION, &strip) || x < strip.left || x > strip.right || y < strip.top ||
            y > strip.bottom)
            return false;
        m_view->SysCommand(SC_DRAGMOVE_COMMAND);
        return true;
    } catch (...) {
        AddTrace("CSaverDlg::WindowProc");
        throw;
    }
}

void CSaverDlg::UpdateControls(bool fill, bool save)
{
    try {
        const std::vector<SDisplayMode> modes = GetDisplayModes();
        if (fill) {
            FillControls(modes);
        } else if (save) {
            ReadControls();
            StoreSettings(modes);
        }
        ShowSettings(modes);
    } catch (...) {
        AddTrace("CSaverDlg::UpdateControls");
        throw;
    }
}

void CSaverDlg::FillControls(const std::vector<SDisplayMode>& modes)
{
    m_view->ResetList(ID_VIDEO_MODE);
    for (const SDisplayMode& mode : modes)
        m_view->AddListItem(ID_VIDEO_MODE, Format("%dx%dx%d", mode.width, mode.height, mode.bits));
    m_nVideoMode = std::max(FindScreenMode(modes), 0);

    m_view->ResetList(ID_RESOLUTION);
    for (int i = 0; i < RESOLUTION_COUNT; ++i)
        m_view->AddListItem(ID_RESOLUTION, Format("%dx%d", ResolutionAt(i), ResolutionAt(i)));
    m_nResolution = std::max(FindResolution(), 0);

    m_view->SetSliderRange(ID_FADE_SLIDER, 0, FADE_MAX);
    for (int slider : FISH_SLIDERS)
        m_view->SetSliderRange(slider, 0, FISH_MAX);
}

void CSaverDlg::ReadControls()
{
    m_bUseDesktopSettings = m_view->GetCheck(ID_USE_DESKTOP_SETTINGS);
    m_bEnableSounds = m_view->GetCheck(ID_ENABLE_SOUNDS);
    m_bShowFPS = m_view->GetCheck(ID_SHOW_FPS);
    m_bUseDesktopBitmap = m_view->GetCheck(ID_USE_DESKTOP_BITMAP);
    m_bEnableRipples = m_view->GetCheck(ID_ENABLE_RIPPLES);
    m_nVideoMode = m_view->GetListSelection(ID_VIDEO_MODE);
    m_nResolution = m_view->GetListSelection(ID_RESOLUTION);
    m_nFade = m_view->GetSliderPos(ID_FADE_SLIDER);
    m_nYellowFish = m_view->GetSliderPos(ID_YELLOW_SLIDER);
    m_nPearlFish = m_view->GetSliderPos(ID_PEARL_SLIDER);
    m_nBlueFish = m_view->GetSliderPos(ID_BLUE_SLIDER);
    m_nTinyFish = m_view->GetSliderPos(ID_TINY_SLIDER);
}

void CSaverDlg::StoreSettings(const std::vector<SDisplayMode>& modes)
{
    // No mode selected, or none offered: the screen settings stay as they were.
    if (m_nVideoMode >= 0 && static_cast<size_t>(m_nVideoMode) < modes.size()) {
        g_Settings.ScreenWidth = modes[m_nVideoMode].width;
        g_Settings.ScreenHeight = modes[m_nVideoMode].height;
        g_Settings.ScreenDepth = modes[m_nVideoMode].bits;
    }
    g_Settings.UseDesktopSettings = m_bUseDesktopSettings ? 1 : 0;
    g_Settings.EnableSounds = m_bEnableSounds ? 1 : 0;
    g_Settings.EnableRipples = m_bEnableRipples ? 1 : 0;
    g_Settings.UseDesktopBitmap = m_bUseDesktopBitmap ? 1 : 0;
    g_Settings.EnableFPS = m_bShowFPS ? 1 : 0;
    // Likewise no entry selected keeps the size: 2 to the power 5 is no size we offer.
    if (m_nResolution >= 0 && m_nResolution < RESOLUTION_COUNT)
        g_Settings.BackgroundRes = ResolutionAt(m_nResolution);
    g_Settings.Fade = m_nFade;
    g_Settings.YellowFishCount = m_nYellowFish;
    g_Settings.PearlFishCount = m_nPearlFish;
    g_Settings.BlueFishCount = m_nBlueFish;
    g_Settings.TinyFishCount = m_nTinyFish;
}

void CSaverDlg::ShowSettings(const std::vector<SDisplayMode>& modes)
{
    m_bUseDesktopSettings = g_Settings.UseDesktopSettings != 0;
    m_bEnableSounds = g_Settings.EnableSounds != 0;
    m_bShowFPS = g_Settings.EnableFPS != 0;
    m_bUseDesktopBitmap = g_Settings.UseDesktopBitmap != 0;
    m_bEnableRipples = g_Settings.EnableRipples != 0;
    m_nFade = g_Settings.Fade;
    m_nYellowFish = g_Settings.YellowFishCount;
    m_nPearlFish = g_Settings.PearlFishCount;
    m_nBlueFish = g_Settings.BlueFishCount;
    m_nTinyFish = g_Settings.TinyFishCount;

    m_view->EnableItem(ID_VIDEO_MODE, !m_bUseDesktopSettings);
    m_view->EnableItem(ID_RESOLUTION, m_bUseDesktopBitmap);
    m_view->SetItemText(ID_FADE_LABEL, Format("Fade [%d%c]", m_nFade, '%'));
    m_view->SetItemText(ID_YELLOW_LABEL, Format("Yellow Fish [%d]", m_nYellowFish));
    m_view->SetItemText(ID_BLUE_LABEL, Format("Blue Fish [%d]", m_nBlueFish));
    m_view->SetItemText(ID_PEARL_LABEL, Format("Pearl Fish [%d]", m_nPearlFish));
    m_view->SetItemText(ID_TINY_LABEL, Format("Tiny Fish [%d]", m_nTinyFish));
    if (const int mode = FindScreenMode(modes); mode >= 0)
        m_nVideoMode = mode;
    if (const int resolution = FindResolution(); resolution >= 0)
        m_nResolution = resolution;

    m_view->SetCheck(ID_USE_DESKTOP_SETTINGS, m_bUseDesktopSettings);
    m_view->SetCheck(ID_ENABLE_SOUNDS, m_bEnableSounds);
    m_view->SetCheck(ID_SHOW_FPS, m_bShowFPS);
    m_view->SetCheck(ID_USE_DESKTOP_BITMAP, m_bUseDesktopBitmap);
    m_view->SetCheck(ID_ENABLE_RIPPLES, m_bEnableRipples);
    m_view->SetListSelection(ID_VIDEO_MODE, m_nVideoMode);
    m_view->SetListSelection(ID_RESOLUTION, m_nResolution);
    m_view->SetSliderPos(ID_FADE_SLIDER, m_nFade);
    m_view->SetSliderPos(ID_YELLOW_SLIDER, m_nYellowFish);
    m_view->SetSliderPos(ID_PEARL_SLIDER, m_nPearlFish);
    m_view->SetSliderPos(ID_BLUE_SLIDER, m_nBlueFish);
    m_view->SetSliderPos(ID_TINY_SLIDER, m_nTinyFish);
}

void CSaverDlg::OnOk()
{
    try {
        UpdateControls(false, true);
        m_view->EndDialog(DIALOG_OK);
    } catch (...) {
        AddTrace("CSaverDlg::OnOk");
        throw;
    }
}

void CSaverDlg::OnClose()
{
    m_view->EndDialog(DIALOG_CANCEL);
}

void CSaverDlg::OnOptionChanged()
{
    UpdateControls(false, true);
}

void CSaverDlg::OnRestoreDefaults()
{
    SetDefaultSettings();
    UpdateControls(false, false);
}

void CSaverDlg::OnAbout()
{
    try {
        m_view->SetWaitCursor(true);
        const std::string help = FindHelpFile();
        if (!help.empty())
            SysOpenDocument(help);
        m_view->SetWaitCursor(false);
    } catch (...) {
        AddTrace("CSaverDlg::OnAbout");
        throw;
    }
}

std::vector<SDisplayMode> CSaverDlg::GetDisplayModes() const
{
    const CDisplay display;
    std::vector<SDisplayMode> modes;
    for (unsigned i = 0; i < display.GetModeCount(); ++i)
        modes.push_back(*display.GetMode(i));
    return modes;
}

// The page in the folder "Path" names (written the host's way, with
// backslashes), else the copy that came with the program; empty when neither exists.
std::string CSaverDlg::FindHelpFile() const
{
    std::string folder = g_Settings.Path;
    for (char& c : folder) {
        if (c == '\\')
            c = '/';
    }
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    for (const char* name : HELP_FILES) {
        if (SysFileExists(folder + name))
            return folder + name;
    }
    const std::string program = SysGetProgramFolder();
    for (const char* beside : HELP_BESIDE_PROGRAM) {
        if (!program.empty() && SysFileExists(program + beside))
            return program + beside;
    }
    return std::string();
}
