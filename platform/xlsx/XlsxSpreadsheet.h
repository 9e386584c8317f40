#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/LocalClock.h"
#include "platform/Spreadsheet.h"

namespace tarnvik::platform {

// A spreadsheet that builds its one workbook in memory and writes it as an
// .xlsx file (Office Open XML) with libxlsxwriter when it disconnects.
//
// Cells hold exactly what SetRangeValue gave them, always as text cells: a
// text like "=1+1", "@x" or " 12" is never read as a formula or a number. An
// empty text becomes a blank cell that still carries the range's font, so the
// sheet keeps the shape of what was written. Characters that XML cannot hold
// are kept in the form the format defines for them: controls other than tab
// and line feed (carriage return and NUL included) and U+FFFE/U+FFFF are
// written as "_xHHHH_", and an "_" that would otherwise start such an escape
// as "_x005F_"; lone surrogates (the stand-ins for bytes of file names that
// are not valid UTF-8) become U+FFFD, which every reader shows. Fonts apply to
// the cells of their range whatever the order of the calls; widths to whole
// columns. A text longer than the format's 32,767 characters makes the save
// fail.
//
// Two ways to hand the workbook over on Disconnect:
// - ForViewing: saved under a new name in the user's cache folder
//   (CacheFolder()), never overwriting a file, then handed to the opener
//   (the desktop's program for .xlsx files), like a new unsaved workbook
//   left open for the user; not opened when SetVisible(true) never came.
// - ForFile: written to the given path, never opened. A regular file there
//   is replaced only once the new one is complete, and the new file takes
//   its permission bits; anything else there (a folder, a symbolic link, a
//   FIFO, a device) is never replaced: the save fails and leaves it as it
//   is.
//
// Connect starts over with no workbook; one workbook per connection (a second
// AddWorkbook throws). Disconnect without a workbook saves nothing; without
// Connect it does nothing. Every failure throws SpreadsheetError: calls out
// of order, invalid addresses or shapes, widths outside 0 to 255, a font
// range of more than 4,000,000 cells, an empty file name, no cache
// folder that can be created or written, a failed write, no opener or an
// opener that returns false. A failed save leaves no file of its own behind
// except, when only the opener failed, the saved workbook. Dropping the object
// before Disconnect discards the workbook. Not thread-safe.
class XlsxSpreadsheet final : public Spreadsheet {
 public:
  // Opens a saved workbook; returns false when it could not be opened.
  using Opener = std::function<bool(const std::string& nativePath)>;

  // `clock` names the saved files by the local time; it must outlive the
  // object.
  static XlsxSpreadsheet ForViewing(Opener opener, const LocalClock& clock);
  static XlsxSpreadsheet ForFile(std::string nativePath);

  XlsxSpreadsheet(XlsxSpreadsheet&&) noexcept;
  XlsxSpreadsheet& operator=(XlsxSpreadsheet&&) noexcept;
  ~XlsxSpreadsheet() override;

  void Connect() override;
  void SetVisible(bool visible) override;
  void AddWorkbook() override;
  void ConnectActiveWorkbook() override;
  void ConnectActiveSheet() override;
  void SetRangeValue(std::u16string_view first, std::u16string_view last,
                     const TextBlock& values) override;
  void SetRangeFontName(std::u16string_view first, std::u16string_view last,
                        std::u16string_view fontName) override;
  void SetRangeColumnWidth(std::u16string_view first, std::u16string_view last,
                           int characters) override;
  void Disconnect() override;

  // The file the last successful save wrote; empty before the first one.
  const std::string& SavedPath() const { return savedPath_; }

  // Where ForViewing saves: platform::UserCacheFolder(), that is
  // $XDG_CACHE_HOME/tarnvik when that variable holds an absolute path, else
  // $HOME/.cache/tarnvik when HOME is absolute (%LOCALAPPDATA%\Tarnvik on
  // Windows), else empty (no cache folder: saving fails). Read at each save.
  static std::string CacheFolder();

 private:
  struct Book;

  XlsxSpreadsheet(Opener opener, const LocalClock* clock, std::string filePath, bool toFile);
  void Reset();
  Book& Sheet();
  void Save(const Book& book);

  Opener opener_;
  const LocalClock* clock_ = nullptr;  // ForViewing only
  std::string filePath_;               // ForFile's target
  std::string savedPath_;
  std::unique_ptr<Book> book_;
  bool toFile_ = false;
  bool connected_ = false;
  bool visible_ = false;
  bool bookActive_ = false;
  bool sheetActive_ = false;
};

}  // namespace tarnvik::platform
