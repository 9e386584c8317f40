#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/EventPump.h"
#include "app/ResultGrid.h"
#include "app/UpDownArrows.h"
#include "base/EngineHost.h"
#include "platform/Services.h"
#include "windows/Anchors.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tarnvik::core {
class MatchKeys;
}
namespace tarnvik::platform {
class FileManager;
class Launcher;
class SettingsStore;
}  // namespace tarnvik::platform
namespace tarnvik::windows {
class TfmAnimate;
}

namespace tarnvik::app {

class GridMenu;
class InputBlocker;
class RadioGroup;

// The main window fmTarnvik: the search root slots, the search command, the
// two result tables and the command buttons. The window is the engine's
// host: it shows the counts, lets events be processed, shows the limit
// message and the progress windows, and gives the sort order.
//
// Sizes: the client area is 720 x 582 at design time. The saved "Width" and
// "Height" and the width limits count the outside of a nominal frame 16
// pixels wide and 39 high around the client area (see windows/WindowFrame.h),
// so the client is 720 wide in the file-name layout (outer 736) and 764 in
// the extension layout (outer 780), and its height is the saved height less
// 39, at least 361 (outer 400). Only the height can be changed by the user.
//
// Every command runs through RunCommand: while it works, the window takes
// no input, and a request to close it is carried out when the command ends.
// UI thread only.
class TfmTarnvik : public QWidget, public base::EngineHost {
  Q_OBJECT

 public:
  static inline const QString kCaption =
      QStringLiteral("ファイルの検索＆プログラム起動ツール Ver.2.0  【縦可変】 [Tarnvik.exe]");
  static inline const QString kFolderSelCaption = QStringLiteral("ドライブ＆フォルダーの選択");
  static inline const QString kScanCaption = QStringLiteral("ファイルの検索処理中！！");
  static inline const QString kSortCaption = QStringLiteral("ファイルのＳｏｒｔ！中");
  // A row's file or an exported workbook the desktop could not open; the
  // path follows on the next line.
  static inline const QString kOpenFailedMessage = QStringLiteral("ファイルを開けませんでした！！");
  static inline const QString kWorkbookNotOpenedMessage =
      QStringLiteral("Ｅｘｃｅｌファイルは保存しましたが、開けませんでした！！");
  // Exit could not save the settings; the place follows on the next line
  // after kSavedAtLabel.
  static inline const QString kSettingsNotSavedMessage =
      QStringLiteral("設定を保存できませんでした！！");
  static inline const QString kSavedAtLabel = QStringLiteral("保存先：");
  static constexpr QSize kDesignClient{720, 582};
  static constexpr int kMinimumOuterHeight = 400;
  static constexpr int kSlotCount = 5;

  // How the limit message reaches the user: by default a modal message box
  // over the window.
  using MessageSink = std::function<void(const QString& text)>;

  // Creates the window with its controls and runs FormCreate on the saved
  // settings of `services`. Everything the window asks of the operating
  // system goes through `services` (settings, launcher, file manager, a
  // directory walker per search, a workbook per export, the default root,
  // the text mapper, the clock), which must outlive the window. The window
  // is not shown.
  explicit TfmTarnvik(platform::Services& services, QWidget* parent = nullptr);
  ~TfmTarnvik() override;

  // Start-up: the default root (the home folder) in every slot, then the
  // saved window height and roots, roots that are not existing folders back
  // to the default, slot 0 shown, the window centred on the screen (no
  // taller than the screen's free area, its top edge on the screen), the
  // file-name layout applied to the empty tables, the button states of a
  // fresh start. A missing or damaged "Height" or "Width" is ignored; the
  // rest of the start-up runs all the same.
  void FormCreate();
  // Slot arrows: the up arrow selects the next slot, the down arrow the
  // previous one, and the slot's root is shown.
  void UpDnFmPathClick(UpDownButton Button);
  // Sort order switch: applies the layout of the chosen order to both
  // tables, then sorts and marks the upper table again. Both grids keep
  // the numbers of their selected rows, as FoundRow and PickedRow do.
  void RdGSortKbnClick();
  // Exit: saves the five roots and the outer window size, then closes.
  // When they cannot be saved, kSettingsNotSavedMessage and the settings'
  // place are shown first; the window closes all the same.
  void BtnPrgEndClick();
  // Search: clears both tables and the three counts, scans the current root
  // with the progress window, sorts and marks, and enables the buttons
  // that work on a result.
  void BtnSearchClick();
  // Browse: lets the user choose the current slot's root in the folder
  // chooser and shows it; the result buttons stay off until the next search.
  void BtnFmPathClick();

  // Duplicate views: the rows marked "Name" (or "Same") with the unmarked
  // head of each group, into the lower table; then the lower Excel button
  // is enabled.
  void BtnEqNameClick();
  void BtnEqSameClick();
  // Keyword filter: the rows whose names contain the keywords (kana, width,
  // case and spaces ignored), joined by the connective, into the lower
  // table. A blank first keyword changes nothing.
  void BtnShSameClick();
  // The item index of CmbAndOr for its text: 0 "and", 1 "or ", -1 for any
  // other typed text.
  int ConnectiveIndex() const;
  // Export of the upper or the lower table to a new workbook opened in the
  // desktop's spreadsheet program. A workbook that was saved but could not
  // be opened is not a failed export: the user is told where it was saved
  // (kWorkbookNotOpenedMessage and the path).
  void BtnXlsCnvClick();
  void BtnXlsCv2Click();
  // Selection and opening of a row: the grids report every selected row,
  // and a double-click (or Enter) opens the file of the last selected row,
  // under the root the table's rows were found in (the root of the last
  // search, whatever slot is shown now), with the program for its kind. When the
  // desktop cannot open it, kOpenFailedMessage names the file.
  void StGSrchFlSelectCell(int ARow);
  void StGSelFilSelectCell(int ARow);
  void StGSrchFlDblClick();
  void StGSelFilDblClick();
  // The context menus of the upper and the lower grid (GridMenu), on their
  // selected rows, FoundRow and PickedRow. Rows dragged out of either grid
  // carry their files (FileMimeData), under the table's root as opening
  // does.
  GridMenu* StGSrchFlMenu() const { return srchFlMenu_; }
  GridMenu* StGSelFilMenu() const { return selFilMenu_; }

  // Runs `work` as a command of this window: input to the window is
  // blocked and the pointer shows the wait cursor meanwhile (a message box
  // or the folder chooser shown by the command gets the ordinary cursor),
  // and a close requested meanwhile happens afterwards. Does nothing when
  // another command is running.
  void RunCommand(const std::function<void()>& work);
  bool IsBusy() const { return busy_; }

  // Sets the enabled state of the six command buttons, in the order
  // BtnSearch, BtnXlsCnv, BtnEqName, BtnEqSame, BtnShSame, BtnXlsCv2.
  void SetCommandButtons(bool search, bool xlsCnv, bool eqName, bool eqSame, bool shSame,
                         bool xlsCv2);

  // The five search roots, the current slot, and the root shown in
  // RcEdFmPath (the one a double-click opens files under).
  const std::array<std::u16string, kSlotCount>& SearchRoots() const { return searchRoots_; }
  int RootIndex() const { return rootIndex_; }
  const std::u16string& ShownRoot() const { return shownRoot_; }
  // The root every slot starts with and falls back to: the default root of
  // the file queries (the home folder on Linux).
  const std::u16string& DefaultRoot() const { return defaultRoot_; }

  base::Counters& Counters() { return counters_; }
  // Last selected rows of the upper and the lower table.
  int FoundRow = 0;
  int PickedRow = 0;

  // Replaces the message box of the window's messages (tests, benchmarks).
  void SetMessageSink(MessageSink sink) { messageSink_ = std::move(sink); }
  EventPump& Pump() { return pump_; }
  // The progress window while the scan or the sort runs, else null.
  windows::TfmAnimate* ProgressWindow() const { return animate_.get(); }

  // base::EngineHost
  base::SortOrder CurrentSortOrder() const override;
  void ShowCount(base::CountBox box, int value) override;
  void ClearCount(base::CountBox box) override;
  void ProcessPendingEvents() override;
  void ShowMessage(const std::u16string& text) override;
  void ScanBegins() override;
  void ScanEnds() override;
  void SortBegins() override;
  void SortEnds() override;
  void SetWindowWidthLimits(int pixels) override;

  // Controls, named as the window's design names them.
  QLabel* STxFmData;
  QPlainTextEdit* RcEdFmPath;
  UpDownArrows* UpDnFmPath;
  QLineEdit* EdPathCn;
  QPushButton* BtnFmPath;
  RadioGroup* RdGSortKbn;
  QLabel* LblDatCnt;
  QLabel* STxDatCnt;
  QLabel* LblFolder;
  QLabel* STxFolder;
  QLabel* LblEqual;
  QLabel* STxEqual;
  QPushButton* BtnSearch;
  QPushButton* BtnXlsCnv;
  ResultGrid* StGSrchFl;
  QPushButton* BtnEqName;
  QPushButton* BtnEqSame;
  QPushButton* BtnXlsCv2;
  QPushButton* BtnPrgEnd;
  QLabel* STxSelStr;
  QLineEdit* EdSelStr1;
  QComboBox* CmbAndOr;
  QLineEdit* EdSelStr2;
  QPushButton* BtnShSame;
  QLabel* LblSelCnt;
  QLabel* STxSelCnt;
  ResultGrid* StGSelFil;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void CreateDesktopHooks();
  void ShowMarkedRows(const char16_t* mark);
  void ExportTable(const base::ResultTable& table);
  void ShowRoot(const std::u16string& root);
  void StartProgress(const QString& caption);
  QLabel* CountLabel(base::CountBox box) const;

  platform::Services& services_;
  platform::SettingsStore& settings_;
  platform::Launcher& launcher_;
  platform::FileManager& fileManager_;
  std::unique_ptr<core::MatchKeys> matchKeys_;
  std::array<std::u16string, kSlotCount> searchRoots_;
  std::u16string defaultRoot_;
  std::u16string shownRoot_;
  // The roots the rows of the upper and the lower table are relative to.
  std::u16string upperRoot_;
  std::u16string lowerRoot_;
  int rootIndex_ = 0;
  base::Counters counters_;
  windows::AnchorSet anchors_;
  EventPump pump_;
  InputBlocker* blocker_;
  std::unique_ptr<windows::TfmAnimate> animate_;
  GridMenu* srchFlMenu_ = nullptr;
  GridMenu* selFilMenu_ = nullptr;
  MessageSink messageSink_;
  bool busy_ = false;
  bool closePending_ = false;
};

}  // namespace tarnvik::app
