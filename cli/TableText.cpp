#include "cli/TableText.h"

#include <algorithm>
#include <vector>

#include "base/TextCodec.h"

namespace tarnvik::cli {

namespace {

// Writes one cell as the file system's bytes (base::TextToNative's bytes)
// with the escapes of WriteTableText, into `p`, which has room for 4 bytes
// per code unit.
// Returns the end of what was written.
char* EncodeCell(const std::u16string& cell, char* p) {
  const char16_t* s = cell.data();
  const char16_t* const end = s + cell.size();
  while (s < end) {
    const char16_t u = *s++;
    if (u >= 0x20 && u < 0x7F && u != u'\\') {
      *p++ = static_cast<char>(u);
      continue;
    }
    if (u < 0x80) {
      switch (u) {
        case u'\\':
          *p++ = '\\';
          *p++ = '\\';
          break;
        case u'\t':
          *p++ = '\\';
          *p++ = 't';
          break;
        case u'\n':
          *p++ = '\\';
          *p++ = 'n';
          break;
        case u'\r':
          *p++ = '\\';
          *p++ = 'r';
          break;
        default: {
          // Any other C0 control or DEL: as raw bytes they would reach the
          // terminal as commands.
          static constexpr char kHex[] = "0123456789ABCDEF";
          *p++ = '\\';
          *p++ = 'x';
          *p++ = kHex[u >> 4];
          *p++ = kHex[u & 0xF];
        }
      }
      continue;
    }
    // Outside ASCII: the codec's one surrogate policy, with the stand-ins
    // of undecodable file-name bytes written back as those bytes.
    --s;
    const base::Character ch = base::NextCharacter(s, end);
    if (ch.rawByte) {
      *p++ = static_cast<char>(ch.codePoint);
    } else {
      p = base::PutUtf8(ch.codePoint, p);
    }
  }
  return p;
}

}  // namespace

namespace {

// Reads the cells through the table: the folder cell is not held in the row.
// `cells` is scratch space kept by the caller, so no row allocates.
void AppendRow(const base::ResultTable& table, int r, std::vector<const std::u16string*>& cells,
               std::string& out) {
  const int cols = table.ColCount();
  cells.resize(static_cast<size_t>(cols));
  size_t room = static_cast<size_t>(cols) + 1;  // separators and newline
  for (int c = 0; c < cols; ++c) {
    cells[c] = &table.Cell(c, r);
    room += cells[c]->size() * 4;
  }
  const size_t start = out.size();
  out.resize(start + room);
  char* p = out.data() + start;
  for (int c = 0; c < cols; ++c) {
    if (c > 0) *p++ = '\t';
    p = EncodeCell(*cells[c], p);
  }
  *p++ = '\n';
  out.resize(static_cast<size_t>(p - out.data()));
}

}  // namespace

bool WriteTableText(const base::ResultTable& table, FILE* stream) {
  constexpr size_t kChunk = 1 << 16;
  std::string buffer;
  std::vector<const std::u16string*> cells;
  buffer.reserve(2 * kChunk);
  bool ok = true;
  for (int r = 0; r < table.RowCount(); ++r) {
    AppendRow(table, r, cells, buffer);
    if (buffer.size() >= kChunk || r + 1 == table.RowCount()) {
      ok = ok && std::fwrite(buffer.data(), 1, buffer.size(), stream) == buffer.size();
      buffer.clear();
    }
  }
  return std::fflush(stream) == 0 && ok;
}

}  // namespace tarnvik::cli
