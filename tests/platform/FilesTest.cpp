#include "platform/Files.h"

#include "core/Exceptions.h"
#include "platform/SystemError.h"
#include "support/ErrorOf.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <thread>

using testing::ElementsAre;
using testing::UnorderedElementsAre;

namespace {

std::string ReadAll(TInputFile& file)
{
    std::string bytes;
    char buffer[7];
    while (const size_t count = file.Read(buffer, sizeof buffer))
        bytes.append(buffer, count);
    return bytes;
}

void WriteAll(TAtomicFileWriter& file, const std::string& bytes)
{
    file.Write(bytes.data(), bytes.size());
}

// Writes `bytes` over `path` as the wallpaper bitmap is written: not
// flushed.
void ReplaceUnflushed(const std::string& path, const std::string& bytes)
{
    TAtomicFileWriter file = TAtomicFileWriter::CreateStream(path);
    file.SetFlushOnCommit(false);
    WriteAll(file, bytes);
    file.Commit();
}

} // namespace

TEST(InputFile, ReadsTheWholeFileAndItsSize)
{
    TTempFolder folder;
    const std::string bytes = std::string("a\r\n\x1a\0z", 6) + std::string(70000, 'q');
    PutFileBytes(folder / "in.bin", bytes);
    TInputFile file = TInputFile::OpenText(folder / "in.bin");
    EXPECT_EQ(file.Size(), bytes.size());
    EXPECT_EQ(ReadAll(file), bytes);
    EXPECT_EQ(file.Read(nullptr, 0), 0u);
}

TEST(InputFile, OpenFailuresCarryTheMappedTexts)
{
    TTempFolder folder;
    EXPECT_EQ(ErrorOf([&] { TInputFile::OpenText(folder / "missing.lst"); }), "File not found");
    EXPECT_EQ(ErrorOf([&] { TInputFile::OpenText(folder / "no folder\\x.lst"); }), "Invalid filename");
    EXPECT_EQ(ErrorOf([&] { TInputFile::OpenText(folder / "bad|name.lst"); }), "Invalid filename");
    // A file another program holds open for writing without sharing.
    PutFileBytes(folder / "locked.lst", "0\r\n");
    HANDLE writer =
        CreateFileA((folder / "locked.lst").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ErrorOf([&] { TInputFile::OpenText(folder / "locked.lst"); }), "I/O error 32");
    CloseHandle(writer);
}

TEST(InputFile, StreamStyleNamesTheFileAndTheSystemsReason)
{
    TTempFolder folder;
    const std::string path = folder / "missing.jpg";
    EXPECT_EQ(ErrorOf([&] { TInputFile::OpenStream(path); }),
              "Cannot open file \"" + path + "\". " + SystemErrorMessage(ERROR_FILE_NOT_FOUND));
    EXPECT_THROW(TInputFile::OpenStream(path), EFOpenError);
}

TEST(InputFile, OthersMayReadButNotWriteWhileItIsOpen)
{
    TTempFolder folder;
    const std::string path = folder / "shared.lst";
    PutFileBytes(path, "1\r\nx\r\n");
    {
        TInputFile file = TInputFile::OpenText(path);
        HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(reader, INVALID_HANDLE_VALUE);
        CloseHandle(reader);
        HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
        if (writer != INVALID_HANDLE_VALUE)
            CloseHandle(writer);
    }
    // Closed with the object: now the file can be deleted.
    EXPECT_TRUE(DeleteFileA(path.c_str()));
}

TEST(FileErrors, EachSystemErrorMapsToItsText)
{
    const std::pair<DWORD, const char*> cases[] = {
        {2, "File not found"},      {3, "Invalid filename"},   {123, "Invalid filename"},
        {4, "Too many open files"}, {5, "File access denied"}, {32, "I/O error 32"},
        {112, "I/O error 112"},
    };
    for (const auto& [code, text] : cases) {
        EXPECT_EQ(ErrorOf([&] { RaiseFileError("x.lst", code, TFileErrorStyle::Text, true); }), text) << code;
        EXPECT_EQ(ErrorOf([&] { RaiseFileError("x.lst", code, TFileErrorStyle::Text, false); }), text)
            << code;
    }
    EXPECT_THROW(RaiseFileError("x.bmp", 5, TFileErrorStyle::Stream, true), EFCreateError);
    EXPECT_THROW(RaiseFileError("x.bmp", 5, TFileErrorStyle::Stream, false), EFOpenError);
    // The system's reason has no line break at its end.
    const std::string reason = SystemErrorMessage(ERROR_ACCESS_DENIED);
    ASSERT_FALSE(reason.empty());
    EXPECT_GT(static_cast<unsigned char>(reason.back()), ' ');
}

TEST(AtomicFileWriter, CreatesOrReplacesTheFileWhole)
{
    TTempFolder folder;
    const std::string path = folder / "out.lst";
    {
        TAtomicFileWriter file = TAtomicFileWriter::CreateText(path);
        WriteAll(file, "first");
        file.Commit();
    }
    EXPECT_EQ(FileBytes(path), "first");
    // A shorter replacement leaves nothing of the old content; a long one
    // passes through the write buffer several times.
    {
        TAtomicFileWriter file = TAtomicFileWriter::CreateText(path);
        WriteAll(file, "2");
        file.Commit();
    }
    EXPECT_EQ(FileBytes(path), "2");
    std::string big(300000, '\0');
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7 + i / 251);
    {
        TAtomicFileWriter file = TAtomicFileWriter::CreateText(path);
        for (size_t done = 0; done < big.size(); done += 1000)
            file.Write(big.data() + done, std::min<size_t>(1000, big.size() - done));
        file.Commit();
    }
    EXPECT_EQ(FileBytes(path), big);
    // A file that is not flushed on commit is replaced whole all the same.
    {
        TAtomicFileWriter file = TAtomicFileWriter::CreateText(path);
        file.SetFlushOnCommit(false);
        WriteAll(file, "unflushed");
        EXPECT_EQ(FileBytes(path), big);
        file.Commit();
    }
    EXPECT_EQ(FileBytes(path), "unflushed");
    EXPECT_THAT(folder.FileNames(), ElementsAre("out.lst"));
}

TEST(AtomicFileWriter, BlocksLargerThanTheBufferKeepTheirPlaceAmongSmallWrites)
{
    TTempFolder folder;
    const std::string path = folder / "big.bmp";
    std::string first(200000, '\0'), second(150000, '\0');
    for (size_t i = 0; i < first.size(); ++i)
        first[i] = static_cast<char>(i * 13 + i / 509);
    for (size_t i = 0; i < second.size(); ++i)
        second[i] = static_cast<char>(i * 5 + i / 127);
    {
        TAtomicFileWriter file = TAtomicFileWriter::CreateStream(path);
        WriteAll(file, "head");
        file.Write(first.data(), first.size());   // behind buffered bytes
        file.Write(second.data(), second.size()); // with nothing buffered
        WriteAll(file, "tail");
        file.Commit();
    }
    EXPECT_EQ(FileBytes(path), "head" + first + second + "tail");
    EXPECT_THAT(folder.FileNames(), ElementsAre("big.bmp"));
}

TEST(AtomicFileWriter, WithoutCommitTheOldFileStaysAndNoTemporaryRemains)
{
    TTempFolder folder;
    const std::string path = folder / "keep.lst";
    PutFileBytes(path, "2\r\nold\r\nlist\r\n");
    try {
        TAtomicFileWriter file = TAtomicFileWriter::CreateText(path);
        WriteAll(file, std::string(100000, 'n'));
        // The temporary file sits in the target's own folder.
        EXPECT_EQ(file.TemporaryPath().rfind(folder.Path() + "\\", 0), 0u);
        EXPECT_EQ(folder.FileNames().size(), 2u);
        throw EInOutError::FromErrorCode(112); // the producer fails part-way
    } catch (const EInOutError&) {
    }
    EXPECT_EQ(FileBytes(path), "2\r\nold\r\nlist\r\n");
    EXPECT_THAT(folder.FileNames(), ElementsAre("keep.lst"));
}

TEST(AtomicFileWriter, FailedReplaceLeavesTheOldFileAndNoTemporary)
{
    TTempFolder folder;
    // A read-only file cannot be replaced.
    const std::string readOnly = folder / "readonly.lst";
    PutFileBytes(readOnly, "old");
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ErrorOf([&] {
                  TAtomicFileWriter file = TAtomicFileWriter::CreateText(readOnly);
                  WriteAll(file, "new");
                  file.Commit();
              }),
              "File access denied");
    EXPECT_EQ(FileBytes(readOnly), "old");
    // Neither can a folder, nor a name the system refuses.
    CreateDirectoryA((folder / "sub").c_str(), nullptr);
    EXPECT_EQ(ErrorOf([&] {
                  TAtomicFileWriter file = TAtomicFileWriter::CreateText(folder / "sub");
                  file.Commit();
              }),
              "File access denied");
    EXPECT_EQ(ErrorOf([&] {
                  TAtomicFileWriter file = TAtomicFileWriter::CreateText(folder / "bad|name.lst");
                  file.Commit();
              }),
              "Invalid filename");
    EXPECT_THAT(folder.FileNames(), UnorderedElementsAre("readonly.lst", "sub"));
}

TEST(AtomicFileWriter, AFileAnotherProgramHoldsForAMomentIsWaitedFor)
{
    TTempFolder folder;
    const std::string path = folder / "LastList.lst";
    PutFileBytes(path, "old");
    for (const DWORD holdMs : {150u, 3000u}) {
        SCOPED_TRACE(holdMs);
        // A scanner opens the new file without letting others delete or
        // rename it, and lets go after a while.
        HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        std::thread scanner([held, holdMs] {
            Sleep(holdMs);
            CloseHandle(held);
        });
        const std::string error = ErrorOf([&] {
            TAtomicFileWriter file = TAtomicFileWriter::CreateText(path);
            WriteAll(file, std::to_string(holdMs));
            file.Commit();
        });
        scanner.join();
        if (holdMs < 1000) {
            EXPECT_EQ(error, "");
            EXPECT_EQ(FileBytes(path), "150");
        } else {
            // A hold that outlasts the retries is told; the old file stays.
            EXPECT_EQ(error, "I/O error 32");
            EXPECT_EQ(FileBytes(path), "150");
        }
    }
    EXPECT_THAT(folder.FileNames(), ElementsAre("LastList.lst"));
}

TEST(AtomicFileWriter, CreateFailuresInBothStyles)
{
    TTempFolder folder;
    const std::string path = folder / "no folder\\x.lst";
    EXPECT_EQ(ErrorOf([&] { TAtomicFileWriter::CreateText(path); }), "Invalid filename");
    EXPECT_EQ(ErrorOf([&] { TAtomicFileWriter::CreateStream(path); }),
              "Cannot create file \"" + path + "\". " + SystemErrorMessage(ERROR_PATH_NOT_FOUND));
    EXPECT_THROW(TAtomicFileWriter::CreateStream(path), EFCreateError);
}

TEST(AtomicFileWriter, BareNameIsWrittenInTheCurrentDirectory)
{
    TTempFolder folder;
    char previous[MAX_PATH + 1];
    GetCurrentDirectoryA(sizeof previous, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));
    {
        TAtomicFileWriter file = TAtomicFileWriter::CreateText("bare.lst");
        WriteAll(file, "0\r\n");
        file.Commit();
    }
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(FileBytes(folder / "bare.lst"), "0\r\n");
    EXPECT_THAT(folder.FileNames(), ElementsAre("bare.lst"));
}

TEST(FileExists, TellsFilesFromFoldersAndMissingNames)
{
    TTempFolder folder;
    PutFileBytes(folder / "f", "");
    EXPECT_TRUE(FileExists(folder / "f"));
    EXPECT_FALSE(FileExists(folder.Path()));
    EXPECT_FALSE(FileExists(folder / "g"));
}

TEST(StaleTemporaryFiles, OnlyTheWritersOwnOldAndUnheldFilesAreRemoved)
{
    TTempFolder folder;
    const std::vector<std::string> others = {"~tsv0123abce.tmp",  "~tsv0123ABC.tmp",      "~tsv0123ABCDE.tmp",
                                             "x~tsv0123ABCD.tmp", "~tsv0123ABCD.tmp.lst", "~tsv0123ABCD.bak"};
    for (const std::string& name : others) {
        PutFileBytes(folder / name, "not ours");
        SetFileAge(folder / name, 10);
    }
    CreateDirectoryA((folder / "~tsv00000000.tmp").c_str(), nullptr);
    PutFileBytes(folder / "~tsv0123ABCD.tmp", "left by a killed save");
    SetFileAge(folder / "~tsv0123ABCD.tmp", 10);
    PutFileBytes(folder / "~tsv89ABCDEF.tmp", "just written");
    // A save in progress whose last write is old: its file is held open.
    TAtomicFileWriter saving = TAtomicFileWriter::CreateText(folder / "saving.lst");
    WriteAll(saving, "1\r\n");
    const std::string savingTemp = saving.TemporaryPath();
    SetFileAge(savingTemp, 10);

    EXPECT_EQ(RemoveStaleTemporaryFiles(folder.Path()), 1);
    EXPECT_FALSE(FileExists(folder / "~tsv0123ABCD.tmp"));
    EXPECT_TRUE(FileExists(folder / "~tsv89ABCDEF.tmp"));
    EXPECT_TRUE(FileExists(savingTemp));
    for (const std::string& name : others)
        EXPECT_TRUE(FileExists(folder / name)) << name;
    saving.Commit();
    EXPECT_EQ(FileBytes(folder / "saving.lst"), "1\r\n");
    EXPECT_EQ(RemoveStaleTemporaryFiles(folder.Path() + "\\"), 0);
}

TEST(AtomicFileWriter, ABitmapRewrittenOnEveryChangeLeavesNoOtherFileAndNoOtherNameChanged)
{
    // Nothing of a replaced version stays beside the file: the end of a
    // session ends the program without destructors, so what is left there
    // would stay for good.
    TTempFolder folder;
    const std::string path = folder / "MyWallpaper.bmp";
    // The bitmap is also the user's own picture under another name.
    PutFileBytes(path, "also mine");
    ASSERT_TRUE(CreateHardLinkA((folder / "mine.bmp").c_str(), path.c_str(), nullptr));
    const std::string large(300000, 'w');
    for (const std::string& version : {std::string("v1"), large, std::string("v3")})
        ReplaceUnflushed(path, version);
    EXPECT_EQ(FileBytes(path), "v3");
    EXPECT_EQ(FileBytes(folder / "mine.bmp"), "also mine");
    EXPECT_THAT(folder.FileNames(), UnorderedElementsAre("MyWallpaper.bmp", "mine.bmp"));
}
