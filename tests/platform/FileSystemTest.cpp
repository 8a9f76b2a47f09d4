#include "platform/SystemFileSystem.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class FileSystemTest : public ::testing::Test {
protected:
    std::unique_ptr<IFileSystem> system = std::make_unique<CSystemFileSystem>();
    CTempDir dir;
};

TEST_F(FileSystemTest, TheExecutableDirectoryHoldsTheRunningProgram)
{
    const std::string folder = system->ExecutableDirectory();
    ASSERT_FALSE(folder.empty());
    const char last = folder.back();
    EXPECT_TRUE(last == '/' || last == '\\') << folder;
    bool found = false;
    for (const auto& entry : fs::directory_iterator(folder))
        found |= entry.path().stem() == "tolvi_platform_tests";
    EXPECT_TRUE(found) << folder;
}

TEST_F(FileSystemTest, ReadTellsMissingFromUnopenableAndReadOnly)
{
    Bytes bytes{1, 2, 3};
    EXPECT_EQ(system->Read(dir.File("absent"), bytes), FileReadResult::Missing);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(system->Read(dir.File("no folder/absent"), bytes), FileReadResult::Missing);

    fs::create_directory(dir.File("folder"));
    EXPECT_EQ(system->Read(dir.File("folder"), bytes), FileReadResult::Unopenable);

    WriteBytes(dir.File("read-only"), {9});
    SetReadOnly(dir.File("read-only"), true);
    EXPECT_EQ(system->Read(dir.File("read-only"), bytes), FileReadResult::ReadOnly);
    EXPECT_EQ(bytes, Bytes{9});

    WriteBytes(dir.File("empty"), {});
    EXPECT_EQ(system->Read(dir.File("empty"), bytes), FileReadResult::Read);
    EXPECT_TRUE(bytes.empty());
}

TEST_F(FileSystemTest, WritesAndReadsBackEveryByte)
{
    Bytes data(300000);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    auto file = system->Create(dir.File("data"));
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->Write(data.data(), 1000));
    ASSERT_TRUE(file->Write(data.data() + 1000, data.size() - 1000));
    ASSERT_TRUE(file->Flush());
    ASSERT_TRUE(file->Close());
    Bytes back;
    ASSERT_EQ(system->Read(dir.File("data"), back), FileReadResult::Read);
    EXPECT_EQ(back, data);
}

TEST_F(FileSystemTest, CreateEmptiesAnExistingFile)
{
    WriteBytes(dir.File("f"), Bytes(100, 1));
    auto file = system->Create(dir.File("f"));
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->Write("ab", 2));
    ASSERT_TRUE(file->Close());
    EXPECT_EQ(ReadBytes(dir.File("f")), (Bytes{'a', 'b'}));
}

TEST_F(FileSystemTest, ReplacePutsTheNewFileInPlace)
{
    WriteBytes(dir.File("new"), {1});
    EXPECT_TRUE(system->Replace(dir.File("new"), dir.File("target")));
    WriteBytes(dir.File("newer"), {2});
    EXPECT_TRUE(system->Replace(dir.File("newer"), dir.File("target")));
    EXPECT_EQ(ReadBytes(dir.File("target")), Bytes{2});
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"target"}));
}

TEST_F(FileSystemTest, ReplaceRefusesAReadOnlyTargetOrAFolder)
{
    WriteBytes(dir.File("target"), {1});
    SetReadOnly(dir.File("target"), true);
    WriteBytes(dir.File("new"), {2});
    EXPECT_FALSE(system->Replace(dir.File("new"), dir.File("target")));
    EXPECT_EQ(ReadBytes(dir.File("target")), Bytes{1});
    EXPECT_EQ(ReadBytes(dir.File("new")), Bytes{2});

    fs::create_directory(dir.File("folder"));
    EXPECT_FALSE(system->Replace(dir.File("new"), dir.File("folder")));
    EXPECT_TRUE(fs::is_directory(dir.File("folder")));
}

TEST_F(FileSystemTest, RemoveDeletesOnlyWhatExists)
{
    WriteBytes(dir.File("f"), {1});
    EXPECT_TRUE(system->Remove(dir.File("f")));
    EXPECT_FALSE(system->Remove(dir.File("f")));
    EXPECT_TRUE(dir.Entries().empty());
}

} // namespace
