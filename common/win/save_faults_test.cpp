// A save that meets a file another program holds open (a text editor, a virus scanner): the
// save waits a moment for it, else fails and says why; the old content stays, and no temporary
// file is left beside it.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "line_file.h"
#include "win/raii.h"

namespace {

class HeldFile : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t folder[MAX_PATH];
    ASSERT_NE(GetTempPathW(MAX_PATH, folder), 0u);
    folder_ = std::wstring(folder) + L"clocks_held_" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder_.c_str(), nullptr);
    path_ = folder_ + L"\\Message.ini";
    ASSERT_TRUE(WriteFileBytes(path_, "old\r\n"));
  }
  void TearDown() override {
    DeleteFileW(path_.c_str());
    RemoveDirectoryW(folder_.c_str());
  }
  // Files in the folder, the saved one included.
  int Entries() const {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder_ + L"\\*").c_str(), &found);
    int count = 0;
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
  }
  HANDLE Hold(DWORD share) {
    return CreateFileW(path_.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  std::wstring folder_, path_;
};

TEST_F(HeldFile, OpenWithoutSharingRefusesTheSaveAndKeepsTheOldContent) {
  {
    FileHandle held(Hold(0));
    ASSERT_TRUE(held);
    SaveResult result = WriteFileBytes(path_, "new\r\n");
    EXPECT_FALSE(result);
    EXPECT_NE(result.error, 0u);
    EXPECT_FALSE(result.reason.empty());
  }
  EXPECT_EQ(ReadFileBytes(path_), std::optional<std::string>("old\r\n"));
  EXPECT_EQ(Entries(), 1) << "a temporary file was left behind";
}

// Scanners, indexers and sync clients open a freshly saved file for a moment.
TEST_F(HeldFile, AFileHeldForAMomentIsSavedOnceItIsFree) {
  for (DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ}}) {
    HANDLE held = Hold(share);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread release([held] {
      Sleep(200);
      CloseHandle(held);
    });
    SaveResult result = WriteFileBytes(path_, "new\r\n");
    release.join();
    EXPECT_TRUE(result) << "share " << share << ": " << testing::PrintToString(result.reason);
    EXPECT_EQ(ReadFileBytes(path_), std::optional<std::string>("new\r\n"));
    ASSERT_TRUE(WriteFileBytes(path_, "old\r\n"));
  }
  EXPECT_EQ(Entries(), 1) << "a temporary file was left behind";
}

}  // namespace
