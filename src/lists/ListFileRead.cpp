#include "lists/ListFileRead.h"

TListFileContent ReadListFileContent(TListFileInput& input, size_t maxEntriesPastEnd)
{
    TListFileContent content;
    const int32_t count = input.ReadCount();
    content.Entries = input.ReadEntries(count, maxEntriesPastEnd);
    content.Folders = input.ReadFollowedFolders();
    return content;
}

TListFileRead::TListFileRead(std::unique_ptr<TListFileInput> input, size_t maxEntriesPastEnd, HWND window,
                             UINT message, WPARAM tag)
    : input_(std::move(input)), tag_(tag)
{
    thread_ = std::make_unique<TWorkerThread>(
        [this, maxEntriesPastEnd] { content_ = ReadListFileContent(*input_, maxEntriesPastEnd); }, window,
        message, tag);
}

TListFileContent TListFileRead::Finish()
{
    thread_->Finish();
    // Closed before the first entry is shown, also when the read failed.
    input_.reset();
    return std::move(content_);
}
