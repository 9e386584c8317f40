// The main window's command handlers: start-up (FormCreate), the search
// and its roots, the views, the filter, export, opening rows, and the
// command frame they all run in. Controls: pgTarnvikControls.cpp; the
// engine host: pgTarnvikHost.cpp.

#include "app/pgTarnvik.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include "app/BusyCursor.h"
#include "app/EnterKeys.h"
#include "app/InputBlocker.h"
#include "app/RadioGroup.h"
#include "app/WindowFonts.h"
#include "base/CellFormat.h"
#include "base/TextCodec.h"
#include "core/ColumnLayout.h"
#include "core/DuplicateViews.h"
#include "core/KeywordFilter.h"
#include "core/LaunchDecision.h"
#include "core/Search.h"
#include "core/SortAndMark.h"
#include "lib/Fnc_ExcelCnv.h"
#include "lib/Fnc_Grid.h"
#include "lib/Fnc_StdFnc.h"
#include "platform/DirectoryTree.h"
#include "platform/FileQueries.h"
#include "platform/Launcher.h"
#include "platform/Settings.h"
#include "platform/Spreadsheet.h"
#include "windows/QtText.h"
#include "windows/WindowFrame.h"
#include "windows/pgFmAnimate.h"
#include "windows/pgFmFolderSel.h"

namespace tarnvik::app {

using windows::kSizableFrame;
using windows::ToQString;
using windows::ToText;

namespace {

// Saved sizes beyond this are damaged values, not windows.
constexpr int kLargestSavedSize = 32767;

// A root can be searched when it is an absolute path of an existing folder;
// a relative one would depend on the folder the program was started in.
bool IsUsableRoot(const platform::FileQueries& files, const std::u16string& root) {
  return base::IsAbsoluteRoot(std::u16string_view(root)) &&
         files.IsFolder(base::TextToNative(root));
}

std::string SlotValueName(int slot) { return "SrchFrom" + std::to_string(slot); }

// Opens through another launcher and tells the user, naming the file, when
// the desktop could not open it: a double-click must never end in silence.
class TellingLauncher final : public platform::Launcher {
 public:
  TellingLauncher(platform::Launcher& launcher, base::EngineHost& host)
      : launcher_(launcher), host_(host) {}

  bool OpenDocument(const std::string& nativePath) override {
    if (launcher_.OpenDocument(nativePath)) return true;
    host_.ShowMessage(ToText(TfmTarnvik::kOpenFailedMessage) + base::kCrLf +
                      base::NativeToText(nativePath));
    return false;
  }
  char16_t Separator() const override { return launcher_.Separator(); }

 private:
  platform::Launcher& launcher_;
  base::EngineHost& host_;
};

}  // namespace

void TfmTarnvik::FormCreate() {
  const platform::FileQueries& files = *services_.engine.files;
  defaultRoot_ = base::WithoutTrailingSeparator(base::NativeToText(files.DefaultRoot()));
  if (!IsUsableRoot(files, defaultRoot_)) defaultRoot_.assign(1, u'/');
  searchRoots_.fill(defaultRoot_);

  if (settings_.KeyExists()) {
    // A damaged size is skipped; the window keeps its design size and the
    // start-up goes on.
    const auto usable = [](std::optional<int> v) {
      return v && *v >= 0 && *v <= kLargestSavedSize;
    };
    if (const auto h = settings_.ReadInteger("Height"); usable(h)) {
      resize(width(), *h - kSizableFrame.height());
    }
    if (const auto w = settings_.ReadInteger("Width"); usable(w)) {
      resize(*w - kSizableFrame.width(), height());
    }
    for (int i = 0; i < kSlotCount; ++i) {
      searchRoots_[i] = base::WithoutTrailingSeparator(settings_.ReadString(SlotValueName(i)));
    }
  }
  for (std::u16string& root : searchRoots_) {
    if (!IsUsableRoot(files, root)) root = defaultRoot_;
  }

  ShowRoot(searchRoots_[0]);
  upperRoot_ = lowerRoot_ = shownRoot_;
  rootIndex_ = 0;
  UpDnFmPath->SetPosition(0);
  EdPathCn->setText(QStringLiteral("0"));

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    // A height saved on a taller screen would put the top of the window,
    // and with it every control, out of reach: the window gets at most the
    // screen's free height and its top edge stays on the screen.
    const QRect free = screen->availableGeometry();
    const int tallest = std::max(free.height() - kSizableFrame.height(), minimumHeight());
    if (height() > tallest) resize(width(), tallest);
    const QSize outer = windows::OuterSize(this);
    QPoint at = windows::ScreenCentred(screen->geometry().size(), outer);
    at.setY(std::max(std::min(at.y(), free.bottom() + 1 - outer.height()), free.top()));
    at.setX(std::max(std::min(at.x(), free.right() + 1 - outer.width()), free.left()));
    move(at);
  }

  for (QLabel* box : {STxDatCnt, STxFolder, STxEqual, STxSelCnt}) {
    QPalette pal = box->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Base));
    box->setPalette(pal);
  }

  RdGSortKbnClick();
  SetCommandButtons(true, false, false, false, false, false);
  EdSelStr1->clear();
  EdSelStr2->clear();
}

void TfmTarnvik::UpDnFmPathClick(UpDownButton Button) {
  rootIndex_ += Button == UpDownButton::Up ? 1 : -1;
  rootIndex_ = std::clamp(rootIndex_, 0, kSlotCount - 1);
  ShowRoot(searchRoots_[rootIndex_]);
  EdPathCn->setText(QString::number(rootIndex_));
}

void TfmTarnvik::RdGSortKbnClick() {
  RunCommand([this] {
    base::ResultTable& upper = StGSrchFl->Table();
    base::ResultTable& lower = StGSelFil->Table();
    // The change of columns rebuilds both grids; their selected rows are
    // put back, so that the highlighted rows stay the ones FoundRow and
    // PickedRow name.
    const int upperRow = StGSrchFl->CurrentTableRow();
    const int lowerRow = StGSelFil->CurrentTableRow();
    StGSrchFl->BeginResult();
    StGSelFil->BeginResult();
    core::ApplyColumnLayout(CurrentSortOrder(), upper, lower, *this);
    StGSrchFl->EndResult();
    StGSelFil->EndResult();
    StGSrchFl->SetCurrentTableRow(upperRow);
    StGSelFil->SetCurrentTableRow(lowerRow);

    StGSrchFl->BeginSort();
    core::SortAndMark(upper, counters_, *this);
    StGSrchFl->EndSort();
  });
}

void TfmTarnvik::BtnPrgEndClick() {
  for (int i = 0; i < kSlotCount; ++i) settings_.WriteString(SlotValueName(i), searchRoots_[i]);
  const QSize outer = windows::OuterSize(this);
  settings_.WriteInteger("Height", outer.height());
  settings_.WriteInteger("Width", outer.width());
  if (!settings_.Flush()) {
    // The roots would be gone at the next start; the user must know, and
    // where, before the window goes.
    std::u16string text = ToText(kSettingsNotSavedMessage);
    const std::u16string where = settings_.Location();
    if (!where.empty()) text += base::kCrLf + ToText(kSavedAtLabel) + where;
    ShowMessage(text);
  }
  close();
}

void TfmTarnvik::BtnSearchClick() {
  RunCommand([this] {
    SetCommandButtons(false, false, false, false, false, false);
    // Show the cleared tables at once, then keep the grids away from the
    // tables while the engine fills them.
    StGSrchFl->BeginResult();
    StGSelFil->BeginResult();
    core::ClearSearch(StGSrchFl->Table(), StGSelFil->Table(), counters_, *this);
    StGSrchFl->EndResult();
    StGSelFil->EndResult();

    // Both tables now hold rows of this root, whatever slot is shown later.
    const std::u16string root = searchRoots_[rootIndex_];
    upperRoot_ = lowerRoot_ = root;
    const auto fs = services_.engine.newDirectoryTree();
    StGSrchFl->BeginResult();
    StGSelFil->BeginResult();
    core::ScanAndSort(root, StGSrchFl->Table(), counters_, *this, *fs, *services_.engine.clock);
    StGSrchFl->EndResult();
    StGSelFil->EndResult();
    SetCommandButtons(true, true, true, true, true, false);
  });
}

void TfmTarnvik::ShowMarkedRows(const char16_t* mark) {
  RunCommand([this, mark] {
    StGSelFil->BeginResult();
    core::ShowMarkedRows(StGSrchFl->Table(), StGSelFil->Table(), mark, *this);
    lowerRoot_ = upperRoot_;
    StGSelFil->EndResult();
    BtnXlsCv2->setEnabled(true);
  });
}

void TfmTarnvik::BtnEqNameClick() { ShowMarkedRows(base::kMarkName); }

void TfmTarnvik::BtnEqSameClick() { ShowMarkedRows(base::kMarkSame); }

int TfmTarnvik::ConnectiveIndex() const {
  return CmbAndOr->findText(CmbAndOr->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void TfmTarnvik::BtnShSameClick() {
  RunCommand([this] {
    const std::u16string k1 = ToText(EdSelStr1->text());
    const std::u16string k2 = ToText(EdSelStr2->text());
    // A blank first keyword leaves the lower table as it is; rebuilding
    // the grid would still drop its selection and scroll it back.
    if (lib::IsBlank(k1)) return;
    StGSelFil->BeginResult();
    const bool filtered = core::FilterRows(StGSrchFl->Table(), StGSelFil->Table(), k1, k2,
                                           ConnectiveIndex(), *matchKeys_, *this);
    if (filtered) lowerRoot_ = upperRoot_;
    StGSelFil->EndResult();
    if (filtered) BtnXlsCv2->setEnabled(true);
  });
}

void TfmTarnvik::ExportTable(const base::ResultTable& table) {
  RunCommand([this, &table] {
    // The workbook is complete once it is saved; a desktop that cannot show
    // it does not make the export a failure, and the user must learn where
    // the file is.
    std::string unopened;
    const auto sheet =
        services_.engine.newWorkbookForViewing([this, &unopened](const std::string& path) {
          if (!launcher_.OpenDocument(path)) unopened = path;
          return true;
        });
    if (lib::ExcelExport(table, *sheet, *this) && !unopened.empty()) {
      ShowMessage(ToText(kWorkbookNotOpenedMessage) + base::kCrLf + base::NativeToText(unopened));
    }
  });
}

void TfmTarnvik::BtnXlsCnvClick() { ExportTable(StGSrchFl->Table()); }

void TfmTarnvik::BtnXlsCv2Click() { ExportTable(StGSelFil->Table()); }

void TfmTarnvik::StGSrchFlSelectCell(int ARow) { FoundRow = ARow; }

void TfmTarnvik::StGSelFilSelectCell(int ARow) { PickedRow = ARow; }

void TfmTarnvik::StGSrchFlDblClick() {
  RunCommand([this] {
    TellingLauncher launcher(launcher_, *this);
    core::LaunchRow(StGSrchFl->Table(), FoundRow, upperRoot_, launcher, *this);
  });
}

void TfmTarnvik::StGSelFilDblClick() {
  RunCommand([this] {
    TellingLauncher launcher(launcher_, *this);
    core::LaunchRow(StGSelFil->Table(), PickedRow, lowerRoot_, launcher, *this);
  });
}

void TfmTarnvik::BtnFmPathClick() {
  RunCommand([this] {
    SetCommandButtons(false, false, false, false, false, false);
    windows::TfmFolderSel dialog(this);
    dialog.setWindowTitle(kFolderSelCaption);
    dialog.SetDirectory(ToQString(shownRoot_));
    // The dialog is modal on its own; the window's input blocker would only
    // stand in its way.
    blocker_->SetActive(false);
    const NormalCursor pointer;
    dialog.exec();
    blocker_->SetActive(true);
    const std::u16string chosen = base::WithoutTrailingSeparator(ToText(dialog.Directory()));
    searchRoots_[rootIndex_] = chosen;
    ShowRoot(chosen);
    if (!ToQString(chosen).trimmed().isEmpty()) BtnSearch->setEnabled(true);
  });
}

void TfmTarnvik::RunCommand(const std::function<void()>& work) {
  if (busy_) return;
  struct Scope {
    TfmTarnvik& w;
    const BusyCursor cursor;
    explicit Scope(TfmTarnvik& window) : w(window) {
      w.busy_ = true;
      w.blocker_->SetActive(true);
      w.pump_.BeginCommand();
    }
    ~Scope() {
      w.pump_.EndCommand();
      w.blocker_->SetActive(false);
      w.busy_ = false;
    }
  } scope(*this);
  work();
  if (closePending_) {
    closePending_ = false;
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
  }
}

void TfmTarnvik::SetCommandButtons(bool search, bool xlsCnv, bool eqName, bool eqSame, bool shSame,
                                   bool xlsCv2) {
  BtnSearch->setEnabled(search);
  BtnXlsCnv->setEnabled(xlsCnv);
  BtnEqName->setEnabled(eqName);
  BtnEqSame->setEnabled(eqSame);
  BtnShSame->setEnabled(shSame);
  BtnXlsCv2->setEnabled(xlsCv2);
}

void TfmTarnvik::ShowRoot(const std::u16string& root) {
  shownRoot_ = root;
  RcEdFmPath->setPlainText(ToQString(root));
}

void TfmTarnvik::resizeEvent(QResizeEvent* event) {
  anchors_.Apply(size());
  QWidget::resizeEvent(event);
}

void TfmTarnvik::closeEvent(QCloseEvent* event) {
  if (busy_) {
    // Leaving in the middle of a scan would pull the tables from under it;
    // the window closes as soon as the command is done.
    closePending_ = true;
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

}  // namespace tarnvik::app
