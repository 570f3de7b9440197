#pragma once
// Folder trees for the folder benchmarks, made in the temporary folder:
// leaf folders of empty picture files (a scan reads only names), one text
// file in each, and one real picture at the root, which comes first in the
// list and can be shown.

#include <string>

struct TBenchTreeShape {
    int OuterFolders = 10;
    int InnerFolders = 10;
    int PicturesPerFolder = 100;
    // The pictures the tree holds, the root's one included.
    size_t Pictures() const
    {
        return static_cast<size_t>(OuterFolders) * InnerFolders * PicturesPerFolder + 1;
    }
};

// Makes the tree; returns its root. `name` tells benchmarks apart.
std::string MakeBenchTree(const char* name, const TBenchTreeShape& shape);
void RemoveBenchTree(const std::string& folder);
