#pragma once

#include <cstdint>
#include <string>

namespace tarnvik::base {

// The three counters of a search, owned by the window (or the command-line
// front end) and zeroed by the search command.
struct Counters {
  int32_t FileCount = 0;
  int32_t FolderCount = 0;
  int32_t SameCount = 0;
};

// The count boxes the engine writes while it works.
enum class CountBox {
  Files,     // STxDatCnt
  Folders,   // STxFolder
  Same,      // STxEqual
  Selected,  // STxSelCnt: rows of the lower table
};

// Sort orders of the radio group RdGSortKbn, in the order of its items; the
// same value chooses the column layout (six columns, or seven with "Ext.").
enum class SortOrder : int {
  ByName = 0,
  ByExtension = 1,
};

// The order of an item index of RdGSortKbn (or of a saved number): 1 is the
// extension order, anything else the file-name order.
constexpr SortOrder SortOrderFromIndex(int index) {
  return index == static_cast<int>(SortOrder::ByExtension) ? SortOrder::ByExtension
                                                           : SortOrder::ByName;
}

// What the engine needs from the window that runs it. The engine calls these
// at fixed points of its work; every call comes from the thread that called
// the engine (the UI thread in the program). The defaults do nothing, so a
// front end without a window overrides only what it shows.
class EngineHost {
 public:
  virtual ~EngineHost() = default;

  // The sort order currently chosen.
  virtual SortOrder CurrentSortOrder() const { return SortOrder::ByName; }

  // Shows a decimal number in one of the count boxes.
  virtual void ShowCount(CountBox /*box*/, int /*value*/) {}
  // Empties one of the count boxes.
  virtual void ClearCount(CountBox /*box*/) {}

  // Lets the window process pending events (repaint, animation). Called very
  // often; the host may skip calls that come too soon after the last one.
  virtual void ProcessPendingEvents() {}

  // Shows a modal message box with the given text and returns when the user
  // has closed it. Lines are separated by CR LF.
  virtual void ShowMessage(const std::u16string& /*text*/) {}

  // A folder of the scan could not be opened or listed; it is skipped. `folder`
  // is its path as text (the root, "/", then the relative folder), `error`
  // what DirectoryTree::LastError() gave. The window ignores it.
  virtual void FolderNotRead(const std::u16string& /*folder*/, int /*error*/) {}

  // The scan is about to start and has ended (the window shows its progress
  // window with the search caption in between).
  virtual void ScanBegins() {}
  virtual void ScanEnds() {}

  // The sort and marking pass is about to start and has ended (the window
  // shows its progress window with the sort caption in between).
  virtual void SortBegins() {}
  virtual void SortEnds() {}

  // The window's minimum and maximum width in pixels for the current
  // column layout.
  virtual void SetWindowWidthLimits(int /*pixels*/) {}
};

// The line break inside multi-line messages.
inline constexpr char16_t kCrLf[] = u"\r\n";

}  // namespace tarnvik::base
