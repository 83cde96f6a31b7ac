#include "common/accessible.h"

#include <wx/window.h>

#include <gtk/gtk-a11y.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <climits>
#include <map>
#include <vector>

// GTK's accessibility toolkit sees a window the library draws itself as an
// empty panel. Such a window gets an accessible object of ours instead,
// which answers from the program's own description of its content: a list
// of rows (each row an object of its own) or a text.

namespace
{
struct RowsModel;

// One row of a list: what the desktop asks of it is read from the list at
// the time, so the object never goes stale while the row lives.
struct RowObject
{
    AtkObject parent;
    RowsModel* model; // null once the row or its list is gone
    size_t index;
    gchar* name; // the last name given out, owned
};
struct RowObjectClass
{
    AtkObjectClass parent;
};

// The window's own object when it shows rows, and when it shows text.
struct RowsObject
{
    GtkContainerAccessible parent;
};
struct RowsObjectClass
{
    GtkContainerAccessibleClass parent;
};
struct TextObject
{
    GtkWidgetAccessible parent;
    gchar* name;
};
struct TextObjectClass
{
    GtkWidgetAccessibleClass parent;
};

struct RowsModel
{
    wxWindow* window;
    std::unique_ptr<AccessibleRowList> rows;
    AccessibleListRole role;
    std::vector<AtkObject*> children; // made as asked for, one reference each
    AtkObject* focused = nullptr;     // borrowed from children

    ~RowsModel() { DropChildren(); }
    void DropChildren();
};

struct ControlModel
{
    wxWindow* window;
    AccessibleRole role;
    std::function<wxString()> name;
    std::function<void()> press;
};

struct TextModel
{
    AccessibleTextRole role;
    std::function<wxString()> text;
    wxString said; // the text the desktop was last told of
};

// Where each description hangs on its widget, and the object made from it.
const GQuark g_rowsQuark = g_quark_from_static_string("amorquant-accessible-rows");
const GQuark g_textQuark = g_quark_from_static_string("amorquant-accessible-text");
const GQuark g_controlQuark = g_quark_from_static_string("amorquant-accessible-control");
const GQuark g_objectQuark = g_quark_from_static_string("amorquant-accessible-object");

template <typename Model> Model* ModelOf(GtkWidget* widget, GQuark quark)
{
    return widget ? static_cast<Model*>(g_object_get_qdata(G_OBJECT(widget), quark)) : nullptr;
}

// The widget the library draws the window's content in, and gives the
// keyboard to.
GtkWidget* ContentWidget(wxWindow* window)
{
    return window->m_wxwindow ? window->m_wxwindow : window->GetHandle();
}

RowsModel* RowsOf(GtkWidget* widget)
{
    return ModelOf<RowsModel>(widget, g_rowsQuark);
}

TextModel* TextOf(GtkWidget* widget)
{
    return ModelOf<TextModel>(widget, g_textQuark);
}

GtkWidget* WidgetOf(AtkObject* object)
{
    return gtk_accessible_get_widget(GTK_ACCESSIBLE(object));
}

bool HasKeyboard(wxWindow* window)
{
    const wxWindow* focus = wxWindow::FindFocus();
    return focus && (focus == window || window->IsDescendant(const_cast<wxWindow*>(focus)));
}

// Keeps a text given out as const until the next one replaces it.
const gchar* Keep(gchar** kept, const wxString& text)
{
    g_free(*kept);
    *kept = g_strdup(text.utf8_str());
    return *kept;
}

// Offsets count characters, as a wxString does here.
gchar* Slice(const wxString& text, gint start, gint end)
{
    const gint length = gint(text.length());
    if (end < 0 || end > length)
        end = length;
    start = std::clamp(start, 0, end);
    return g_strdup(text.Mid(size_t(start), size_t(end - start)).utf8_str());
}

// The character, or the line, at an offset; other units are read as lines,
// which here are short.
gchar* Around(const wxString& text, gint offset, AtkTextGranularity unit, gint* start, gint* end)
{
    const gint length = gint(text.length());
    offset = std::clamp(offset, 0, length);
    if (unit == ATK_TEXT_GRANULARITY_CHAR)
    {
        *start = offset;
        *end = std::min(offset + 1, length);
    }
    else
    {
        const size_t before = offset == 0 ? wxString::npos : text.rfind('\n', size_t(offset - 1));
        const size_t after = text.find('\n', size_t(offset));
        *start = before == wxString::npos ? 0 : gint(before) + 1;
        *end = after == wxString::npos ? length : gint(after) + 1;
    }
    return Slice(text, *start, *end);
}

// --- rows ----------------------------------------------------------------

RowObject* AsRow(gpointer object)
{
    return reinterpret_cast<RowObject*>(object);
}

// Whether the row still stands in a list, and what it says.
bool Said(gpointer object, AccessibleRow& said)
{
    RowObject* row = AsRow(object);
    if (!row->model || row->index >= row->model->rows->RowCount())
        return false;
    said = row->model->rows->Row(row->index);
    return true;
}

AtkRole RoleOf(AccessibleRole role)
{
    switch (role)
    {
    case AccessibleRole::Heading:
        return ATK_ROLE_HEADING;
    case AccessibleRole::CheckBox:
        return ATK_ROLE_CHECK_BOX;
    case AccessibleRole::NumberField:
        return ATK_ROLE_SPIN_BUTTON;
    case AccessibleRole::Choice:
        return ATK_ROLE_COMBO_BOX;
    case AccessibleRole::Button:
        return ATK_ROLE_PUSH_BUTTON;
    case AccessibleRole::Link:
        return ATK_ROLE_LINK;
    }
    return ATK_ROLE_UNKNOWN;
}

void RowComponentInit(AtkComponentIface* iface);

// A heading is a plain row: what it says, and where it is.
G_DEFINE_TYPE_WITH_CODE(RowObject, row_object, ATK_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_COMPONENT, RowComponentInit))

void row_object_init(RowObject*) {}

const gchar* RowName(AtkObject* object)
{
    AccessibleRow said;
    return Said(object, said) ? Keep(&AsRow(object)->name, said.name) : "";
}

AtkRole RowRole(AtkObject* object)
{
    AccessibleRow said;
    return Said(object, said) ? RoleOf(said.role) : ATK_ROLE_UNKNOWN;
}

gint RowIndex(AtkObject* object)
{
    return AsRow(object)->model ? gint(AsRow(object)->index) : -1;
}

AtkStateSet* RowStates(AtkObject* object)
{
    AtkStateSet* states = atk_state_set_new();
    AccessibleRow said;
    if (!Said(object, said))
    {
        atk_state_set_add_state(states, ATK_STATE_DEFUNCT);
        return states;
    }
    const RowObject* row = AsRow(object);
    wxWindow* window = row->model->window;
    for (AtkStateType state : {ATK_STATE_ENABLED, ATK_STATE_SENSITIVE, ATK_STATE_VISIBLE})
        atk_state_set_add_state(states, state);
    if (window->IsShownOnScreen() &&
        row->model->rows->RowRect(row->index).Intersects(wxRect(window->GetClientSize())))
        atk_state_set_add_state(states, ATK_STATE_SHOWING);
    if (said.role != AccessibleRole::Button)
    {
        atk_state_set_add_state(states, ATK_STATE_FOCUSABLE);
        atk_state_set_add_state(states, ATK_STATE_SELECTABLE);
    }
    if (row->model->rows->CurrentRow() == gint(row->index))
    {
        atk_state_set_add_state(states, ATK_STATE_SELECTED);
        if (HasKeyboard(window))
            atk_state_set_add_state(states, ATK_STATE_FOCUSED);
    }
    if (said.role == AccessibleRole::CheckBox)
    {
        atk_state_set_add_state(states, ATK_STATE_CHECKABLE);
        if (said.checked)
            atk_state_set_add_state(states, ATK_STATE_CHECKED);
    }
    if (said.role == AccessibleRole::NumberField)
    {
        atk_state_set_add_state(states, ATK_STATE_EDITABLE);
        atk_state_set_add_state(states, ATK_STATE_SINGLE_LINE);
    }
    return states;
}

void RowFinalize(GObject* object)
{
    g_free(AsRow(object)->name);
    G_OBJECT_CLASS(row_object_parent_class)->finalize(object);
}

void row_object_class_init(RowObjectClass* klass)
{
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->get_name = RowName;
    atk->get_role = RowRole;
    atk->get_index_in_parent = RowIndex;
    atk->ref_state_set = RowStates;
    G_OBJECT_CLASS(klass)->finalize = RowFinalize;
}

// Where a row is: its list's place, moved by the row's place in the list.
void RowExtents(AtkComponent* component, gint* x, gint* y, gint* width, gint* height,
                AtkCoordType coords)
{
    *x = *y = *width = *height = 0;
    RowObject* row = AsRow(component);
    if (!row->model)
        return;
    AtkObject* list = atk_object_get_parent(ATK_OBJECT(row));
    atk_component_get_extents(ATK_COMPONENT(list), x, y, nullptr, nullptr, coords);
    const wxRect rect = row->model->rows->RowRect(row->index);
    *x += rect.x;
    *y += rect.y;
    *width = rect.width;
    *height = rect.height;
}

gboolean RowGrabFocus(AtkComponent* component)
{
    RowObject* row = AsRow(component);
    if (!row->model)
        return FALSE;
    wxWindow* window = row->model->window;
    const size_t index = row->index;
    row->model->rows->SelectRow(index);
    window->SetFocus();
    // A list that has the keyboard already says nothing of a new row.
    if (HasKeyboard(window))
        AnnounceRowFocus(window, index);
    return TRUE;
}

void RowComponentInit(AtkComponentIface* iface)
{
    iface->get_extents = RowExtents;
    iface->grab_focus = RowGrabFocus;
}

// A row that ticks or presses.
struct ActionRow
{
    RowObject parent;
};
struct ActionRowClass
{
    RowObjectClass parent;
};

void ActionInit(AtkActionIface* iface);

G_DEFINE_TYPE_WITH_CODE(ActionRow, action_row, row_object_get_type(),
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_ACTION, ActionInit))

void action_row_init(ActionRow*) {}
void action_row_class_init(ActionRowClass*) {}

gboolean DoAction(AtkAction* action, gint i)
{
    RowObject* row = AsRow(action);
    if (i != 0 || !row->model)
        return FALSE;
    // Later, as a click is: the desktop's call would otherwise wait on a
    // box the press opens.
    RowsModel* model = row->model;
    const size_t index = row->index;
    wxWindow* window = model->window;
    window->CallAfter(
        [window, index]
        {
            if (RowsModel* now = RowsOf(ContentWidget(window)))
                now->rows->ActivateRow(index);
        });
    return TRUE;
}

gint ActionCount(AtkAction*)
{
    return 1;
}

const gchar* ActionName(AtkAction*, gint i)
{
    return i == 0 ? "click" : nullptr;
}

void ActionInit(AtkActionIface* iface)
{
    iface->do_action = DoAction;
    iface->get_n_actions = ActionCount;
    iface->get_name = ActionName;
}

// A row whose answer is text: a number, or a choice.
struct TextRow
{
    RowObject parent;
};
struct TextRowClass
{
    RowObjectClass parent;
};

wxString RowValue(gpointer object)
{
    AccessibleRow said;
    return Said(object, said) ? said.value : wxString();
}

gchar* RowText(AtkText* text, gint start, gint end)
{
    return Slice(RowValue(text), start, end);
}

gint RowCharacterCount(AtkText* text)
{
    return gint(RowValue(text).length());
}

gint RowCaret(AtkText* text)
{
    return RowCharacterCount(text);
}

gchar* RowTextAround(AtkText* text, gint offset, AtkTextGranularity unit, gint* start, gint* end)
{
    return Around(RowValue(text), offset, unit, start, end);
}

void RowTextInit(AtkTextIface* iface)
{
    iface->get_text = RowText;
    iface->get_character_count = RowCharacterCount;
    iface->get_caret_offset = RowCaret;
    iface->get_string_at_offset = RowTextAround;
}

G_DEFINE_TYPE_WITH_CODE(TextRow, text_row, row_object_get_type(),
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_TEXT, RowTextInit))

void text_row_init(TextRow*) {}
void text_row_class_init(TextRowClass*) {}

// A number row: its text, and the number as a value, both set as typed.
struct NumberRow
{
    TextRow parent;
};
struct NumberRowClass
{
    TextRowClass parent;
};

void SetRowText(gpointer object, const wxString& text)
{
    RowObject* row = AsRow(object);
    if (row->model)
        row->model->rows->SetRowValue(row->index, text);
}

void SetTextContents(AtkEditableText* text, const gchar* contents)
{
    SetRowText(text, wxString::FromUTF8(contents ? contents : ""));
}

void EditableInit(AtkEditableTextIface* iface)
{
    iface->set_text_contents = SetTextContents;
}

void ValueAndText(AtkValue* value, gdouble* number, gchar** text)
{
    const wxString shown = RowValue(value);
    double read = 0;
    shown.ToCDouble(&read);
    *number = read;
    if (text)
        *text = g_strdup(shown.utf8_str());
}

AtkRange* ValueRange(AtkValue*)
{
    return atk_range_new(0, INT_MAX, nullptr);
}

gdouble ValueIncrement(AtkValue*)
{
    return 1;
}

void SetValue(AtkValue* value, gdouble number)
{
    SetRowText(value, wxString::FromCDouble(number));
}

void ValueInit(AtkValueIface* iface)
{
    iface->get_value_and_text = ValueAndText;
    iface->get_range = ValueRange;
    iface->get_increment = ValueIncrement;
    iface->set_value = SetValue;
}

G_DEFINE_TYPE_WITH_CODE(NumberRow, number_row, text_row_get_type(),
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_EDITABLE_TEXT, EditableInit)
                            G_IMPLEMENT_INTERFACE(ATK_TYPE_VALUE, ValueInit))

void number_row_init(NumberRow*) {}
void number_row_class_init(NumberRowClass*) {}

GType RowType(AccessibleRole role)
{
    switch (role)
    {
    case AccessibleRole::CheckBox:
    case AccessibleRole::Button:
    case AccessibleRole::Link:
        return action_row_get_type();
    case AccessibleRole::NumberField:
        return number_row_get_type();
    case AccessibleRole::Choice:
        return text_row_get_type();
    case AccessibleRole::Heading:
        break;
    }
    return row_object_get_type();
}

void RowsModel::DropChildren()
{
    for (AtkObject* child : children)
    {
        if (!child)
            continue;
        AsRow(child)->model = nullptr;
        atk_object_notify_state_change(child, ATK_STATE_DEFUNCT, TRUE);
        g_object_unref(child);
    }
    children.clear();
    focused = nullptr;
}

// --- the list ------------------------------------------------------------

void SelectionInit(AtkSelectionIface* iface);

G_DEFINE_TYPE_WITH_CODE(RowsObject, rows_object, GTK_TYPE_CONTAINER_ACCESSIBLE,
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_SELECTION, SelectionInit))

void rows_object_init(RowsObject*) {}

RowsModel* RowsOf(AtkObject* object)
{
    return RowsOf(WidgetOf(object));
}

// The selected row is the one the keyboard is on: one at most.
int SelectedRow(AtkSelection* selection)
{
    const RowsModel* model = RowsOf(ATK_OBJECT(selection));
    return model ? model->rows->CurrentRow() : -1;
}

gint SelectionCount(AtkSelection* selection)
{
    return SelectedRow(selection) >= 0 ? 1 : 0;
}

gboolean IsRowSelected(AtkSelection* selection, gint i)
{
    return i >= 0 && i == SelectedRow(selection);
}

AtkObject* RefSelected(AtkSelection* selection, gint i)
{
    const int row = SelectedRow(selection);
    return i == 0 && row >= 0 ? atk_object_ref_accessible_child(ATK_OBJECT(selection), row)
                              : nullptr;
}

gboolean AddSelection(AtkSelection* selection, gint i)
{
    RowsModel* model = RowsOf(ATK_OBJECT(selection));
    if (!model || i < 0 || size_t(i) >= model->rows->RowCount())
        return FALSE;
    model->rows->SelectRow(size_t(i));
    return TRUE;
}

void SelectionInit(AtkSelectionIface* iface)
{
    iface->get_selection_count = SelectionCount;
    iface->is_child_selected = IsRowSelected;
    iface->ref_selection = RefSelected;
    iface->add_selection = AddSelection;
}

AtkObject* ChildAt(RowsModel* model, AtkObject* list, size_t index)
{
    if (index >= model->rows->RowCount())
        return nullptr;
    if (model->children.size() <= index)
        model->children.resize(index + 1, nullptr);
    AtkObject*& child = model->children[index];
    if (!child)
    {
        child = ATK_OBJECT(g_object_new(RowType(model->rows->Row(index).role), nullptr));
        AsRow(child)->model = model;
        AsRow(child)->index = index;
        atk_object_set_parent(child, list);
    }
    return child;
}

gint RowCount(AtkObject* object)
{
    if (RowsModel* model = RowsOf(object))
        return gint(model->rows->RowCount());
    return ATK_OBJECT_CLASS(rows_object_parent_class)->get_n_children(object);
}

AtkObject* RefRow(AtkObject* object, gint i)
{
    if (RowsModel* model = RowsOf(object))
    {
        AtkObject* child = i < 0 ? nullptr : ChildAt(model, object, size_t(i));
        return child ? ATK_OBJECT(g_object_ref(child)) : nullptr;
    }
    return ATK_OBJECT_CLASS(rows_object_parent_class)->ref_child(object, i);
}

void RowsInitialize(AtkObject* object, gpointer widget)
{
    ATK_OBJECT_CLASS(rows_object_parent_class)->initialize(object, widget);
    const RowsModel* model = RowsOf(GTK_WIDGET(widget));
    const bool toolBar = model && model->role == AccessibleListRole::ToolBar;
    atk_object_set_role(object, toolBar ? ATK_ROLE_TOOL_BAR : ATK_ROLE_LIST);
}

AtkStateSet* RowsStates(AtkObject* object)
{
    AtkStateSet* states = ATK_OBJECT_CLASS(rows_object_parent_class)->ref_state_set(object);
    // The rows are told of one by one, not cached as a whole.
    atk_state_set_add_state(states, ATK_STATE_MANAGES_DESCENDANTS);
    return states;
}

void rows_object_class_init(RowsObjectClass* klass)
{
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->initialize = RowsInitialize;
    atk->get_n_children = RowCount;
    atk->ref_child = RefRow;
    atk->ref_state_set = RowsStates;
}

// --- text ----------------------------------------------------------------

void TextInterfaceInit(AtkTextIface* iface);

G_DEFINE_TYPE_WITH_CODE(TextObject, text_object, GTK_TYPE_WIDGET_ACCESSIBLE,
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_TEXT, TextInterfaceInit))

void text_object_init(TextObject*) {}

wxString TextNow(gpointer object)
{
    const TextModel* model = TextOf(WidgetOf(ATK_OBJECT(object)));
    return model ? model->text() : wxString();
}

gchar* PageText(AtkText* text, gint start, gint end)
{
    return Slice(TextNow(text), start, end);
}

gint PageCharacterCount(AtkText* text)
{
    return gint(TextNow(text).length());
}

gint PageCaret(AtkText*)
{
    return 0;
}

gchar* PageTextAround(AtkText* text, gint offset, AtkTextGranularity unit, gint* start, gint* end)
{
    return Around(TextNow(text), offset, unit, start, end);
}

void TextInterfaceInit(AtkTextIface* iface)
{
    iface->get_text = PageText;
    iface->get_character_count = PageCharacterCount;
    iface->get_caret_offset = PageCaret;
    iface->get_string_at_offset = PageTextAround;
}

void TextInitialize(AtkObject* object, gpointer widget)
{
    ATK_OBJECT_CLASS(text_object_parent_class)->initialize(object, widget);
    const TextModel* model = TextOf(GTK_WIDGET(widget));
    const bool status = model && model->role == AccessibleTextRole::StatusBar;
    atk_object_set_role(object, status ? ATK_ROLE_STATUSBAR : ATK_ROLE_DOCUMENT_TEXT);
}

// A status bar is known by what it says, as the toolkit's own are.
const gchar* TextName(AtkObject* object)
{
    const TextModel* model = TextOf(WidgetOf(object));
    if (model && model->role == AccessibleTextRole::StatusBar)
        return Keep(&reinterpret_cast<TextObject*>(object)->name, model->text());
    return ATK_OBJECT_CLASS(text_object_parent_class)->get_name(object);
}

void TextFinalize(GObject* object)
{
    g_free(reinterpret_cast<TextObject*>(object)->name);
    G_OBJECT_CLASS(text_object_parent_class)->finalize(object);
}

void text_object_class_init(TextObjectClass* klass)
{
    ATK_OBJECT_CLASS(klass)->initialize = TextInitialize;
    ATK_OBJECT_CLASS(klass)->get_name = TextName;
    G_OBJECT_CLASS(klass)->finalize = TextFinalize;
}

// --- a control ---------------------------------------------------------

struct ControlObject
{
    GtkWidgetAccessible parent;
    gchar* name;
};
struct ControlObjectClass
{
    GtkWidgetAccessibleClass parent;
};

void ControlActionInit(AtkActionIface* iface);

G_DEFINE_TYPE_WITH_CODE(ControlObject, control_object, GTK_TYPE_WIDGET_ACCESSIBLE,
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_ACTION, ControlActionInit))

void control_object_init(ControlObject*) {}

ControlModel* ControlOf(GtkWidget* widget)
{
    return ModelOf<ControlModel>(widget, g_controlQuark);
}

gboolean PressControl(AtkAction* action, gint i)
{
    const ControlModel* model = ControlOf(WidgetOf(ATK_OBJECT(action)));
    if (i != 0 || !model)
        return FALSE;
    // Later, as a click is: a box the press opens would hold the call.
    model->window->CallAfter(model->press);
    return TRUE;
}

void ControlActionInit(AtkActionIface* iface)
{
    iface->do_action = PressControl;
    iface->get_n_actions = ActionCount;
    iface->get_name = ActionName;
}

void ControlInitialize(AtkObject* object, gpointer widget)
{
    ATK_OBJECT_CLASS(control_object_parent_class)->initialize(object, widget);
    if (const ControlModel* model = ControlOf(GTK_WIDGET(widget)))
        atk_object_set_role(object, RoleOf(model->role));
}

const gchar* ControlName(AtkObject* object)
{
    const ControlModel* model = ControlOf(WidgetOf(object));
    return model ? Keep(&reinterpret_cast<ControlObject*>(object)->name, model->name()) : "";
}

void ControlFinalize(GObject* object)
{
    g_free(reinterpret_cast<ControlObject*>(object)->name);
    G_OBJECT_CLASS(control_object_parent_class)->finalize(object);
}

void control_object_class_init(ControlObjectClass* klass)
{
    ATK_OBJECT_CLASS(klass)->initialize = ControlInitialize;
    ATK_OBJECT_CLASS(klass)->get_name = ControlName;
    G_OBJECT_CLASS(klass)->finalize = ControlFinalize;
}

// --- the windows' objects ------------------------------------------------

// The toolkit's own way to each widget class's object, for widgets that
// carry nothing of ours.
std::map<GType, AtkObject* (*)(GtkWidget*)>& ToolkitAccessibles()
{
    static std::map<GType, AtkObject* (*)(GtkWidget*)> accessibles;
    return accessibles;
}

// A class made after the take-over inherits it: it falls back on its
// nearest ancestor's own.
AtkObject* ToolkitAccessible(GtkWidget* widget)
{
    for (GType type = G_OBJECT_TYPE(widget); type; type = g_type_parent(type))
    {
        const auto found = ToolkitAccessibles().find(type);
        if (found != ToolkitAccessibles().end())
            return found->second(widget);
    }
    return nullptr;
}

void OnWidgetDestroy(GtkWidget* widget, gpointer)
{
    if (auto* object =
            static_cast<AtkObject*>(g_object_steal_qdata(G_OBJECT(widget), g_objectQuark)))
    {
        gtk_accessible_set_widget(GTK_ACCESSIBLE(object), nullptr);
        g_object_unref(object);
    }
    // The list reads a window that is going.
    g_object_set_qdata(G_OBJECT(widget), g_rowsQuark, nullptr);
    g_object_set_qdata(G_OBJECT(widget), g_textQuark, nullptr);
    g_object_set_qdata(G_OBJECT(widget), g_controlQuark, nullptr);
}

AtkObject* AccessibleOf(GtkWidget* widget)
{
    GType type = 0;
    if (RowsOf(widget))
        type = rows_object_get_type();
    else if (TextOf(widget))
        type = text_object_get_type();
    else if (ControlOf(widget))
        type = control_object_get_type();
    if (!type)
        return ToolkitAccessible(widget);
    auto* object = static_cast<AtkObject*>(g_object_get_qdata(G_OBJECT(widget), g_objectQuark));
    if (!object)
    {
        object = ATK_OBJECT(g_object_new(type, "widget", widget, nullptr));
        atk_object_initialize(object, widget);
        g_object_set_qdata(G_OBJECT(widget), g_objectQuark, object);
        g_signal_connect(widget, "destroy", G_CALLBACK(OnWidgetDestroy), nullptr);
    }
    return object;
}

// Must happen before the toolkit makes the widget's object, which it keeps.
void TakeOverAccessible(GtkWidget* widget)
{
    const GType type = G_OBJECT_TYPE(widget);
    if (ToolkitAccessibles().count(type))
        return;
    auto* klass = GTK_WIDGET_CLASS(g_type_class_ref(type));
    ToolkitAccessibles()[type] = klass->get_accessible;
    klass->get_accessible = AccessibleOf;
}

template <typename Model> void Attach(GtkWidget* widget, GQuark quark, Model* model)
{
    TakeOverAccessible(widget);
    g_object_set_qdata_full(G_OBJECT(widget), quark, model,
                            [](gpointer data) { delete static_cast<Model*>(data); });
}

RowsModel* RowsOf(wxWindow* window)
{
    return RowsOf(ContentWidget(window));
}

AtkObject* ListObject(wxWindow* window)
{
    return gtk_widget_get_accessible(ContentWidget(window));
}
} // namespace

void ExposeRows(wxWindow* window, std::unique_ptr<AccessibleRowList> rows, AccessibleListRole role)
{
    auto* model = new RowsModel{window, std::move(rows), role, {}, nullptr};
    Attach(ContentWidget(window), g_rowsQuark, model);
}

void AnnounceRowFocus(wxWindow* window, size_t index)
{
    RowsModel* model = RowsOf(window);
    if (!model)
        return;
    AtkObject* list = ListObject(window);
    AtkObject* row = ChildAt(model, list, index);
    if (!row)
        return;
    // The same row again when the list gets the keyboard back.
    if (model->focused && model->focused != row)
        atk_object_notify_state_change(model->focused, ATK_STATE_FOCUSED, FALSE);
    model->focused = row;
    g_signal_emit_by_name(list, "selection-changed");
    g_signal_emit_by_name(list, "active-descendant-changed", row);
    atk_object_notify_state_change(row, ATK_STATE_SELECTED, TRUE);
    atk_object_notify_state_change(row, ATK_STATE_FOCUSED, TRUE);
}

void AnnounceRowChange(wxWindow* window, size_t index)
{
    RowsModel* model = RowsOf(window);
    if (!model || index >= model->children.size() || !model->children[index])
        return; // never asked for: nobody holds an older state
    AtkObject* row = model->children[index];
    const AccessibleRow said = model->rows->Row(index);
    if (said.role == AccessibleRole::CheckBox)
    {
        atk_object_notify_state_change(row, ATK_STATE_CHECKED, said.checked);
        return;
    }
    if (ATK_IS_VALUE(row))
    {
        double number = 0;
        said.value.ToCDouble(&number);
        g_signal_emit_by_name(row, "value-changed", number,
                              static_cast<const char*>(said.value.utf8_str()));
    }
    g_object_notify(G_OBJECT(row), "accessible-value");
}

void AnnounceRowsReplaced(wxWindow* window)
{
    RowsModel* model = RowsOf(window);
    if (!model)
        return;
    model->rows->Forget();
    AtkObject* list = ListObject(window);
    for (size_t i = model->children.size(); i-- > 0;)
        if (AtkObject* child = model->children[i])
            g_signal_emit_by_name(list, "children-changed::remove", gint(i), child);
    model->DropChildren();
    const size_t count = model->rows->RowCount();
    for (size_t i = 0; i < count; ++i)
        g_signal_emit_by_name(list, "children-changed::add", gint(i), ChildAt(model, list, i));
}

void ExposeText(wxWindow* window, AccessibleTextRole role, std::function<wxString()> text)
{
    auto* model = new TextModel{role, std::move(text), wxString()};
    Attach(ContentWidget(window), g_textQuark, model);
}

void AnnounceTextChange(wxWindow* window)
{
    GtkWidget* widget = ContentWidget(window);
    TextModel* model = TextOf(widget);
    if (!model)
        return;
    // Told even when the text is as it was: the same total after another
    // Calculate, or the same notice for another typed number, is news too.
    const wxString now = model->text();
    AtkObject* object = gtk_widget_get_accessible(widget);
    if (!model->said.empty())
        g_signal_emit_by_name(object, "text-remove", 0, gint(model->said.length()),
                              static_cast<const char*>(model->said.utf8_str()));
    if (!now.empty())
        g_signal_emit_by_name(object, "text-insert", 0, gint(now.length()),
                              static_cast<const char*>(now.utf8_str()));
    model->said = now;
    if (model->role == AccessibleTextRole::StatusBar)
        g_object_notify(G_OBJECT(object), "accessible-name");
    g_signal_emit_by_name(object, "visible-data-changed");
}

void NameWindow(wxWindow* window, const wxString& name)
{
    // The widget that takes the keyboard: a list's scrolled frame is not it.
    atk_object_set_name(gtk_widget_get_accessible(window->GetConnectWidget()), name.utf8_str());
}

void ExposeControl(wxWindow* window, AccessibleRole role, std::function<wxString()> name,
                   std::function<void()> press)
{
    auto* model = new ControlModel{window, role, std::move(name), std::move(press)};
    Attach(ContentWidget(window), g_controlQuark, model);
}
