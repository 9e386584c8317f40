#pragma once

#include "platform/LocalClock.h"
#include "platform/Services.h"

namespace tarnvik::platform {

// Sets the two workbook factories of `engine` to the .xlsx writer: one
// XlsxSpreadsheet::ForViewing per export of the window (named by `clock`,
// which must outlive `engine`), one XlsxSpreadsheet::ForFile per --xlsx of
// the command line. Every system's composition uses it.
void UseXlsxWorkbooks(EngineServices& engine, const LocalClock& clock);

}  // namespace tarnvik::platform
