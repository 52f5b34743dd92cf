// The setup dialog's logic through a fake view: what the controls show, what
// reaches the settings, and when the dialog ends. No display is needed.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>
#include <unistd.h>

#include "app/SaverApp.h"
#include "app/Settings.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempConfigHome.h"
#include "ui/SaverDlg.h"
#include "ui/SaverDlgTemplate.h"

namespace {

// Controls as plain values; a slider clamps and a list refuses an index it
// lacks, as real controls do.
class CFakeView : public CDialogViewI
{
public:
    void SetTitle(const std::string& title) override { m_title = title; }
    void CenterWindow() override {}
    void SetIcon(int) override {}
    HWindow GetItemWindow(int) override { return 0; }
    bool GetItemRect(int id, SItemRect* rect) override
    {
        if (id != ID_CAPTION)
            return false;
        *rect = m_caption;
        return true;
    }
    void ResetList(int id) override
    {
        m_lists[id].clear();
        m_selection[id] = -1;
    }
    void AddListItem(int id, const std::string& text) override { m_lists[id].push_back(text); }
    int GetListSelection(int id) override { return m_selection.count(id) ? m_selection[id] : -1; }
    void SetListSelection(int id, int index) override
    {
        m_selection[id] = index >= 0 && static_cast<size_t>(index) < m_lists[id].size() ? index : -1;
    }
    bool GetCheck(int id) override { return m_checks[id]; }
    void SetCheck(int id, bool checked) override { m_checks[id] = checked; }
    void SetSliderRange(int id, int low, int high) override { m_ranges[id] = {low, high}; }
    int GetSliderPos(int id) override { return m_sliders[id]; }
    void SetSliderPos(int id, int position) override
    {
        const auto range = m_ranges.at(id);
        m_sliders[id] = std::clamp(position, range.first, range.second);
    }
    void SetItemText(int id, const std::string& text) override { m_texts[id] = text; }
    void EnableItem(int id, bool enabled) override { m_enabled[id] = enabled; }
    void SetWaitCursor(bool wait) override { m_cursor.push_back(wait); }
    void SysCommand(uintptr_t command) override { m_commands.push_back(command); }
    void EndDialog(int result) override { m_result = result; }

    std::string m_title;
    SItemRect m_caption = {0, 0, 560, 24};
    std::map<int, std::vector<std::string>> m_lists;
    std::map<int, int> m_selection;
    std::map<int, bool> m_checks;
    std::map<int, std::pair<int, int>> m_ranges;
    std::map<int, int> m_sliders;
    std::map<int, std::string> m_texts;
    std::map<int, bool> m_enabled;
    std::vector<bool> m_cursor;
    std::vector<uintptr_t> m_commands;
    int m_result = 0;  // 0: still open
};

// A display list with nothing in it.
class CSaverDlgWithoutModes : public CSaverDlg
{
protected:
    std::vector<SDisplayMode> GetDisplayModes() const override { return {}; }
};

class SaverDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetDefaultSettings();
        g_Settings.Path = ".\\";
    }

    // The user moves a slider to a position.
    void MoveSlider(int id, int position)
    {
        m_view.m_sliders[id] = position;
        m_dialog.OnHScroll(id);
    }

    // The user clicks a check box.
    void Click(int id)
    {
        m_view.m_checks[id] = !m_view.m_checks[id];
        m_dialog.OnCommand(id);
    }

    CFakeView m_view;
    CSaverDlg m_dialog;
};

intptr_t Point(int x, int y)
{
    return static_cast<intptr_t>((static_cast<uint32_t>(y & 0xFFFF) << 16) | (x & 0xFFFF));
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace

// --- Which lists are enabled ---

// Checking "Use desktop settings" greys the video modes at once; clearing it enables them.
TEST_F(SaverDlgTest, VideoModeListGreyedWhileDesktopSettingsChecked)
{
    m_dialog.OnInitDialog(m_view);
    EXPECT_FALSE(m_view.m_enabled.at(ID_VIDEO_MODE));
    Click(ID_USE_DESKTOP_SETTINGS);
    EXPECT_TRUE(m_view.m_enabled.at(ID_VIDEO_MODE));
    EXPECT_EQ(g_Settings.UseDesktopSettings, 0);
    Click(ID_USE_DESKTOP_SETTINGS);
    EXPECT_FALSE(m_view.m_enabled.at(ID_VIDEO_MODE));
}

// The resolution list is enabled only while "Use desktop bitmap" is checked.
TEST_F(SaverDlgTest, ResolutionListEnabledOnlyWithDesktopBitmap)
{
    m_dialog.OnInitDialog(m_view);
    EXPECT_FALSE(m_view.m_enabled.at(ID_RESOLUTION));
    Click(ID_USE_DESKTOP_BITMAP);
    EXPECT_TRUE(m_view.m_enabled.at(ID_RESOLUTION));
    EXPECT_EQ(g_Settings.UseDesktopBitmap, 1);
    Click(ID_USE_DESKTOP_BITMAP);
    EXPECT_FALSE(m_view.m_enabled.at(ID_RESOLUTION));
}

// --- Labels ---

// The labels follow the sliders while they move, and the settings with them.
TEST_F(SaverDlgTest, LabelsFollowSlidersWhileMoving)
{
    m_dialog.OnInitDialog(m_view);
    EXPECT_EQ(m_view.m_texts.at(ID_FADE_LABEL), "Fade [100%]");
    EXPECT_EQ(m_view.m_title, "Coralux: Setup");
    MoveSlider(ID_YELLOW_SLIDER, 7);
    EXPECT_EQ(m_view.m_texts.at(ID_YELLOW_LABEL), "Yellow Fish [7]");
    MoveSlider(ID_FADE_SLIDER, 35);
    EXPECT_EQ(m_view.m_texts.at(ID_FADE_LABEL), "Fade [35%]");
    MoveSlider(ID_PEARL_SLIDER, 2);
    MoveSlider(ID_BLUE_SLIDER, 3);
    MoveSlider(ID_TINY_SLIDER, 0);
    EXPECT_EQ(m_view.m_texts.at(ID_PEARL_LABEL), "Pearl Fish [2]");
    EXPECT_EQ(m_view.m_texts.at(ID_BLUE_LABEL), "Blue Fish [3]");
    EXPECT_EQ(m_view.m_texts.at(ID_TINY_LABEL), "Tiny Fish [0]");
    EXPECT_EQ(g_Settings.YellowFishCount, 7);
    EXPECT_EQ(g_Settings.Fade, 35);
    EXPECT_EQ(g_Settings.PearlFishCount, 2);
    EXPECT_EQ(g_Settings.BlueFishCount, 3);
    EXPECT_EQ(g_Settings.TinyFishCount, 0);
}

// --- The two lists ---

// Six modes as width x height x bits, the saved one selected; sizes 64 to 512 squared.
TEST_F(SaverDlgTest, ListsOfferModesAndSquareSizesWithSavedOnesSelected)
{
    g_Settings.ScreenWidth = 800;
    g_Settings.ScreenHeight = 600;
    g_Settings.ScreenDepth = 32;
    g_Settings.BackgroundRes = 128;
    m_dialog.OnInitDialog(m_view);
    EXPECT_EQ(m_view.m_lists[ID_VIDEO_MODE], (std::vector<std::string>{"640x480x16", "800x600x16", "1024x768x16",
                                                                       "640x480x32", "800x600x32", "1024x768x32"}));
    EXPECT_EQ(m_view.m_selection[ID_VIDEO_MODE], 4);
    EXPECT_EQ(m_view.m_lists[ID_RESOLUTION], (std::vector<std::string>{"64x64", "128x128", "256x256", "512x512"}));
    EXPECT_EQ(m_view.m_selection[ID_RESOLUTION], 1);
    EXPECT_EQ(m_view.m_ranges.at(ID_FADE_SLIDER), std::make_pair(0, 100));
    EXPECT_EQ(m_view.m_ranges.at(ID_TINY_SLIDER), std::make_pair(0, 10));
}

// Saved screen settings that match no mode select the first one.
TEST_F(SaverDlgTest, UnmatchedScreenSettingsSelectFirstMode)
{
    g_Settings.ScreenWidth = 1280;
    g_Settings.ScreenHeight = 1024;
    g_Settings.ScreenDepth = 32;
    m_dialog.OnInitDialog(m_view);
    EXPECT_EQ(m_view.m_selection[ID_VIDEO_MODE], 0);
}

// A "BackgroundRes" of 300 selects the first entry, and OK then stores 64.
TEST_F(SaverDlgTest, UnlistedBackgroundSizeSelectsFirstAndOkStores64)
{
    g_Settings.BackgroundRes = 300;
    m_dialog.OnInitDialog(m_view);
    EXPECT_EQ(m_view.m_selection[ID_RESOLUTION], 0);
    m_dialog.OnCommand(DIALOG_OK);
    EXPECT_EQ(g_Settings.BackgroundRes, 64);
    EXPECT_EQ(m_view.m_result, DIALOG_OK);
}

// --- How the dialog ends ---

// OK stores every control: the chosen mode, the five options, size, fade and counts.
TEST_F(SaverDlgTest, OkStoresEveryControl)
{
    m_dialog.OnInitDialog(m_view);
    m_view.m_selection[ID_VIDEO_MODE] = 5;
    m_view.m_checks[ID_USE_DESKTOP_SETTINGS] = false;
    m_view.m_checks[ID_ENABLE_SOUNDS] = false;
    m_view.m_checks[ID_SHOW_FPS] = true;
    m_view.m_checks[ID_USE_DESKTOP_BITMAP] = true;
    m_view.m_checks[ID_ENABLE_RIPPLES] = false;
    m_view.m_selection[ID_RESOLUTION] = 2;
    m_view.m_sliders[ID_FADE_SLIDER] = 60;
    m_view.m_sliders[ID_YELLOW_SLIDER] = 1;
    m_view.m_sliders[ID_PEARL_SLIDER] = 2;
    m_view.m_sliders[ID_BLUE_SLIDER] = 3;
    m_view.m_sliders[ID_TINY_SLIDER] = 4;
    m_dialog.OnCommand(DIALOG_OK);
    EXPECT_EQ(m_view.m_result, DIALOG_OK);
    EXPECT_EQ(g_Settings.ScreenWidth, 1024);
    EXPECT_EQ(g_Settings.ScreenHeight, 768);
    EXPECT_EQ(g_Settings.ScreenDepth, 32);
    EXPECT_EQ(g_Settings.UseDesktopSettings, 0);
    EXPECT_EQ(g_Settings.EnableSounds, 0);
    EXPECT_EQ(g_Settings.EnableFPS, 1);
    EXPECT_EQ(g_Settings.UseDesktopBitmap, 1);
    EXPECT_EQ(g_Settings.EnableRipples, 0);
    EXPECT_EQ(g_Settings.BackgroundRes, 256);
    EXPECT_EQ(g_Settings.Fade, 60);
    EXPECT_EQ(g_Settings.YellowFishCount, 1);
    EXPECT_EQ(g_Settings.PearlFishCount, 2);
    EXPECT_EQ(g_Settings.BlueFishCount, 3);
    EXPECT_EQ(g_Settings.TinyFishCount, 4);
}

// Restore Defaults puts the defaults in the controls; Cancel, "X" and
// Escape then end without OK, and the dialog never writes the store itself.
TEST_F(SaverDlgTest, RestoreDefaultsThenCancelLeavesStoreUnchanged)
{
    CTempConfigHome home;
    g_Settings.YellowFishCount = 9;
    g_Settings.Fade = 40;
    g_Settings.UseDesktopSettings = 0;
    CSaverApp(0, nullptr).SaveSettings();
    const std::string store = home.GetStoreFile();
    const std::string before = ReadFile(store);
    ASSERT_NE(before.find("\"YellowFishCount\"=dword:00000009"), std::string::npos) << before;

    for (int ending : {DIALOG_CANCEL, ID_CLOSE}) {
        CFakeView view;
        CSaverDlg dialog;
        dialog.OnInitDialog(view);
        dialog.OnCommand(ID_RESTORE_DEFAULTS);
        EXPECT_EQ(view.m_sliders[ID_YELLOW_SLIDER], 5);
        EXPECT_EQ(view.m_texts[ID_FADE_LABEL], "Fade [100%]");
        EXPECT_TRUE(view.m_checks[ID_USE_DESKTOP_SETTINGS]);
        EXPECT_EQ(view.m_result, 0);
        dialog.OnCommand(ending);
        EXPECT_EQ(view.m_result, DIALOG_CANCEL) << ending;
    }
    EXPECT_EQ(ReadFile(store), before);
}

// With no mode offered, or none selected, OK keeps the screen settings instead
// of reading a mode that is not there.
TEST_F(SaverDlgTest, MissingModeKeepsPreviousScreenSettings)
{
    g_Settings.ScreenWidth = 1280;
    g_Settings.ScreenHeight = 1024;
    g_Settings.ScreenDepth = 32;
    CSaverDlgWithoutModes withoutModes;
    withoutModes.OnInitDialog(m_view);
    EXPECT_TRUE(m_view.m_lists[ID_VIDEO_MODE].empty());
    withoutModes.OnCommand(DIALOG_OK);
    EXPECT_EQ(g_Settings.ScreenWidth, 1280);
    EXPECT_EQ(g_Settings.ScreenHeight, 1024);
    EXPECT_EQ(g_Settings.ScreenDepth, 32);

    CFakeView view;
    m_dialog.OnInitDialog(view);
    view.m_selection[ID_VIDEO_MODE] = -1;
    view.m_selection[ID_RESOLUTION] = -1;
    g_Settings.BackgroundRes = 128;
    m_dialog.OnCommand(DIALOG_OK);
    EXPECT_EQ(g_Settings.ScreenWidth, 1280);
    EXPECT_EQ(g_Settings.BackgroundRes, 128);
}

// --- Dragging by the caption strip ---

// Only a move with the left button held, inside the strip (edges included), starts a drag.
TEST_F(SaverDlgTest, DragStartsOnlyWithLeftButtonInsideCaption)
{
    m_dialog.OnInitDialog(m_view);
    EXPECT_TRUE(m_dialog.WindowProc(MSG_MOUSEMOVE, MOUSE_LEFT_HELD, Point(10, 10)));
    EXPECT_TRUE(m_dialog.WindowProc(MSG_MOUSEMOVE, MOUSE_LEFT_HELD, Point(560, 24)));
    EXPECT_EQ(m_view.m_commands, (std::vector<uintptr_t>{SC_DRAGMOVE_COMMAND, SC_DRAGMOVE_COMMAND}));
    EXPECT_FALSE(m_dialog.WindowProc(MSG_MOUSEMOVE, MOUSE_LEFT_HELD, Point(561, 10)));
    EXPECT_FALSE(m_dialog.WindowProc(MSG_MOUSEMOVE, MOUSE_LEFT_HELD, Point(10, 25)));
    EXPECT_FALSE(m_dialog.WindowProc(MSG_MOUSEMOVE, MOUSE_LEFT_HELD, Point(-1, 10)));
    EXPECT_FALSE(m_dialog.WindowProc(MSG_MOUSEMOVE, 0, Point(10, 10)));
    EXPECT_FALSE(m_dialog.WindowProc(MSG_LBUTTONDOWN, MOUSE_LEFT_HELD, Point(10, 10)));
    EXPECT_EQ(m_view.m_commands.size(), 2u);
}

// --- More Info ---

// The help page in the folder "Path" names, written with backslashes, goes to
// the desktop's handler under the wait cursor, which comes back afterwards.
TEST_F(SaverDlgTest, MoreInfoOpensHelpFromPathWithBackslashes)
{
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("coralux-help-" + std::to_string(::getpid()));
    std::filesystem::create_directories(root / "doc");
    std::filesystem::create_directories(root / "bin");
    std::ofstream(root / "doc" / "ReadMe.html") << "<html></html>";
    const std::filesystem::path opened = root / "opened.txt";
    const std::filesystem::path handler = root / "bin" / "xdg-open";
    std::ofstream(handler) << "#!/bin/sh\nprintf '%s' \"$1\" > \"" << opened.string() << ".part\" && mv \""
                           << opened.string() << ".part\" \"" << opened.string() << "\"\n";
    std::filesystem::permissions(handler, std::filesystem::perms::owner_all);
    CScopedEnv path("PATH", (root / "bin").string() + ":" + std::getenv("PATH"));

    std::string hostPath = (root / "doc").string() + "\\";
    for (char& c : hostPath) {
        if (c == '/')
            c = '\\';
    }
    g_Settings.Path = hostPath;
    m_dialog.OnInitDialog(m_view);
    m_dialog.OnCommand(ID_MORE_INFO);
    EXPECT_EQ(m_view.m_cursor, (std::vector<bool>{true, false}));
    for (int wait = 0; wait < 500 && !std::filesystem::exists(opened); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(ReadFile(opened.string()), (root / "doc" / "ReadMe.html").string());
    std::filesystem::remove_all(root);
}
