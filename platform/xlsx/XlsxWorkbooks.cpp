#include "platform/xlsx/XlsxWorkbooks.h"

#include <utility>

#include "platform/xlsx/XlsxSpreadsheet.h"

namespace tarnvik::platform {

void UseXlsxWorkbooks(EngineServices& engine, const LocalClock& clock) {
  engine.newWorkbookForViewing = [&clock](WorkbookOpener opener) -> std::unique_ptr<Spreadsheet> {
    return std::make_unique<XlsxSpreadsheet>(XlsxSpreadsheet::ForViewing(std::move(opener), clock));
  };
  engine.newWorkbookFile = [](const std::string& nativePath) -> std::unique_ptr<Spreadsheet> {
    return std::make_unique<XlsxSpreadsheet>(XlsxSpreadsheet::ForFile(nativePath));
  };
}

}  // namespace tarnvik::platform
