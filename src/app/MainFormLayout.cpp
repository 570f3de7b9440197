// The main window's controls: a table of kind, parent, name, bounds, text
// and hint, parents before their children, plus the few controls that need
// more than the table says.

#include "app/ButtonGlyphs.h"
#include "app/LayoutHelpers.h"
#include "app/MainForm.h"

#include <map>

namespace {

enum class Kind : uint8_t {
    PlainPanel, // a flat panel without a frame
    Panel,      // a framed panel
    ToolButton, // a small header button, aligned to the left
    Button,
    Field,   // a fixed-size bold label whose text the program sets
    Caption, // a bold label as wide as its text
    CheckBox,
    Line, // a separator line
    Image,
    ListBox,
    ComboBox,
    SpinEdit,
};

struct ControlRow {
    Kind kind;
    const char* parent; // nullptr: the form
    const char* name;   // empty for captions and lines, which nothing refers to
    RECT bounds;        // left, top, width, height (a caption's size is its text's)
    const char* text = "";
    const char* hint = "";
};

// The order is the creation order, and with it the tab order.
const ControlRow kLayout[] = {
    {Kind::PlainPanel, nullptr, "header", {0, 0, 560, 15}},
    {Kind::ToolButton, "header", "closeButton", {0, 0, 15, 15}, "", "Exit program"},
    {Kind::ToolButton, "header", "toTrayButton", {15, 0, 15, 15}, "", "Minimize to system tray"},
    {Kind::Panel, nullptr, "actionsPanel", {2, 18, 116, 287}},
    {Kind::PlainPanel, "actionsPanel", "actionsHeader", {2, 2, 112, 15}, "     Actions"},
    {Kind::Button, "actionsPanel", "addButton", {13, 27, 28, 30}, "+", "Add file (s) to current list"},
    {Kind::Button, "actionsPanel", "deleteButton", {45, 27, 28, 30}, "-", "Delete file(s) from current list"},
    {Kind::Button,
     "actionsPanel",
     "applyButton",
     {13, 66, 92, 21},
     "Apply",
     "Apply current picture on desktop"},
    {Kind::Button, "actionsPanel", "newListButton", {13, 107, 44, 38}, "", "New list (delete all files)"},
    {Kind::Button, "actionsPanel", "saveListButton", {61, 107, 44, 38}, "", "Save current list"},
    {Kind::Button, "actionsPanel", "loadListButton", {13, 159, 92, 21}, "Load List", "Load files from list"},
    {Kind::Button, "actionsPanel", "aboutButton", {13, 195, 42, 44}, "About", "About the author"},
    {Kind::Button, "actionsPanel", "exitButton", {61, 195, 42, 44}, "", "Exit program"},
    {Kind::Field, "actionsPanel", "clockLabel", {23, 254, 73, 15}, "00:00:00 AM"},
    {Kind::Line, "actionsPanel", "", {5, 22, 1, 260}},
    {Kind::Line, "actionsPanel", "", {5, 95, 110, 1}},
    {Kind::Line, "actionsPanel", "", {1, 251, 114, 1}},
    {Kind::Line, "actionsPanel", "", {2, 271, 113, 1}},
    {Kind::Panel, nullptr, "previewPanel", {120, 18, 222, 166}},
    {Kind::Image, "previewPanel", "previewImage", {0, 0, 218, 162}},
    {Kind::Panel, nullptr, "nameListPanel", {344, 18, 212, 147}},
    {Kind::ListBox, "nameListPanel", "nameList", {0, 0, 208, 143}},
    {Kind::Panel, nullptr, "totalPanel", {344, 167, 212, 17}},
    // The total grows with its count: a fixed width would cut "Total : 12 file(s)".
    {Kind::Caption, "totalPanel", "totalLabel", {4, 2, 0, 0}, "Total : 0 file(s)"},
    {Kind::Panel, nullptr, "optionsPanel", {120, 186, 436, 119}},
    {Kind::Caption, "optionsPanel", "", {9, 7, 0, 0}, "Info:"},
    {Kind::Caption, "optionsPanel", "", {62, 7, 0, 0}, "Size:"},
    {Kind::Caption, "optionsPanel", "", {62, 25, 0, 0}, "Name:"},
    {Kind::Caption, "optionsPanel", "", {63, 44, 0, 0}, "Path:"},
    {Kind::Field, "optionsPanel", "sizeLabel", {102, 7, 139, 13}},
    {Kind::Field, "optionsPanel", "nameLabel", {102, 25, 139, 13}},
    {Kind::Field, "optionsPanel", "pathLabel", {102, 44, 139, 13}},
    {Kind::Caption, "optionsPanel", "", {9, 59, 0, 0}, "Options:"},
    {Kind::CheckBox, "optionsPanel", "startWithWindowsBox", {65, 59, 144, 17}, "Start With Windows"},
    {Kind::CheckBox, "optionsPanel", "startMinimizedBox", {65, 79, 112, 17}, "Start Minimized"},
    {Kind::CheckBox, "optionsPanel", "startAutoRunBox", {65, 99, 160, 17}, "Start in auto run mode"},
    {Kind::Caption, "optionsPanel", "", {257, 7, 0, 0}, "Auto change options :"},
    {Kind::Caption, "optionsPanel", "", {263, 36, 0, 0}, "Display Style :"},
    {Kind::ComboBox, "optionsPanel", "styleBox", {349, 32, 82, 21}},
    {Kind::Caption, "optionsPanel", "", {264, 64, 0, 0}, "Interval"},
    {Kind::Caption, "optionsPanel", "", {394, 65, 0, 0}, "minute"},
    {Kind::SpinEdit, "optionsPanel", "intervalEdit", {349, 64, 43, 22}},
    {Kind::CheckBox, "optionsPanel", "randomBox", {264, 90, 65, 17}, "Random"},
    {Kind::Button, "optionsPanel", "startStopButton", {389, 89, 38, 21}, "Start", "Start / Stop autochange"},
    {Kind::Line, "optionsPanel", "", {5, 6, 250, 1}},
    {Kind::Line, "optionsPanel", "", {5, 21, 52, 1}},
    {Kind::Line, "optionsPanel", "", {5, 58, 248, 1}},
    {Kind::Line, "optionsPanel", "", {5, 73, 52, 1}},
    {Kind::Line, "optionsPanel", "", {56, 4, 1, 112}},
    {Kind::Line, "optionsPanel", "", {245, 6, 180, 1}},
    {Kind::Line, "optionsPanel", "", {245, 21, 180, 1}},
    {Kind::Line, "optionsPanel", "", {252, 4, 1, 112}},
};

// What a screen reader calls the controls whose caption does not say it: a
// glyph, or a painted label beside them that assistive technology cannot
// see. The others are called by their captions.
const std::pair<const char*, const char*> kAccessibleNames[] = {
    {"closeButton", "Close"},      {"toTrayButton", "Hide to tray"},
    {"addButton", "Add pictures"}, {"deleteButton", "Remove pictures"},
    {"newListButton", "New list"}, {"saveListButton", "Save list"},
    {"exitButton", "Exit"},        {"previewPanel", "Preview"},
    {"nameList", "Pictures"},      {"optionsPanel", "Options"},
    {"styleBox", "Display Style"}, {"intervalEdit", "Interval (minutes)"},
};

void BoldFont(TControl& control, TColor color)
{
    control.Font().SetName("MS Sans Serif");
    control.Font().SetHeight(-11);
    control.Font().SetStyle(TFontStyle::Bold);
    control.Font().SetColor(color);
}

// The texts that show file names (the name list, the Name and Path labels)
// take the logical face Windows maps to its TrueType interface font
// (Microsoft Sans Serif, with MS Sans Serif's metrics): unlike the bitmap
// MS Sans Serif, which holds one code page, it is linked to the system's
// other fonts, so a name in Greek or Japanese shows its own characters.
void FileNameFont(TControl& control, TColor color)
{
    BoldFont(control, color);
    control.Font().SetName("MS Shell Dlg");
}

TLabel* MakeLabel(TComponent* owner, TWinControl* parent, const ControlRow& row)
{
    auto* label = new TLabel(owner);
    label->Name = row.name;
    label->SetParent(parent);
    label->SetTransparent(true);
    if (row.kind == Kind::Field) {
        label->SetAutoSize(false);
        label->SetBounds(row.bounds.left, row.bounds.top, row.bounds.right, row.bounds.bottom);
        BoldFont(*label, clBlack);
    } else {
        BoldFont(*label, clWindowText);
        label->SetLeft(row.bounds.left);
        label->SetTop(row.bounds.top);
    }
    label->SetCaption(row.text);
    return label;
}

template <class T>
T* MakeControl(TComponent* owner, TWinControl* parent, const ControlRow& row)
{
    return Place<T>(owner, parent, row.name, row.bounds.left, row.bounds.top, row.bounds.right,
                    row.bounds.bottom);
}

TControl* MakeButtonLike(TComponent* owner, TWinControl* parent, const ControlRow& row)
{
    if (row.kind == Kind::ToolButton) {
        auto* button = MakeControl<THeaderToolButton>(owner, parent, row);
        button->SetAlign(TAlign::Left);
        button->SetHint(row.hint);
        return button;
    }
    if (row.kind == Kind::Button) {
        auto* button = MakeControl<TFlatButton>(owner, parent, row);
        button->SetCaption(row.text);
        button->SetHint(row.hint);
        return button;
    }
    auto* check = MakeControl<TCheckBox>(owner, parent, row);
    check->SetCaption(row.text);
    BoldFont(*check, clWindowText);
    check->SetTabStop(true);
    return check;
}

TControl* MakeFromRow(TComponent* owner, TWinControl* parent, const ControlRow& row)
{
    switch (row.kind) {
    case Kind::PlainPanel: {
        auto* panel = MakeControl<TFlatPanel>(owner, parent, row);
        panel->SetCaption(row.text);
        return panel;
    }
    case Kind::Panel:
        return FramedPanel(owner, parent, row.name, row.bounds.left, row.bounds.top, row.bounds.right,
                           row.bounds.bottom);
    case Kind::ToolButton:
    case Kind::Button:
    case Kind::CheckBox:
        return MakeButtonLike(owner, parent, row);
    case Kind::Field:
    case Kind::Caption:
        return MakeLabel(owner, parent, row);
    case Kind::Line:
        return Line(owner, parent, row.name, row.bounds.left, row.bounds.top, row.bounds.right,
                    row.bounds.bottom);
    case Kind::Image:
        return MakeControl<TImage>(owner, parent, row);
    case Kind::ListBox:
        return MakeControl<TListBox>(owner, parent, row);
    case Kind::ComboBox:
        return MakeControl<TComboBox>(owner, parent, row);
    case Kind::SpinEdit:
        return MakeControl<TSpinEdit>(owner, parent, row);
    }
    return nullptr;
}

// The named controls the table made, by name.
using ControlsByName = std::map<std::string, TControl*, std::less<>>;

template <class T>
void Bind(const ControlsByName& made, const char* name, T*& member)
{
    member = &dynamic_cast<T&>(*made.at(name));
}

const char* const kListFilter = "Image list (*.lst)|*.lst";
// Read-only box hidden, resizable; no default extension, no prompt before
// replacing a file, and an opened file need not exist.
const TOpenOptions kListOptions = TOpenOption::HideReadOnly | TOpenOption::EnableSizing;

// A dialog of the form's own, with its filter and options.
template <class Dialog>
Dialog* OwnDialog(TComponent* owner, const char* name, const std::string& filter, TOpenOptions options)
{
    auto* dialog = new Dialog(owner);
    dialog->Name = name;
    dialog->SetFilter(filter);
    if (options != 0)
        dialog->SetOptions(options);
    return dialog;
}

void SetDrawnGlyph(TFlatButton& button, void (*draw)(TBitmap&, int))
{
    TBitmap glyph;
    draw(glyph, button.Dpi());
    button.SetGlyph(glyph);
}

} // namespace

void TMainForm::BuildControls()
{
    ControlsByName made;
    for (const ControlRow& row : kLayout) {
        TWinControl* parent = row.parent ? &dynamic_cast<TWinControl&>(*made.at(row.parent)) : this;
        TControl* control = MakeFromRow(this, parent, row);
        if (*row.name != '\0')
            made.emplace(row.name, control);
    }
    for (const auto& [name, accessibleName] : kAccessibleNames)
        dynamic_cast<TWinControl&>(*made.at(name)).SetAccessibleName(accessibleName);
    Bind(made, "header", header);
    Bind(made, "closeButton", closeButton);
    Bind(made, "toTrayButton", toTrayButton);
    Bind(made, "actionsPanel", actionsPanel);
    Bind(made, "actionsHeader", actionsHeader);
    Bind(made, "addButton", addButton);
    Bind(made, "deleteButton", deleteButton);
    Bind(made, "applyButton", applyButton);
    Bind(made, "newListButton", newListButton);
    Bind(made, "saveListButton", saveListButton);
    Bind(made, "loadListButton", loadListButton);
    Bind(made, "aboutButton", aboutButton);
    Bind(made, "exitButton", exitButton);
    Bind(made, "clockLabel", clockLabel);
    Bind(made, "previewPanel", previewPanel);
    Bind(made, "previewImage", previewImage);
    Bind(made, "nameListPanel", nameListPanel);
    Bind(made, "nameList", nameList);
    Bind(made, "totalPanel", totalPanel);
    Bind(made, "totalLabel", totalLabel);
    Bind(made, "optionsPanel", optionsPanel);
    Bind(made, "sizeLabel", sizeLabel);
    Bind(made, "nameLabel", nameLabel);
    Bind(made, "pathLabel", pathLabel);
    Bind(made, "startWithWindowsBox", startWithWindowsBox);
    Bind(made, "startMinimizedBox", startMinimizedBox);
    Bind(made, "startAutoRunBox", startAutoRunBox);
    Bind(made, "styleBox", styleBox);
    Bind(made, "intervalEdit", intervalEdit);
    Bind(made, "randomBox", randomBox);
    Bind(made, "startStopButton", startStopButton);
    StyleControls();
    CreateComponents();
}

// What the table cannot say: alignments, fonts, glyphs and list styles.
void TMainForm::StyleControls()
{
    header->SetAlign(TAlign::Top);
    toTrayButton->SetToolType(TToolType::Popup);
    actionsPanel->Font().SetName("MS Sans Serif");
    actionsPanel->Font().SetHeight(11);
    actionsHeader->SetAlign(TAlign::Top);
    actionsHeader->SetShowCaption(true);
    actionsHeader->SetAlignment(TAlignment::LeftJustify);
    actionsHeader->SetSpacing(24);
    actionsHeader->SetColor(kHeaderGrey);
    addButton->Font().SetStyle(TFontStyle::Bold);
    addButton->Font().SetHeight(-16);
    deleteButton->Font().SetStyle(TFontStyle::Bold);
    deleteButton->Font().SetHeight(-21);
    DrawButtonGlyphs();
    newListButton->SetSpacing(0);
    exitButton->SetSpacing(0);
    clockLabel->Font().SetName("Times New Roman");
    clockLabel->Font().SetHeight(-13);
    clockLabel->SetShowHint(true);
    previewImage->SetAlign(TAlign::Client);
    previewImage->SetStretch(true);
    nameList->SetAlign(TAlign::Client);
    nameList->SetBorderStyle(TBorderStyle::None);
    nameList->SetColor(kPanelWhite);
    FileNameFont(*nameList, clBlack);
    nameList->SetItemHeight(13);
    // A list of a million files is shown at once: the window holds the
    // number of rows, not a copy of every name.
    nameList->SetStyle(TListBoxStyle::Virtual);
    nameList->SetTabStop(true);
    totalLabel->Font().SetColor(clBlack);
    // Name and path show file names: an "&" in them is a character, not an
    // accelerator mark.
    FileNameFont(*nameLabel, clBlack);
    nameLabel->SetWordWrap(true);
    nameLabel->SetShowAccelChar(false);
    FileNameFont(*pathLabel, clWindowText);
    pathLabel->SetShowAccelChar(false);
    // A path longer than the label keeps its drive and its file name; the
    // whole path is the label's hint.
    pathLabel->SetEllipsisPosition(TEllipsisPosition::PathEllipsis);
    styleBox->SetParentFont(false);
    styleBox->Font().Assign(Font());
    for (const char* style : {"Center", "Tile", "Stretch", "Fit", "Fill", "Span"})
        styleBox->Items().Add(style);
    styleBox->SetTabStop(true);
    intervalEdit->Font().Assign(Font());
    intervalEdit->SetMinValue(1);
    intervalEdit->SetMaxValue(1000);
    intervalEdit->SetValue(1);
    intervalEdit->SetTabStop(true);
}

void TMainForm::DrawButtonGlyphs()
{
    SetDrawnGlyph(*newListButton, DrawNewListGlyph);
    SetDrawnGlyph(*saveListButton, DrawSaveGlyph);
    SetDrawnGlyph(*exitButton, DrawExitGlyph);
}

// Dialogs (unless the caller brought its own), timers and the style manager.
void TMainForm::CreateComponents()
{
    addPicturesDialog =
        services_.OpenPictureDialog
            ? services_.OpenPictureDialog
            : OwnDialog<TOpenPictureDialog>(this, "addPicturesDialog", WallpaperPictureFilter(), 0);
    saveListDialog = services_.SaveDialog
                         ? services_.SaveDialog
                         : OwnDialog<TSaveDialog>(this, "saveListDialog", kListFilter, kListOptions);
    loadListDialog = services_.OpenDialog
                         ? services_.OpenDialog
                         : OwnDialog<TOpenDialog>(this, "loadListDialog", kListFilter, kListOptions);
    autoChangeTimer = new TTimer(this);
    autoChangeTimer->Name = "autoChangeTimer";
    autoChangeTimer->SetEnabled(false);
    clockTimer = new TTimer(this);
    clockTimer->Name = "clockTimer";
    clockTimer->SetInterval(1000);
    styleManager = new TStyleManager(this);
    styleManager->Name = "styleManager";
}
