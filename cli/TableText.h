#pragma once

#include <cstdio>
#include <string>

#include "base/ResultTable.h"

namespace tarnvik::cli {

// Writes the table as text to `stream`: row 0 (headers) first, then rows 1
// to RowCount - 1; each line holds the cells of columns 0 to ColCount - 1
// joined by one tab. Inside a cell a backslash, tab, newline and carriage
// return are written as \\, \t, \n and \r, and every other C0 control
// character (U+0000 to U+001F) and DEL (U+007F) as \x and two upper-case
// hex digits, so that no file name can send commands to a terminal. Cells
// go out as the file system's bytes: UTF-8, with the bytes of undecodable
// file names restored. A small buffer is reused, so a large table never
// needs its whole text in memory.
// Returns false when writing failed.
bool WriteTableText(const base::ResultTable& table, FILE* stream);

}  // namespace tarnvik::cli
