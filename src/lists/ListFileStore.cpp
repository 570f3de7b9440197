#include "lists/ListFileStore.h"

#include "lists/ListFileWriter.h"

void SaveListFile(const std::string& path, const std::vector<std::string>& entries)
{
    TAtomicFileWriter file = TAtomicFileWriter::CreateText(path);
    WriteListFile(file, entries);
    file.Commit();
}

TListFileInput::TListFileInput(const std::string& path) : File(TInputFile::OpenText(path)), Reader(File) {}
