// The composition of the engine services on Windows: the find-function
// walker, Windows' path queries and local time, LCMapStringW, and the .xlsx
// writer.

#include "platform/SystemServices.h"

#include "platform/win32/Win32DirectoryTree.h"
#include "platform/win32/Win32FileQueries.h"
#include "platform/win32/Win32LocalClock.h"
#include "platform/win32/Win32TextMapper.h"
#include "platform/xlsx/XlsxWorkbooks.h"

namespace tarnvik::platform {

struct SystemServices::Parts {
  Win32FileQueries files;
  Win32LocalClock clock;
  Win32TextMapper textMapper;
};

SystemServices::SystemServices() : parts_(std::make_unique<Parts>()) {
  engine_.newDirectoryTree = [] { return std::make_unique<Win32DirectoryTree>(); };
  UseXlsxWorkbooks(engine_, parts_->clock);
  engine_.files = &parts_->files;
  engine_.textMapper = &parts_->textMapper;
  engine_.clock = &parts_->clock;
}

SystemServices::~SystemServices() = default;

}  // namespace tarnvik::platform
