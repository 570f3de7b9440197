#pragma once
// Temporary folders for the Windows tests. Every one lies under the test
// program's own root folder (one per run, in the system's temporary folder,
// named for the process), so nothing a test writes lands anywhere else and
// whatever a failed test left is removed with the root when the run ends.

#include <string>
#include <vector>

// The root of this run's temporary folders, made on first use.
const std::string& TestRoot();
// Removes the root with everything in it (the test program's main does).
void RemoveTestRoot();

// A fresh folder for one test, removed with everything in it when the test
// ends.
class TTempFolder {
public:
    TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
    ~TTempFolder();

    // The folder, without a trailing "\".
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }
    // The names in the folder (files and subfolders), "." and ".." left out.
    std::vector<std::string> FileNames() const;
    // Creates (or replaces) a file in the folder with the given bytes.
    void Write(const std::string& name, const std::string& bytes = "") const;

private:
    std::string path_;
};

// The whole content of a file as bytes ("<missing>" when it cannot be read).
std::string FileBytes(const std::string& path);
// Creates (or replaces) a file with the given bytes.
void PutFileBytes(const std::string& path, const std::string& bytes);
// Sets the file's last write time to `minutes` before now.
void SetFileAge(const std::string& path, int minutes);
