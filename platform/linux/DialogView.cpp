// Dialogs on GTK 3: a borderless window with the template's controls at fixed
// places, dialog units turned into pixels for the dialog's font so that the
// layout keeps the template's proportions. Picture frames are native X
// windows, so that child windows of ours (on our own X connection) can live
// in them; our message queue is serviced from GTK's main loop meanwhile.
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <map>
#include <string>

#include "platform/Dialog.h"
#include "platform/Resources.h"
#include "platform/linux/MessagePumpSource.h"
#include "platform/linux/QuitSignals.h"

namespace {

const char* const DIALOG_NAME = "coralux-dialog";  // scopes our style rules to the dialog
const char* const ID_KEY = "coralux-id";
// The sample the host's dialog manager averages character widths over.
const char* const MEASURE_TEXT = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// The theme's paddings are made for roomy layouts; the template's controls
// are sized for a compact dialog font, so they are trimmed to fit.
const char* const DIALOG_CSS = R"(
#coralux-dialog, #coralux-dialog * { font-family: "%s", Sans; font-size: %dpt; }
#coralux-dialog > frame > border { border: 1px solid #6f7f89; }
#coralux-dialog button { padding: 0 4px; min-height: 0; min-width: 0; }
#coralux-dialog combobox button { padding: 0 2px 0 4px; }
#coralux-dialog checkbutton { padding: 0; min-height: 0; }
#coralux-dialog check { min-width: 12px; min-height: 12px; margin: 0 4px 0 0; }
#coralux-dialog scale { padding: 2px 6px; min-height: 0; }
#coralux-dialog scale slider { min-width: 10px; min-height: 16px; margin: -7px 0; }
#coralux-dialog frame > label { margin: 0 2px; }
)";

class CGtkDialogView final : public CDialogViewI
{
public:
    CGtkDialogView(const SDialogTemplate& dialogTemplate, CDialogHandlerI& handler)
        : m_template(dialogTemplate), m_handler(handler)
    {}
    ~CGtkDialogView() override
    {
        if (m_window)
            gtk_widget_destroy(m_window);
    }

    int Run();

    void SetTitle(const std::string& title) override { gtk_window_set_title(GTK_WINDOW(m_window), title.c_str()); }
    void CenterWindow() override;
    void SetIcon(int iconId) override;
    HWindow GetItemWindow(int id) override;
    bool GetItemRect(int id, SItemRect* rect) override;
    void ResetList(int id) override;
    void AddListItem(int id, const std::string& text) override;
    int GetListSelection(int id) override;
    void SetListSelection(int id, int index) override;
    bool GetCheck(int id) override;
    void SetCheck(int id, bool checked) override;
    void SetSliderRange(int id, int low, int high) override;
    int GetSliderPos(int id) override;
    void SetSliderPos(int id, int position) override;
    void SetItemText(int id, const std::string& text) override;
    void EnableItem(int id, bool enabled) override;
    void SetWaitCursor(bool wait) override;
    void SysCommand(uintptr_t command) override;
    void EndDialog(int result) override
    {
        m_result = result;
        m_ended = true;
    }

private:
    // Changes made by the dialog's code send no notifications back to it.
    struct SQuiet
    {
        explicit SQuiet(int& depth) : m_depth(depth) { ++m_depth; }
        ~SQuiet() { --m_depth; }
        int& m_depth;
    };

    void Build();
    void MeasureFont();
    int ToPixelsX(int units) const { return (units * m_baseX + 2) / 4; }
    int ToPixelsY(int units) const { return (units * m_baseY + 4) / 8; }
    GtkWidget* MakeControl(const SDialogItem& item);
    void MakePictureFramesNative();
    GtkWidget* Item(int id) const;
    // Calls into the dialog's code; a failure ends the dialog and Run raises it.
    template <class F>
    void Guard(F call);

    static void OnClicked(GtkWidget* widget, gpointer view);
    static void OnValueChanged(GtkWidget* widget, gpointer view);
    static gboolean OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer view);
    static gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer view);
    static gboolean OnMotion(GtkWidget*, GdkEventMotion* event, gpointer view);

    const SDialogTemplate& m_template;
    CDialogHandlerI& m_handler;
    GtkWidget* m_window = nullptr;
    std::map<int, GtkWidget*> m_items;
    std::map<int, HWindow> m_frames;  // picture frames' native windows
    int m_baseX = 6;                  // dialog base units in pixels
    int m_baseY = 13;
    int m_quiet = 0;
    bool m_ended = false;
    int m_result = DIALOG_CANCEL;
    std::exception_ptr m_failure;
    // The last pointer motion, where a move by the caption starts from.
    int m_rootX = 0;
    int m_rootY = 0;
    guint32 m_time = GDK_CURRENT_TIME;
    int m_defaultId = 0;  // the default button's id; 0 when there is none
};

template <class F>
void CGtkDialogView::Guard(F call)
{
    try {
        call();
    } catch (...) {
        if (!m_failure)
            m_failure = std::current_exception();
        EndDialog(DIALOG_FAILED);
    }
}

void CGtkDialogView::MeasureFont()
{
    PangoLayout* layout = gtk_widget_create_pango_layout(m_window, MEASURE_TEXT);
    int width = 0, height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    g_object_unref(layout);
    if (width > 0 && height > 0) {
        m_baseX = (width / 26 + 1) / 2;
        m_baseY = height;
    }
}

GtkWidget* CGtkDialogView::MakeControl(const SDialogItem& item)
{
    switch (item.kind) {
    case ITEM_LABEL: {
        GtkWidget* label = gtk_label_new(item.text);
        gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
        gtk_label_set_yalign(GTK_LABEL(label), 0.0f);
        return label;
    }
    case ITEM_PICTURE_FRAME: {
        GtkWidget* area = gtk_drawing_area_new();
        // Presses and moves over a child window of ours come up to the frame.
        gtk_widget_add_events(area, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK);
        return area;
    }
    case ITEM_BUTTON:
    case ITEM_DEFAULT_BUTTON: {
        GtkWidget* button = gtk_button_new_with_label(item.text);
        g_signal_connect(button, "clicked", G_CALLBACK(OnClicked), this);
        return button;
    }
    case ITEM_CHECK_BOX: {
        GtkWidget* check = gtk_check_button_new_with_label(item.text);
        g_signal_connect(check, "clicked", G_CALLBACK(OnClicked), this);
        return check;
    }
    case ITEM_GROUP_BOX:
        return gtk_frame_new(item.text);
    case ITEM_DROP_DOWN:
        return gtk_combo_box_text_new();
    case ITEM_SLIDER: {
        GtkWidget* slider = gtk_scale_new_with_range(GTK_ORIENTATION_HORIZONTAL, 0, 100, 1);
        gtk_scale_set_draw_value(GTK_SCALE(slider), FALSE);
        gtk_scale_set_digits(GTK_SCALE(slider), 0);
        g_signal_connect(slider, "value-changed", G_CALLBACK(OnValueChanged), this);
        return slider;
    }
    case ITEM_ETCHED_LINE:
        return gtk_separator_new(GTK_ORIENTATION_HORIZONTAL);
    }
    return nullptr;
}

void CGtkDialogView::Build()
{
    m_window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_widget_set_name(m_window, DIALOG_NAME);
    gtk_window_set_decorated(GTK_WINDOW(m_window), FALSE);
    gtk_window_set_resizable(GTK_WINDOW(m_window), FALSE);
    gtk_window_set_position(GTK_WINDOW(m_window), GTK_WIN_POS_CENTER);

    GtkCssProvider* css = gtk_css_provider_new();
    gchar* rules = g_strdup_printf(DIALOG_CSS, m_template.fontName, m_template.fontPoints);
    gtk_css_provider_load_from_data(css, rules, -1, nullptr);
    g_free(rules);
    gtk_style_context_add_provider_for_screen(gtk_widget_get_screen(m_window), GTK_STYLE_PROVIDER(css),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(css);
    MeasureFont();

    GtkWidget* fixed = gtk_fixed_new();
    gtk_widget_set_size_request(fixed, ToPixelsX(m_template.width), ToPixelsY(m_template.height));
    // A frame around the client area stands in for the missing window border.
    GtkWidget* border = gtk_frame_new(nullptr);
    gtk_frame_set_shadow_type(GTK_FRAME(border), GTK_SHADOW_OUT);
    gtk_container_add(GTK_CONTAINER(border), fixed);
    gtk_container_add(GTK_CONTAINER(m_window), border);
    for (size_t i = 0; i < m_template.itemCount; ++i) {
        const SDialogItem& item = m_template.items[i];
        GtkWidget* control = MakeControl(item);
        g_object_set_data(G_OBJECT(control), ID_KEY, GINT_TO_POINTER(item.id));
        gtk_widget_set_size_request(control, ToPixelsX(item.width), ToPixelsY(item.height));
        gtk_fixed_put(GTK_FIXED(fixed), control, ToPixelsX(item.x), ToPixelsY(item.y));
        if (item.id != 0)
            m_items[item.id] = control;
        if (item.kind == ITEM_DEFAULT_BUTTON) {
            gtk_widget_set_can_default(control, TRUE);
            gtk_window_set_default(GTK_WINDOW(m_window), control);
            m_defaultId = item.id;
        }
    }

    gtk_widget_add_events(m_window, GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK);
    g_signal_connect(m_window, "key-press-event", G_CALLBACK(OnKeyPress), this);
    g_signal_connect(m_window, "delete-event", G_CALLBACK(OnDelete), this);
    g_signal_connect(m_window, "motion-notify-event", G_CALLBACK(OnMotion), this);
}

// After the window is shown, when each frame has its final size: a child
// window takes its parent's size once, when it is made.
void CGtkDialogView::MakePictureFramesNative()
{
    for (size_t i = 0; i < m_template.itemCount; ++i) {
        const SDialogItem& item = m_template.items[i];
        if (item.kind != ITEM_PICTURE_FRAME || item.id == 0)
            continue;
        GdkWindow* window = gtk_widget_get_window(Item(item.id));
        if (window && gdk_window_ensure_native(window))
            m_frames[item.id] = gdk_x11_window_get_xid(window);
    }
    // Our own connection must find the frames on the server.
    gdk_display_sync(gtk_widget_get_display(m_window));
}

int CGtkDialogView::Run()
{
    Build();
    gtk_widget_show_all(m_window);
    MakePictureFramesNative();

    // Before the pump, which wakes on them: each ends the dialog as Cancel.
    InstallQuitSignals();
    const guint pump =
        AttachMessagePump({[this] { EndDialog(DIALOG_CANCEL); },
                           [this](std::exception_ptr failure) { Guard([&] { std::rethrow_exception(failure); }); }});

    Guard([this] { m_handler.OnInitDialog(*this); });
    while (!m_ended)
        gtk_main_iteration();

    if (pump)
        g_source_remove(pump);
    GdkDisplay* display = gtk_widget_get_display(m_window);
    gtk_widget_destroy(m_window);
    m_window = nullptr;
    // The child windows went with their frames: let their procedures hear it.
    gdk_display_sync(display);
    SMessage message;
    while (SysPeekMessage(&message)) {
        if (message.message != MSG_QUIT)
            SysDispatchMessage(message);
    }
    if (m_failure)
        std::rethrow_exception(m_failure);
    return m_result;
}

GtkWidget* CGtkDialogView::Item(int id) const
{
    auto found = m_items.find(id);
    return found == m_items.end() ? nullptr : found->second;
}

void CGtkDialogView::CenterWindow()
{
    GdkDisplay* display = gtk_widget_get_display(m_window);
    GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
    if (!monitor)
        monitor = gdk_display_get_monitor(display, 0);
    if (!monitor)
        return;
    GdkRectangle screen = {};
    gdk_monitor_get_geometry(monitor, &screen);
    int width = 0, height = 0;
    gtk_window_get_size(GTK_WINDOW(m_window), &width, &height);
    gtk_window_move(GTK_WINDOW(m_window), screen.x + (screen.width - width) / 2,
                    screen.y + (screen.height - height) / 2);
}

void CGtkDialogView::SetIcon(int iconId)
{
    const uint8_t* data = nullptr;
    size_t size = 0;
    if (!SysFindResource(iconId, &data, &size))
        return;
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new_with_type("ico", nullptr);
    if (!loader)
        return;
    if (gdk_pixbuf_loader_write(loader, data, size, nullptr) && gdk_pixbuf_loader_close(loader, nullptr)) {
        if (GdkPixbuf* icon = gdk_pixbuf_loader_get_pixbuf(loader))
            gtk_window_set_icon(GTK_WINDOW(m_window), icon);
    }
    g_object_unref(loader);
}

HWindow CGtkDialogView::GetItemWindow(int id)
{
    auto found = m_frames.find(id);
    return found == m_frames.end() ? 0 : found->second;
}

bool CGtkDialogView::GetItemRect(int id, SItemRect* rect)
{
    GtkWidget* widget = Item(id);
    int x = 0, y = 0;
    if (!widget || !gtk_widget_translate_coordinates(widget, m_window, 0, 0, &x, &y))
        return false;
    *rect = {x, y, x + gtk_widget_get_allocated_width(widget), y + gtk_widget_get_allocated_height(widget)};
    return true;
}

void CGtkDialogView::ResetList(int id)
{
    SQuiet quiet(m_quiet);
    if (GtkWidget* list = Item(id))
        gtk_combo_box_text_remove_all(GTK_COMBO_BOX_TEXT(list));
}

void CGtkDialogView::AddListItem(int id, const std::string& text)
{
    if (GtkWidget* list = Item(id))
        gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(list), text.c_str());
}

int CGtkDialogView::GetListSelection(int id)
{
    GtkWidget* list = Item(id);
    return list ? gtk_combo_box_get_active(GTK_COMBO_BOX(list)) : -1;
}

void CGtkDialogView::SetListSelection(int id, int index)
{
    SQuiet quiet(m_quiet);
    if (GtkWidget* list = Item(id))
        gtk_combo_box_set_active(GTK_COMBO_BOX(list), index);
}

bool CGtkDialogView::GetCheck(int id)
{
    GtkWidget* check = Item(id);
    return check && gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(check));
}

void CGtkDialogView::SetCheck(int id, bool checked)
{
    SQuiet quiet(m_quiet);
    if (GtkWidget* check = Item(id))
        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(check), checked);
}

void CGtkDialogView::SetSliderRange(int id, int low, int high)
{
    SQuiet quiet(m_quiet);
    if (GtkWidget* slider = Item(id)) {
        gtk_range_set_range(GTK_RANGE(slider), low, high);
        // One step per arrow key, a fifth of the range per page, as trackbars do.
        gtk_range_set_increments(GTK_RANGE(slider), 1, std::max(1, (high - low) / 5));
    }
}

int CGtkDialogView::GetSliderPos(int id)
{
    GtkWidget* slider = Item(id);
    return slider ? static_cast<int>(std::lround(gtk_range_get_value(GTK_RANGE(slider)))) : 0;
}

void CGtkDialogView::SetSliderPos(int id, int position)
{
    SQuiet quiet(m_quiet);
    if (GtkWidget* slider = Item(id))
        gtk_range_set_value(GTK_RANGE(slider), position);
}

void CGtkDialogView::SetItemText(int id, const std::string& text)
{
    GtkWidget* widget = Item(id);
    if (widget && GTK_IS_LABEL(widget))
        gtk_label_set_text(GTK_LABEL(widget), text.c_str());
    else if (widget && GTK_IS_BUTTON(widget))
        gtk_button_set_label(GTK_BUTTON(widget), text.c_str());
}

void CGtkDialogView::EnableItem(int id, bool enabled)
{
    if (GtkWidget* widget = Item(id))
        gtk_widget_set_sensitive(widget, enabled);
}

void CGtkDialogView::SetWaitCursor(bool wait)
{
    GdkWindow* window = gtk_widget_get_window(m_window);
    GdkDisplay* display = gtk_widget_get_display(m_window);
    GdkCursor* cursor = wait ? gdk_cursor_new_from_name(display, "wait") : nullptr;
    gdk_window_set_cursor(window, cursor);
    if (cursor)
        g_object_unref(cursor);
    gdk_display_flush(display);
}

void CGtkDialogView::SysCommand(uintptr_t command)
{
    // Without a window manager GDK moves the window itself until the button is released.
    if (command == SC_DRAGMOVE_COMMAND)
        gtk_window_begin_move_drag(GTK_WINDOW(m_window), 1, m_rootX, m_rootY, m_time);
}

void CGtkDialogView::OnClicked(GtkWidget* widget, gpointer data)
{
    CGtkDialogView* view = static_cast<CGtkDialogView*>(data);
    if (view->m_quiet || view->m_ended)
        return;
    const int id = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(widget), ID_KEY));
    view->Guard([&] { view->m_handler.OnCommand(id); });
}

void CGtkDialogView::OnValueChanged(GtkWidget* widget, gpointer data)
{
    CGtkDialogView* view = static_cast<CGtkDialogView*>(data);
    if (view->m_quiet || view->m_ended)
        return;
    const int id = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(widget), ID_KEY));
    view->Guard([&] { view->m_handler.OnHScroll(id); });
}

// The window sees keys before the focused control does.
gboolean CGtkDialogView::OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer data)
{
    CGtkDialogView* view = static_cast<CGtkDialogView*>(data);
    int command = 0;
    if (event->keyval == GDK_KEY_Escape) {
        command = DIALOG_CANCEL;
    } else if (event->keyval == GDK_KEY_Return || event->keyval == GDK_KEY_KP_Enter) {
        // Enter presses the default button, unless a push button has the focus.
        GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(view->m_window));
        if (focus && GTK_IS_BUTTON(focus) && !GTK_IS_TOGGLE_BUTTON(focus))
            return FALSE;
        command = view->m_defaultId;
    }
    if (command == 0)
        return FALSE;
    view->Guard([&] { view->m_handler.OnCommand(command); });
    return TRUE;
}

gboolean CGtkDialogView::OnDelete(GtkWidget*, GdkEvent*, gpointer data)
{
    CGtkDialogView* view = static_cast<CGtkDialogView*>(data);
    view->Guard([&] { view->m_handler.OnCommand(DIALOG_CANCEL); });
    return TRUE;  // the window goes when the run ends
}

gboolean CGtkDialogView::OnMotion(GtkWidget*, GdkEventMotion* event, gpointer data)
{
    CGtkDialogView* view = static_cast<CGtkDialogView*>(data);
    view->m_rootX = static_cast<int>(event->x_root);
    view->m_rootY = static_cast<int>(event->y_root);
    view->m_time = event->time;
    int originX = 0, originY = 0;
    gdk_window_get_origin(gtk_widget_get_window(view->m_window), &originX, &originY);
    const int x = view->m_rootX - originX;
    const int y = view->m_rootY - originY;
    const intptr_t point = static_cast<intptr_t>((static_cast<uint32_t>(y & 0xFFFF) << 16) | (x & 0xFFFF));
    const uintptr_t buttons = (event->state & GDK_BUTTON1_MASK) ? MOUSE_LEFT_HELD : 0;
    bool handled = false;
    view->Guard([&] { handled = view->m_handler.WindowProc(MSG_MOUSEMOVE, buttons, point); });
    return handled;
}

}  // namespace

int SysRunDialog(const SDialogTemplate& dialogTemplate, CDialogHandlerI& handler)
{
    // Child windows of ours live in the frames by X window id: GTK must speak X11.
    gdk_set_allowed_backends("x11");
    // The accessibility bridge would only warn on a desktop without its bus.
    setenv("NO_AT_BRIDGE", "1", 0);
    if (!gtk_init_check(nullptr, nullptr)) {
        // Without any display there is nobody to tell; with one named, say why nothing shows.
        if (std::getenv("DISPLAY"))
            std::fprintf(stderr, "coralux: cannot show the setup dialog on the X display \"%s\"\n",
                         std::getenv("DISPLAY"));
        return DIALOG_FAILED;
    }
    CGtkDialogView view(dialogTemplate, handler);
    return view.Run();
}
