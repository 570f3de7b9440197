#include "framework/stdctrls/CustomListControl.h"

#include "core/Exceptions.h"
#include "platform/WideText.h"

#include <algorithm>
#include <iterator>

namespace {

// Posted to the list's window to end the gathering of single changes; a
// registered message, so it cannot meet another meaning.
UINT EndGatheringMessage()
{
    static const UINT message = RegisterWindowMessageW(L"TessivoListEndGathering");
    return message;
}

} // namespace

TControlItems::TControlItems(TCustomListControl& control, const TItemMessages& messages)
    : control_(control), messages_(messages)
{
}

void TControlItems::CheckIndex(int index, int upperBound) const
{
    if (index < 0 || index >= upperBound)
        throw EListError::IndexOutOfBounds(index);
}

bool TControlItems::HasWindow() const
{
    return control_.HandleAllocated();
}

LRESULT TControlItems::Send(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return SendMessageW(control_.Handle(), msg, wParam, lParam);
}

LRESULT TControlItems::SendText(UINT msg, WPARAM wParam, const std::string& text) const
{
    return Send(msg, wParam, reinterpret_cast<LPARAM>(WideFromUtf8(text).c_str()));
}

bool TControlItems::WindowKeepsTexts() const
{
    return control_.WindowKeepsTexts();
}

void TControlItems::SetWindowCount(LRESULT selected)
{
    // Only list boxes come without texts.
    Send(LB_SETCOUNT, static_cast<WPARAM>(items_.size()));
    const LRESULT wanted = selected >= 0 && selected < Count() ? selected : -1;
    if (Send(messages_.GetCurSel) != wanted)
        Send(messages_.SetCurSel, static_cast<WPARAM>(wanted));
    InvalidateRect(control_.Handle(), nullptr, TRUE);
}

const std::string& TControlItems::Strings(int index) const
{
    CheckIndex(index, Count());
    return items_[static_cast<size_t>(index)];
}

void TControlItems::SetStrings(int index, const std::string& text)
{
    CheckIndex(index, Count());
    items_[static_cast<size_t>(index)] = text;
    if (!HasWindow())
        return;
    DeferRedraw();
    if (!WindowKeepsTexts()) {
        RECT row;
        if (Send(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&row)) != LB_ERR)
            InvalidateRect(control_.Handle(), &row, TRUE);
        return;
    }
    // The window has no "replace": delete and insert, then put back the
    // selection and the scroll position that the deletion disturbed.
    const LRESULT selected = Send(messages_.GetCurSel);
    const LRESULT top = Send(messages_.GetTopIndex);
    const TItemsUpdate update(*this);
    Send(messages_.DeleteString, static_cast<WPARAM>(index));
    SendText(messages_.InsertString, static_cast<WPARAM>(index), text);
    if (selected == index)
        Send(messages_.SetCurSel, static_cast<WPARAM>(index));
    if (top >= 0)
        Send(messages_.SetTopIndex, static_cast<WPARAM>(top));
}

int TControlItems::Add(const std::string& text)
{
    items_.push_back(text);
    if (HasWindow()) {
        DeferRedraw();
        if (WindowKeepsTexts())
            SendText(messages_.AddString, 0, text);
        else
            SetWindowCount(Send(messages_.GetCurSel));
    }
    return Count() - 1;
}

void TControlItems::AddStrings(const std::vector<std::string>& texts)
{
    AddStrings(std::vector<std::string>(texts));
}

void TControlItems::AddStrings(std::vector<std::string>&& texts)
{
    if (texts.empty())
        return;
    const size_t first = items_.size();
    if (items_.empty()) {
        items_ = std::move(texts);
    } else {
        items_.reserve(items_.size() + texts.size());
        items_.insert(items_.end(), std::make_move_iterator(texts.begin()),
                      std::make_move_iterator(texts.end()));
    }
    if (!HasWindow())
        return;
    const TItemsUpdate update(*this);
    if (!WindowKeepsTexts()) {
        // One count for the whole batch, whatever its size.
        SetWindowCount(Send(messages_.GetCurSel));
        return;
    }
    size_t bytes = 0;
    for (size_t i = first; i < items_.size(); ++i)
        bytes += (items_[i].size() + 1) * sizeof(wchar_t);
    Send(messages_.InitStorage, items_.size() - first, static_cast<LPARAM>(bytes));
    for (size_t i = first; i < items_.size(); ++i)
        SendText(messages_.AddString, 0, items_[i]);
}

void TControlItems::Insert(int index, const std::string& text)
{
    CheckIndex(index, Count() + 1);
    items_.insert(items_.begin() + index, text);
    control_.ItemInserted(index);
    if (HasWindow()) {
        DeferRedraw();
        if (WindowKeepsTexts()) {
            SendText(messages_.InsertString, static_cast<WPARAM>(index), text);
        } else {
            const LRESULT selected = Send(messages_.GetCurSel);
            SetWindowCount(selected >= index ? selected + 1 : selected);
        }
    }
}

void TControlItems::Delete(int index)
{
    CheckIndex(index, Count());
    items_.erase(items_.begin() + index);
    control_.ItemDeleted(index);
    if (HasWindow()) {
        DeferRedraw();
        if (WindowKeepsTexts()) {
            Send(messages_.DeleteString, static_cast<WPARAM>(index));
        } else {
            const LRESULT selected = Send(messages_.GetCurSel);
            SetWindowCount(selected == index ? -1 : selected > index ? selected - 1 : selected);
        }
    }
}

void TControlItems::Clear()
{
    items_.clear();
    control_.ItemsCleared();
    if (HasWindow())
        Send(messages_.ResetContent);
}

int TControlItems::IndexOf(const std::string& text) const
{
    const auto found = std::find(items_.begin(), items_.end(), text);
    return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

void TControlItems::BeginUpdate()
{
    if (updateCount_++ == 0 && HasWindow() && (GetWindowLongW(control_.Handle(), GWL_STYLE) & WS_VISIBLE)) {
        // Only a window that is itself visible is told: turning redraw back
        // on makes a window visible, which a hidden list must not become.
        Send(WM_SETREDRAW, FALSE);
        redrawOff_ = true;
    }
}

void TControlItems::EndUpdate()
{
    if (updateCount_ == 0 || --updateCount_ > 0)
        return;
    if (redrawOff_) {
        redrawOff_ = false;
        if (HasWindow()) {
            Send(WM_SETREDRAW, TRUE);
            InvalidateRect(control_.Handle(), nullptr, TRUE);
        }
    }
}

void TControlItems::DeferRedraw()
{
    // A shown list redraws (and recounts its scroll bar) after every single
    // change: thousands of them take seconds. Gathered, they take a moment.
    if (updateCount_ > 0 || !HasWindow())
        return;
    BeginUpdate();
    if (!redrawOff_) {
        EndUpdate(); // a hidden list: nothing to gather
        return;
    }
    deferred_ = true;
    PostMessageW(control_.Handle(), EndGatheringMessage(), 0, 0);
}

void TControlItems::EndDeferredRedraw()
{
    if (deferred_) {
        deferred_ = false;
        EndUpdate();
    }
}

void TControlItems::WindowDestroyed()
{
    if (deferred_) {
        deferred_ = false;
        --updateCount_;
    }
    redrawOff_ = false; // the next window starts with redraw on
}

void TControlItems::FillWindow()
{
    Send(messages_.ResetContent);
    if (items_.empty())
        return;
    if (!WindowKeepsTexts()) {
        Send(LB_SETCOUNT, static_cast<WPARAM>(items_.size()));
        return;
    }
    size_t bytes = 0;
    for (const std::string& text : items_)
        bytes += (text.size() + 1) * sizeof(wchar_t);
    Send(messages_.InitStorage, items_.size(), static_cast<LPARAM>(bytes));
    for (const std::string& text : items_)
        SendText(messages_.AddString, 0, text);
}

TCustomListControl::TCustomListControl(TComponent* owner, const TItemMessages& messages)
    : TWinControl(owner), items_(*this, messages)
{
    SetTabStop(true);
}

int TCustomListControl::ItemIndex() const
{
    if (!HandleAllocated())
        return savedIndex_;
    const LRESULT selected = items_.Send(items_.messages_.GetCurSel);
    return selected < 0 ? -1 : static_cast<int>(selected);
}

void TCustomListControl::SetItemIndex(int index)
{
    if (index < -1 || index >= items_.Count())
        throw EListError::IndexOutOfBounds(index);
    if (HandleAllocated())
        items_.Send(items_.messages_.SetCurSel, static_cast<WPARAM>(index));
    else
        savedIndex_ = index;
}

void TCustomListControl::CreateWnd()
{
    TWinControl::CreateWnd();
    if (!HandleAllocated())
        return;
    items_.FillWindow();
    if (savedIndex_ >= 0 && savedIndex_ < items_.Count())
        items_.Send(items_.messages_.SetCurSel, static_cast<WPARAM>(savedIndex_));
}

void TCustomListControl::DestroyWnd()
{
    if (HandleAllocated())
        savedIndex_ = ItemIndex();
    items_.WindowDestroyed();
    TWinControl::DestroyWnd();
}

void TCustomListControl::WndProc(TMessage& message)
{
    if (message.Msg == EndGatheringMessage()) {
        items_.EndDeferredRedraw();
        return;
    }
    TWinControl::WndProc(message);
}

void TCustomListControl::ItemInserted(int index)
{
    if (!HandleAllocated() && savedIndex_ >= index)
        ++savedIndex_;
}

void TCustomListControl::ItemDeleted(int index)
{
    if (HandleAllocated())
        return;
    if (savedIndex_ == index)
        savedIndex_ = -1;
    else if (savedIndex_ > index)
        --savedIndex_;
}
