#include "lists/ListedKeys.h"

#include <algorithm>
#include <string_view>

TKeyedPaths KeyPaths(std::vector<std::string> paths, const TListModel::TNameKey& nameKey,
                     const std::atomic<bool>* stop)
{
    constexpr size_t StopCheckEvery = 1024;
    TKeyedPaths ready;
    ready.Keys.reserve(paths.size());
    for (const std::string& path : paths) {
        if (stop && ready.Keys.size() % StopCheckEvery == 0 && stop->load())
            return {};
        ready.Keys.push_back(nameKey(path));
    }
    // The first of the names sharing a key stays. The views point into the
    // keys, which do not move until the views are gone.
    std::vector<bool> first(paths.size());
    {
        std::unordered_set<std::wstring_view> seen;
        seen.reserve(paths.size());
        for (size_t i = 0; i < paths.size(); ++i)
            first[i] = seen.insert(ready.Keys[i]).second;
    }
    size_t kept = 0;
    for (size_t i = 0; i < paths.size(); ++i) {
        if (!first[i])
            continue;
        if (kept != i) {
            paths[kept] = std::move(paths[i]);
            ready.Keys[kept] = std::move(ready.Keys[i]);
        }
        ++kept;
    }
    ready.GivenTwice = paths.size() - kept;
    paths.resize(kept);
    ready.Keys.resize(kept);
    ready.Paths = std::move(paths);
    return ready;
}

TListedKeys::TListedKeys(TListModel& list)
    : list_(list), followed_(list.Subscribe([this](const TListChange& change) {
          // Appended entries are keyed in the next steps, and a move keeps
          // the same names; after anything else the keys are made again.
          if (change.Kind != TListChangeKind::Added && change.Kind != TListChangeKind::Moved)
              Forget();
      }))
{
}

bool TListedKeys::KeyMore(size_t count)
{
    const std::vector<std::string>& paths = list_.Paths();
    if (keyed_ == 0)
        keys_.reserve(paths.size());
    const size_t end = keyed_ + std::min(count, paths.size() - keyed_);
    for (; keyed_ < end; ++keyed_)
        keys_.insert(list_.KeyOf(paths[keyed_]));
    return Complete();
}

void TListedKeys::Forget()
{
    std::unordered_set<std::wstring>().swap(keys_);
    keyed_ = 0;
}
