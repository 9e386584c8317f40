// The composition of the engine services on POSIX systems: the descriptor
// walker, stat-based path queries, localtime_r, the program's own kana
// tables and the .xlsx writer.

#include "platform/SystemServices.h"

#include "platform/posix/PosixDirectoryTree.h"
#include "platform/posix/PosixFileQueries.h"
#include "platform/posix/PosixLocalClock.h"
#include "platform/text/TableTextMapper.h"
#include "platform/xlsx/XlsxWorkbooks.h"

namespace tarnvik::platform {

struct SystemServices::Parts {
  PosixFileQueries files;
  PosixLocalClock clock;
  TableTextMapper textMapper;
};

SystemServices::SystemServices() : parts_(std::make_unique<Parts>()) {
  engine_.newDirectoryTree = [] { return std::make_unique<PosixDirectoryTree>(); };
  UseXlsxWorkbooks(engine_, parts_->clock);
  engine_.files = &parts_->files;
  engine_.textMapper = &parts_->textMapper;
  engine_.clock = &parts_->clock;
}

SystemServices::~SystemServices() = default;

}  // namespace tarnvik::platform
