#include "lists/NameListView.h"

#include "core/FileNames.h"

TNameListView::TNameListView(TListModel& list, TListBox& names)
    : list_(list), names_(names), subscription_(list.Subscribe([this](const TListChange& c) { Follow(c); }))
{
    Refill();
}

std::vector<std::string> TNameListView::Names(int first, int count) const
{
    std::vector<std::string> names;
    names.reserve(static_cast<size_t>(count));
    for (int row = first; row < first + count; ++row)
        names.push_back(ExtractFileName(list_.Path(row)));
    return names;
}

void TNameListView::Follow(const TListChange& change)
{
    TControlItems& rows = names_.Items();
    switch (change.Kind) {
    case TListChangeKind::Added:
        if (change.First != rows.Count()) {
            Refill();
            break;
        }
        {
            // One batch: the list makes room for all the rows at once.
            const TItemsUpdate update(rows);
            rows.AddStrings(Names(change.First, change.Count));
        }
        break;
    case TListChangeKind::Removed:
        if (change.Count == rows.Count()) {
            rows.Clear();
            break;
        }
        {
            const TItemsUpdate update(rows);
            for (int row = change.First + change.Count - 1; row >= change.First; --row)
                rows.Delete(row);
        }
        break;
    case TListChangeKind::Moved: {
        const TItemsUpdate update(rows);
        rows.Delete(change.First);
        rows.Insert(change.To, ExtractFileName(list_.Path(change.To)));
        break;
    }
    case TListChangeKind::Renamed:
        rows.SetStrings(change.First, ExtractFileName(list_.Path(change.First)));
        break;
    case TListChangeKind::Rewritten:
    case TListChangeKind::Loaded:
        Refill();
        break;
    }
}

void TNameListView::Refill()
{
    TControlItems& rows = names_.Items();
    const TItemsUpdate update(rows);
    rows.Clear();
    rows.AddStrings(Names(0, list_.Count()));
}
