#include "framework/dialogs/DialogTemplate.h"

namespace {

void AddDword(std::vector<WORD>& words, DWORD value)
{
    words.push_back(LOWORD(value));
    words.push_back(HIWORD(value));
}

// Where the header keeps its item count (after style and extended style).
const size_t kItemCountAt = 4;

} // namespace

TDialogTemplate::TDialogTemplate(DWORD style, int x, int y, int width, int height,
                                 const std::wstring& fontName, WORD pointSize)
{
    AddDword(words_, style | DS_SETFONT);
    AddDword(words_, 0); // extended style
    words_.push_back(0); // item count, counted up by AddControl
    for (int value : {x, y, width, height})
        words_.push_back(static_cast<WORD>(static_cast<short>(value)));
    words_.push_back(0); // no menu
    words_.push_back(0); // the predefined dialog class
    words_.push_back(0); // no title
    words_.push_back(pointSize);
    AddString(fontName);
}

void TDialogTemplate::Align()
{
    if (words_.size() % 2 != 0)
        words_.push_back(0);
}

void TDialogTemplate::AddString(const std::wstring& text)
{
    for (wchar_t c : text)
        words_.push_back(static_cast<WORD>(c));
    words_.push_back(0);
}

void TDialogTemplate::AddControl(WORD classAtom, WORD id, DWORD style, int x, int y, int width, int height,
                                 const std::wstring& text)
{
    Align();
    AddDword(words_, style | WS_CHILD);
    AddDword(words_, 0); // extended style
    for (int value : {x, y, width, height})
        words_.push_back(static_cast<WORD>(static_cast<short>(value)));
    words_.push_back(id);
    words_.push_back(0xFFFF);
    words_.push_back(classAtom);
    AddString(text);
    words_.push_back(0); // no creation data
    ++words_[kItemCountAt];
}
