// Modal dialogs on the host's dialog manager, built from the dialog resource
// the template names. The run loop is ours, so that pointer moves over the
// dialog's child windows (its pictures) reach the handler in the dialog's
// own coordinates, as they would over the dialog itself.
#include <windows.h>

#include <commctrl.h>

#include <exception>

#include "platform/Dialog.h"
#include "platform/windows/WindowClasses.h"

namespace {

class CWin32DialogView : public CDialogViewI
{
public:
    explicit CWin32DialogView(CDialogHandlerI& handler) : m_handler(handler) {}

    int Run(int resourceId);

    void SetTitle(const std::string& title) override { SetWindowTextA(m_dialog, title.c_str()); }

    void CenterWindow() override
    {
        RECT box;
        GetWindowRect(m_dialog, &box);
        const int width = box.right - box.left, height = box.bottom - box.top;
        SetWindowPos(m_dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }

    void SetIcon(int iconId) override
    {
        const HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId));
        if (icon)
            SendMessageA(m_dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    }

    HWindow GetItemWindow(int id) override { return ToHandle(GetDlgItem(m_dialog, id)); }

    bool GetItemRect(int id, SItemRect* rect) override
    {
        const HWND item = GetDlgItem(m_dialog, id);
        RECT box;
        if (!item || !GetWindowRect(item, &box))
            return false;
        MapWindowPoints(nullptr, m_dialog, reinterpret_cast<POINT*>(&box), 2);
        *rect = {box.left, box.top, box.right - 1, box.bottom - 1};
        return true;
    }

    void ResetList(int id) override { SendDlgItemMessageA(m_dialog, id, CB_RESETCONTENT, 0, 0); }

    void AddListItem(int id, const std::string& text) override
    {
        SendDlgItemMessageA(m_dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }

    int GetListSelection(int id) override
    {
        return static_cast<int>(SendDlgItemMessageA(m_dialog, id, CB_GETCURSEL, 0, 0));  // CB_ERR is -1
    }

    void SetListSelection(int id, int index) override { SendDlgItemMessageA(m_dialog, id, CB_SETCURSEL, index, 0); }

    bool GetCheck(int id) override { return IsDlgButtonChecked(m_dialog, id) == BST_CHECKED; }

    void SetCheck(int id, bool checked) override
    {
        CheckDlgButton(m_dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
    }

    void SetSliderRange(int id, int low, int high) override
    {
        SendDlgItemMessageA(m_dialog, id, TBM_SETRANGEMIN, FALSE, low);
        SendDlgItemMessageA(m_dialog, id, TBM_SETRANGEMAX, TRUE, high);
    }

    int GetSliderPos(int id) override { return static_cast<int>(SendDlgItemMessageA(m_dialog, id, TBM_GETPOS, 0, 0)); }

    // The trackbar clamps the position to its range itself.
    void SetSliderPos(int id, int position) override { SendDlgItemMessageA(m_dialog, id, TBM_SETPOS, TRUE, position); }

    void SetItemText(int id, const std::string& text) override { SetDlgItemTextA(m_dialog, id, text.c_str()); }

    void EnableItem(int id, bool enabled) override { EnableWindow(GetDlgItem(m_dialog, id), enabled); }

    void SetWaitCursor(bool wait) override
    {
        SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(wait ? IDC_WAIT : IDC_ARROW)));
    }

    void SysCommand(uintptr_t command) override
    {
        // The move loop takes the pointer itself once nobody holds it.
        ReleaseCapture();
        SendMessageA(m_dialog, WM_SYSCOMMAND, command, 0);
    }

    void EndDialog(int result) override
    {
        m_result = result;
        m_ended = true;
    }

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    // A dialog message for the handler; no exception crosses the dialog manager.
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool OfferPointer(const MSG& message);
    void Fail(std::exception_ptr failure);

    CDialogHandlerI& m_handler;
    HWND m_dialog = nullptr;
    bool m_ended = false;
    int m_result = DIALOG_CANCEL;
    std::exception_ptr m_failure;
};

INT_PTR CALLBACK CWin32DialogView::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        reinterpret_cast<CWin32DialogView*>(lParam)->m_dialog = dialog;
    }
    auto* view = reinterpret_cast<CWin32DialogView*>(GetWindowLongPtrA(dialog, DWLP_USER));
    return view ? view->Handle(message, wParam, lParam) : FALSE;
}

INT_PTR CWin32DialogView::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        switch (message) {
        case WM_INITDIALOG:
            m_handler.OnInitDialog(*this);
            return TRUE;
        case WM_COMMAND:
            // Buttons and check boxes tell their clicks; a list's changes are read at OK.
            if (HIWORD(wParam) == BN_CLICKED)
                m_handler.OnCommand(LOWORD(wParam));
            return TRUE;
        case WM_HSCROLL:
            if (lParam != 0)
                m_handler.OnHScroll(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
            return TRUE;
        case WM_CLOSE:
            m_handler.OnCommand(DIALOG_CANCEL);
            return TRUE;
        default:
            return FALSE;
        }
    } catch (...) {
        Fail(std::current_exception());
        return TRUE;
    }
}

void CWin32DialogView::Fail(std::exception_ptr failure)
{
    if (!m_failure)
        m_failure = failure;
    EndDialog(DIALOG_CANCEL);
}

// Pointer moves over the dialog or any window inside it, in the dialog's
// client coordinates; true when the handler took the move.
bool CWin32DialogView::OfferPointer(const MSG& message)
{
    if (message.message != WM_MOUSEMOVE || (message.hwnd != m_dialog && !IsChild(m_dialog, message.hwnd)))
        return false;
    POINT point = {static_cast<short>(LOWORD(message.lParam)), static_cast<short>(HIWORD(message.lParam))};
    MapWindowPoints(message.hwnd, m_dialog, &point, 1);
    const LPARAM where = MAKELPARAM(point.x, point.y);
    try {
        return m_handler.WindowProc(MSG_MOUSEMOVE, message.wParam, where);
    } catch (...) {
        Fail(std::current_exception());
        return true;
    }
}

int CWin32DialogView::Run(int resourceId)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    m_dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId), nullptr, DialogProc,
                                  reinterpret_cast<LPARAM>(this));
    if (!m_dialog) {
        if (m_failure)
            std::rethrow_exception(m_failure);
        return DIALOG_FAILED;
    }
    ShowWindow(m_dialog, SW_SHOW);
    MSG message;
    while (!m_ended) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            // A quit request ends the dialog and stays for the caller's loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0 || OfferPointer(message) || IsDialogMessageA(m_dialog, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DestroyWindow(m_dialog);
    if (m_failure)
        std::rethrow_exception(m_failure);
    return m_result;
}

}  // namespace

int SysRunDialog(const SDialogTemplate& dialogTemplate, CDialogHandlerI& handler)
{
    CWin32DialogView view(handler);
    return view.Run(dialogTemplate.resourceId);
}
