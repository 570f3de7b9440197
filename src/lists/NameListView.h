#pragma once
// The visible list of the pictures: one row per entry of the list model,
// showing the entry's file name, kept in step with every change the model
// tells of. It holds nothing of its own but the names it draws; which row
// is highlighted is the list box's (the commands set it).

#include "framework/stdctrls/ListBox.h"
#include "lists/ListModel.h"

class TNameListView {
public:
    TNameListView(TListModel& list, TListBox& names);
    TNameListView(const TNameListView&) = delete;
    TNameListView& operator=(const TNameListView&) = delete;

private:
    void Follow(const TListChange& change);
    // The names of entries `first` .. `first + count - 1`.
    std::vector<std::string> Names(int first, int count) const;
    // Every row written again; no row stays highlighted.
    void Refill();

    TListModel& list_;
    TListBox& names_;
    TListSubscription subscription_;
};
