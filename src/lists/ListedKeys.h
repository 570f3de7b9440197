#pragma once
// An add to the list in two halves, for adds too large to make in one go on
// the window's thread: the new names' keys are made wherever the names were
// found (a worker thread may do it), and the keys of the names listed are
// made a number of entries at a time between the window's messages. The list
// model then appends what is not listed yet, exactly as an add made at once.
//
// Portable: no Windows header.

#include "lists/ListModel.h"

#include <atomic>
#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

// Names readied to be added: each with its key, a name given twice among
// them left out already (the first one stays).
struct TKeyedPaths {
    std::vector<std::string> Paths;
    std::vector<std::wstring> Keys;
    // How many were left out as given twice.
    size_t GivenTwice = 0;
};

// Keys `paths` by `nameKey` (which must be safe to call on the thread this
// runs on). Once `stop` is set, it ends early with nothing ready.
TKeyedPaths KeyPaths(std::vector<std::string> paths, const TListModel::TNameKey& nameKey,
                     const std::atomic<bool>* stop = nullptr);

// The keys of every entry of a list, made in steps. It follows the list
// meanwhile: entries appended are keyed in later steps, and any other edit
// starts the keys again, so when complete they are the list's as it is.
class TListedKeys {
public:
    explicit TListedKeys(TListModel& list);
    TListedKeys(const TListedKeys&) = delete;
    TListedKeys& operator=(const TListedKeys&) = delete;

    // Keys up to `count` more entries; true once every entry's key is known.
    bool KeyMore(size_t count);
    bool Complete() const { return keyed_ == static_cast<size_t>(list_.Count()); }
    bool Holds(const std::wstring& key) const { return keys_.contains(key); }
    // Lets the keys go (their memory is free again) and starts over.
    void Forget();

private:
    TListModel& list_;
    std::unordered_set<std::wstring> keys_;
    // The entries 0 .. keyed_ - 1 have their keys in keys_.
    size_t keyed_ = 0;
    TListSubscription followed_;
};
