// The main window's controls: positions, sizes, fonts, colours, captions and
// hints, parents before their children.

#include "app/ButtonGlyphs.h"
#include "app/LayoutHelpers.h"
#include "app/MainForm.h"

namespace {

TdxButton* Button(TComponent* owner, TWinControl* parent, const char* name, int left, int top, int width,
                  int height, const std::string& caption, const std::string& hint)
{
    auto* button = Place<TdxButton>(owner, parent, name, left, top, width, height);
    button->SetCaption(caption);
    button->SetHint(hint);
    return button;
}

void BoldFont(TControl& control, TColor color)
{
    control.Font().SetName("MS Sans Serif");
    control.Font().SetHeight(-11);
    control.Font().SetStyle(fsBold);
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

// A label that keeps its own size.
TLabel* FixedLabel(TComponent* owner, TWinControl* parent, const char* name, int left, int top, int width,
                   int height)
{
    auto* label = new TLabel(owner);
    label->Name = name;
    label->SetParent(parent);
    label->SetAutoSize(false);
    label->SetBounds(left, top, width, height);
    label->SetTransparent(true);
    return label;
}

// A label as wide as its text.
TLabel* TextLabel(TComponent* owner, TWinControl* parent, const char* name, int left, int top,
                  const std::string& caption, TColor color)
{
    auto* label = new TLabel(owner);
    label->Name = name;
    label->SetParent(parent);
    label->SetTransparent(true);
    BoldFont(*label, color);
    label->SetLeft(left);
    label->SetTop(top);
    label->SetCaption(caption);
    return label;
}

TCheckBox* CheckBox(TComponent* owner, TWinControl* parent, const char* name, int left, int top, int width,
                    int height, const std::string& caption)
{
    auto* check = Place<TCheckBox>(owner, parent, name, left, top, width, height);
    check->SetCaption(caption);
    BoldFont(*check, clWindowText);
    check->SetTabStop(true);
    return check;
}

const char* const kPictureFilter =
    "All files (*.bmp;*.jpg)|*.bmp;*.jpg|JPEG Image File (*.jpg)|*.jpg|Bitmaps (*.bmp)|*.bmp";
const char* const kListFilter = "Image list (*.lst)|*.lst";
// Read-only box hidden, resizable; no default extension, no prompt before
// replacing a file, and an opened file need not exist.
const TOpenOptions kListOptions = ofHideReadOnly | ofEnableSizing;

// A dialog of the form's own, with its filter and options.
template <class Dialog>
Dialog* OwnDialog(TComponent* owner, const char* name, const char* filter, TOpenOptions options)
{
    auto* dialog = new Dialog(owner);
    dialog->Name = name;
    dialog->SetFilter(filter);
    if (options != 0)
        dialog->SetOptions(options);
    return dialog;
}

void SetDrawnGlyph(TdxButton& button, void (*draw)(TBitmap&))
{
    TBitmap glyph;
    draw(glyph);
    button.SetGlyph(glyph);
}

} // namespace

void TForm1::CreateControls()
{
    // Header row: close and to-tray buttons, painted stripes and title.
    cntHeader = Place<TdxContainer>(this, this, "cntHeader", 0, 0, 560, 15);
    cntHeader->SetAlign(TAlign::alTop);
    cntHeader->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        cntHeaderMouseDown(s, b, sh, x, y);
    };
    cntHeader->OnPaint = [this](TObject* s, RECT r, TCanvas& c, TFont& f) { cntHeaderPaint(s, r, c, f); };
    btnClose = Place<TdxToolButton>(this, cntHeader, "btnClose", 0, 0, 15, 15);
    btnClose->SetAlign(TAlign::alLeft);
    btnClose->SetHint("Exit program");
    dxToolButton4 = Place<TdxToolButton>(this, cntHeader, "dxToolButton4", 15, 0, 15, 15);
    dxToolButton4->SetToolType(TdxToolType::ttPopup);
    dxToolButton4->SetAlign(TAlign::alLeft);
    dxToolButton4->SetHint("Minimize to system tray");

    // Actions column.
    cntNetPanel = FramedPanel(this, this, "cntNetPanel", 2, 18, 116, 287);
    cntNetPanel->Font().SetName("MS Sans Serif");
    cntNetPanel->Font().SetHeight(11);
    cntNetHeader = Place<TdxContainer>(this, cntNetPanel, "cntNetHeader", 2, 2, 112, 15);
    cntNetHeader->SetAlign(TAlign::alTop);
    cntNetHeader->SetCaption("     Actions");
    cntNetHeader->SetShowCaption(true);
    cntNetHeader->SetAlignment(TAlignment::taLeftJustify);
    cntNetHeader->SetSpacing(24);
    cntNetHeader->SetColor(kHeaderGrey);

    ButtonAddFile =
        Button(this, cntNetPanel, "ButtonAddFile", 13, 27, 28, 30, "+", "Add file (s) to curent list");
    ButtonAddFile->Font().SetStyle(fsBold);
    ButtonAddFile->Font().SetHeight(-16);
    ButtonDeleteFile =
        Button(this, cntNetPanel, "ButtonDeleteFile", 45, 27, 28, 30, "-", "Delete file(s) from curent list");
    ButtonDeleteFile->Font().SetStyle(fsBold);
    ButtonDeleteFile->Font().SetHeight(-21);
    ButtonApply =
        Button(this, cntNetPanel, "ButtonApply", 13, 66, 92, 21, "Apply", "Apply curent picture on desktop");
    buttonNewList =
        Button(this, cntNetPanel, "buttonNewList", 13, 107, 44, 38, "", "New list (delete all files)");
    SetDrawnGlyph(*buttonNewList, DrawNewListGlyph);
    buttonNewList->SetSpacing(0);
    ButtonSave = Button(this, cntNetPanel, "ButtonSave", 61, 107, 44, 38, "", "Save curent list");
    SetDrawnGlyph(*ButtonSave, DrawSaveGlyph);
    ButtonLoadList =
        Button(this, cntNetPanel, "ButtonLoadList", 13, 159, 92, 21, "Load List", "Load files from list");
    ButtonAbout = Button(this, cntNetPanel, "ButtonAbout", 13, 195, 42, 44, "About", "About the autor");
    ButtonExit = Button(this, cntNetPanel, "ButtonExit", 61, 195, 42, 44, "", "Exit program");
    SetDrawnGlyph(*ButtonExit, DrawExitGlyph);
    ButtonExit->SetSpacing(0);

    LabelWatch = FixedLabel(this, cntNetPanel, "LabelWatch", 23, 254, 73, 15);
    LabelWatch->Font().SetName("Times New Roman");
    LabelWatch->Font().SetHeight(-13);
    LabelWatch->Font().SetStyle(fsBold);
    LabelWatch->Font().SetColor(clBlack);
    LabelWatch->SetShowHint(true);
    LabelWatch->SetCaption("00:00:00 AM");

    Shape1 = Line(this, cntNetPanel, "Shape1", 5, 22, 1, 260);
    Shape7 = Line(this, cntNetPanel, "Shape7", 5, 95, 110, 1);
    Shape3 = Line(this, cntNetPanel, "Shape3", 1, 251, 114, 1);
    Shape4 = Line(this, cntNetPanel, "Shape4", 2, 271, 113, 1);

    // Preview.
    dxContainer2 = FramedPanel(this, this, "dxContainer2", 120, 18, 222, 166);
    Image1 = Place<TImage>(this, dxContainer2, "Image1", 0, 0, 218, 162);
    Image1->SetAlign(TAlign::alClient);
    Image1->SetStretch(true);

    // Name list and its total.
    dxContainer1 = FramedPanel(this, this, "dxContainer1", 344, 18, 212, 147);
    ListBox2 = Place<TListBox>(this, dxContainer1, "ListBox2", 0, 0, 208, 143);
    ListBox2->SetAlign(TAlign::alClient);
    ListBox2->SetBorderStyle(TBorderStyle::bsNone);
    ListBox2->SetColor(kPanelWhite);
    FileNameFont(*ListBox2, clBlack);
    ListBox2->SetItemHeight(13);
    // A list of a million files is shown at once: the window holds the
    // number of rows, not a copy of every name.
    ListBox2->SetStyle(TListBoxStyle::lbVirtual);
    ListBox2->SetTabStop(true);
    ListBox2->OnClick = [this](TObject* s) { ListBox1Click(s); };
    ListBox2->OnDblClick = [this](TObject* s) { ListBox2DblClick(s); };

    dxContainer4 = FramedPanel(this, this, "dxContainer4", 344, 167, 212, 17);
    // The total grows with its count: a fixed width would cut "Total : 12 file(s)".
    LabelSumOfFiles = TextLabel(this, dxContainer4, "LabelSumOfFiles", 4, 2, "Total : 0 file(s)", clBlack);

    // Information and options.
    dxContainer3 = FramedPanel(this, this, "dxContainer3", 120, 186, 436, 119);
    Label9 = TextLabel(this, dxContainer3, "Label9", 9, 7, "Info:", clWindowText);
    Label8 = TextLabel(this, dxContainer3, "Label8", 62, 7, "Size:", clWindowText);
    Label7 = TextLabel(this, dxContainer3, "Label7", 62, 25, "Name:", clWindowText);
    Label10 = TextLabel(this, dxContainer3, "Label10", 63, 44, "Path:", clWindowText);
    Label3 = FixedLabel(this, dxContainer3, "Label3", 102, 7, 139, 13);
    BoldFont(*Label3, clBlack);
    // Name and path show file names: an "&" in them is a character, not an
    // accelerator mark.
    Label5 = FixedLabel(this, dxContainer3, "Label5", 102, 25, 139, 13);
    FileNameFont(*Label5, clBlack);
    Label5->SetWordWrap(true);
    Label5->SetShowAccelChar(false);
    Label11 = FixedLabel(this, dxContainer3, "Label11", 102, 44, 139, 13);
    FileNameFont(*Label11, clWindowText);
    Label11->SetShowAccelChar(false);
    Label12 = TextLabel(this, dxContainer3, "Label12", 9, 59, "Options:", clWindowText);
    CheckAutoStart = CheckBox(this, dxContainer3, "CheckAutoStart", 65, 59, 144, 17, "Start With Windows");
    CheckStartMinimized =
        CheckBox(this, dxContainer3, "CheckStartMinimized", 65, 79, 112, 17, "Start Minimized");
    checkAutoRun = CheckBox(this, dxContainer3, "checkAutoRun", 65, 99, 160, 17, "Start in auto run mode");
    Label6 = TextLabel(this, dxContainer3, "Label6", 257, 7, "Auto change options :", clWindowText);
    Label1 = TextLabel(this, dxContainer3, "Label1", 263, 36, "Display Style :", clWindowText);
    ComboBoxDisplayStyle = Place<TComboBox>(this, dxContainer3, "ComboBoxDisplayStyle", 349, 32, 82, 21);
    ComboBoxDisplayStyle->SetParentFont(false);
    ComboBoxDisplayStyle->Font().Assign(Font());
    for (const char* style : {"Center", "Tile", "Stretch"})
        ComboBoxDisplayStyle->Items().Add(style);
    ComboBoxDisplayStyle->SetTabStop(true);
    ComboBoxDisplayStyle->OnChange = [this](TObject* s) { ComboBoxDisplayStyleChange(s); };
    Label2 = TextLabel(this, dxContainer3, "Label2", 264, 64, "Interval", clWindowText);
    Label4 = TextLabel(this, dxContainer3, "Label4", 394, 65, "minute", clWindowText);
    SpinEditTimeInterval = Place<TSpinEdit>(this, dxContainer3, "SpinEditTimeInterval", 349, 64, 43, 22);
    SpinEditTimeInterval->Font().Assign(Font());
    SpinEditTimeInterval->SetMinValue(1);
    SpinEditTimeInterval->SetMaxValue(1000);
    SpinEditTimeInterval->SetValue(1);
    SpinEditTimeInterval->SetTabStop(true);
    CheckBoxRandom = CheckBox(this, dxContainer3, "CheckBoxRandom", 264, 90, 65, 17, "Random");
    ButtonStartStop =
        Button(this, dxContainer3, "ButtonStartStop", 389, 89, 38, 21, "Start", "Start / Stop autochange");
    Shape11 = Line(this, dxContainer3, "Shape11", 5, 6, 250, 1);
    Shape10 = Line(this, dxContainer3, "Shape10", 5, 21, 52, 1);
    Shape13 = Line(this, dxContainer3, "Shape13", 5, 58, 248, 1);
    Shape12 = Line(this, dxContainer3, "Shape12", 5, 73, 52, 1);
    Shape14 = Line(this, dxContainer3, "Shape14", 56, 4, 1, 112);
    Shape5 = Line(this, dxContainer3, "Shape5", 245, 6, 180, 1);
    Shape6 = Line(this, dxContainer3, "Shape6", 245, 21, 180, 1);
    Shape2 = Line(this, dxContainer3, "Shape2", 252, 4, 1, 112);

    // The path list: below the client area, never seen.
    ListBox1 = Place<TListBox>(this, this, "ListBox1", 8, 312, 473, 113);
    ListBox1->SetBorderStyle(TBorderStyle::bsNone);
    ListBox1->SetStyle(TListBoxStyle::lbVirtual);
    ListBox1->OnClick = [this](TObject* s) { ListBox1Click(s); };

    // Dialogs (unless the caller brought its own), timers and the style manager.
    OpenPictureDialog1 = services_.OpenPictureDialog
                             ? services_.OpenPictureDialog
                             : OwnDialog<TOpenPictureDialog>(this, "OpenPictureDialog1", kPictureFilter, 0);
    SaveDialog1 = services_.SaveDialog
                      ? services_.SaveDialog
                      : OwnDialog<TSaveDialog>(this, "SaveDialog1", kListFilter, kListOptions);
    OpenDialog1 = services_.OpenDialog
                      ? services_.OpenDialog
                      : OwnDialog<TOpenDialog>(this, "OpenDialog1", kListFilter, kListOptions);

    TimerAutoChangeWallpaper = new TTimer(this);
    TimerAutoChangeWallpaper->Name = "TimerAutoChangeWallpaper";
    TimerAutoChangeWallpaper->SetEnabled(false);
    TimerWatch = new TTimer(this);
    TimerWatch->Name = "TimerWatch";
    TimerWatch->SetInterval(1000);
    TimerWatch->SetOnTimer([this](TObject* s) { TimerWatchTimer(s); });
    dxStyleManager1 = new TdxStyleManager(this);
    dxStyleManager1->Name = "dxStyleManager1";
}
