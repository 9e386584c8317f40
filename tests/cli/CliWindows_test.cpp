// tarnvik-cli.exe as a script on Windows runs it: a Japanese root given on
// the UTF-16 command line, the table read from a pipe as UTF-8 bytes.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/WideText.h"

namespace {

using tarnvik::platform::win32::ToNative;

struct CliRun {
  DWORD exitCode = 0;
  std::string out;
};

// Runs the program with `arguments` (already quoted) and collects what it
// writes to standard output; standard error is dropped.
CliRun RunCli(const std::wstring& arguments) {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  EXPECT_TRUE(CreatePipe(&readEnd, &writeEnd, &inherit, 0));
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  const HANDLE nul =
      CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW start{};
  start.cb = sizeof(start);
  start.dwFlags = STARTF_USESTDHANDLES;
  start.hStdInput = nul;
  start.hStdOutput = writeEnd;
  start.hStdError = nul;
  std::wstring command = L"\"" TARNVIK_CLI_PATH L"\" " + arguments;
  PROCESS_INFORMATION process{};
  CliRun run;
  const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      nullptr, &start, &process);
  EXPECT_TRUE(started) << GetLastError();
  CloseHandle(writeEnd);
  CloseHandle(nul);
  if (started) {
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got > 0) {
      run.out.append(buffer, got);
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(readEnd);
  return run;
}

class CliWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    root_ = std::wstring(temp) + L"資料-" + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(root_.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((root_ + L"\\議事録").c_str(), nullptr));
    for (const wchar_t* name : {L"\\報告書.xls", L"\\議事録\\ﾚﾎﾟｰﾄ.txt"}) {
      const HANDLE h = CreateFileW((root_ + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
      ASSERT_NE(h, INVALID_HANDLE_VALUE);
      CloseHandle(h);
    }
  }
  void TearDown() override {
    DeleteFileW((root_ + L"\\報告書.xls").c_str());
    DeleteFileW((root_ + L"\\議事録\\ﾚﾎﾟｰﾄ.txt").c_str());
    RemoveDirectoryW((root_ + L"\\議事録").c_str());
    RemoveDirectoryW(root_.c_str());
  }

  std::wstring root_;
};

TEST_F(CliWindowsTest, JapaneseRootFromTheCommandLineListsItsFiles) {
  const CliRun run = RunCli(L"\"" + root_ + L"\"");
  EXPECT_EQ(run.exitCode, 0u);
  // UTF-8 on the pipe, folders with "\" (printed escaped as "\\").
  EXPECT_NE(run.out.find(ToNative(L"\t報告書.xls\t\t")), std::string::npos) << run.out;
  EXPECT_NE(run.out.find(ToNative(L"\tﾚﾎﾟｰﾄ.txt\t議事録\t")), std::string::npos) << run.out;
}

TEST_F(CliWindowsTest, JapaneseKeywordFiltersTheRows) {
  const CliRun run = RunCli(L"--filter れぽーと \"" + root_ + L"\"");
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_NE(run.out.find(ToNative(L"ﾚﾎﾟｰﾄ.txt")), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find(ToNative(L"報告書.xls")), std::string::npos) << run.out;
}

}  // namespace
