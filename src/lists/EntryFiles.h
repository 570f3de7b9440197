#pragma once
// How the list reaches the files its entries name: whether one lies on
// another computer, whether it exists, and the preview's reading of it. The
// program uses the system's; tests pass a fake that records what was opened.

#include <string>

class TPicture;

class IEntryFiles {
public:
    virtual ~IEntryFiles() = default;
    // True when opening `path` would connect to another computer (see
    // IsOnAnotherComputer in core/WindowsPaths.h); nothing is opened to tell.
    virtual bool OnAnotherComputer(const std::string& path) = 0;
    // True when `path` names an existing file.
    virtual bool Exists(const std::string& path) = 0;
    // Reads the picture the preview shows.
    virtual void LoadPicture(TPicture& picture, const std::string& path) = 0;
};

// The system's files.
class TSystemEntryFiles final : public IEntryFiles {
public:
    bool OnAnotherComputer(const std::string& path) override;
    bool Exists(const std::string& path) override;
    void LoadPicture(TPicture& picture, const std::string& path) override;
};
