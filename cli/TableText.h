#pragma once

#include <string>

#include "core/ResultTable.h"

namespace tarnvik::cli {

// Appends the table as text: row 0 (headers) first, then rows 1 to
// RowCount - 1; each line holds the cells of columns 0 to ColCount - 1
// joined by one tab. Inside a cell a backslash, tab, newline and carriage
// return are written as \\, \t, \n and \r. Cells go out as the file system's
// bytes: UTF-8, with the bytes of undecodable file names restored.
void AppendTableText(const core::ResultTable& table, std::string& out);

}  // namespace tarnvik::cli
