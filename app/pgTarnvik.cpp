#include "app/pgTarnvik.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include "app/BusyCursor.h"
#include "app/EnterKeys.h"
#include "app/InputBlocker.h"
#include "app/RadioGroup.h"
#include "app/WindowFonts.h"
#include "app/WrappedTextTip.h"
#include "core/ColumnLayout.h"
#include "core/DuplicateViews.h"
#include "core/KeywordFilter.h"
#include "core/LaunchDecision.h"
#include "core/Search.h"
#include "core/SortAndMark.h"
#include "lib/Fnc_ExcelCnv.h"
#include "lib/Fnc_Grid.h"
#include "lib/Fnc_StdFnc.h"
#include "lib/TextCodec.h"
#include "platform/DirectoryTree.h"
#include "platform/Settings.h"
#include "platform/SystemServices.h"
#include "platform/dbus/DBusFileManager.h"
#include "platform/gio/GioLauncher.h"
#include "platform/xlsx/XlsxSpreadsheet.h"
#include "windows/WindowFrame.h"
#include "windows/pgFmAnimate.h"
#include "windows/pgFmFolderSel.h"

namespace tarnvik::app {

using windows::kAnchorAll;
using windows::kAnchorBottom;
using windows::kAnchorLeft;
using windows::kAnchorLeftTop;
using windows::kAnchorRight;
using windows::kAnchorTop;
using windows::kSizableFrame;

namespace {

// Saved sizes beyond this are damaged values, not windows.
constexpr int kLargestSavedSize = 32767;

QString ToQString(const std::u16string& s) {
  return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}

std::u16string ToText(const QString& s) {
  return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()),
                        static_cast<size_t>(s.size()));
}

// A root as it is stored: no trailing "/" except for "/" itself.
std::u16string WithoutTrailingSlash(std::u16string root) {
  while (root.size() > 1 && root.back() == u'/') root.pop_back();
  return root;
}

// A root can be searched when it is an absolute path of an existing folder;
// a relative one would depend on the folder the program was started in.
bool IsUsableRoot(const std::u16string& root) {
  return !root.empty() && root.front() == u'/' && platform::IsFolder(lib::TextToNative(root));
}

std::string SlotValueName(int slot) { return "SrchFrom" + std::to_string(slot); }

QLabel* FramedText(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

// A count box: a framed, centred number on the window's text background.
QLabel* CountBox(QWidget* parent) {
  QLabel* label = FramedText(QString(), parent);
  label->setAutoFillBackground(true);
  return label;
}

// Shows a disabled control's text as an enabled one does, since these
// controls only display what the user needs to read.
void ReadableWhenDisabled(QWidget* w, QPalette::ColorRole base) {
  QPalette pal = w->palette();
  for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText}) {
    pal.setColor(QPalette::Disabled, role, pal.color(QPalette::Active, role));
  }
  pal.setColor(QPalette::Disabled, QPalette::Base, pal.color(QPalette::Active, base));
  pal.setColor(QPalette::Active, QPalette::Base, pal.color(QPalette::Active, base));
  pal.setColor(QPalette::Inactive, QPalette::Base, pal.color(QPalette::Active, base));
  w->setPalette(pal);
}

// Opens through another launcher and tells the user, naming the file, when
// the desktop could not open it: a double-click must never end in silence.
class TellingLauncher final : public platform::Launcher {
 public:
  TellingLauncher(platform::Launcher& launcher, core::EngineHost& host)
      : launcher_(launcher), host_(host) {}

  bool OpenDocument(const std::string& nativePath) override {
    if (launcher_.OpenDocument(nativePath)) return true;
    host_.ShowMessage(ToText(TfmTarnvik::kOpenFailedMessage) + core::kCrLf +
                      lib::NativeToText(nativePath));
    return false;
  }

 private:
  platform::Launcher& launcher_;
  core::EngineHost& host_;
};

}  // namespace

TfmTarnvik::TfmTarnvik(platform::SettingsStore& settings, QWidget* parent)
    : TfmTarnvik(settings, std::make_unique<platform::GioLauncher>(), parent) {}

TfmTarnvik::TfmTarnvik(platform::SettingsStore& settings,
                       std::unique_ptr<platform::Launcher> launcher, QWidget* parent)
    : TfmTarnvik(settings, std::move(launcher), nullptr, parent) {}

TfmTarnvik::TfmTarnvik(platform::SettingsStore& settings,
                       std::unique_ptr<platform::Launcher> launcher,
                       std::unique_ptr<platform::FileManager> fileManager, QWidget* parent)
    : QWidget(parent),
      settings_(settings),
      anchors_(kDesignClient),
      blocker_(new InputBlocker(this)),
      launcher_(launcher ? std::move(launcher) : std::make_unique<platform::GioLauncher>()),
      fileManager_(fileManager ? std::move(fileManager)
                               : std::make_unique<platform::DBusFileManager>()) {
  setObjectName(QStringLiteral("fmTarnvik"));
  setWindowTitle(kCaption);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, windows::SkyBlue());
  setPalette(pal);
  setAutoFillBackground(true);
  setFont(WindowFont());
  resize(kDesignClient);
  setMinimumHeight(kMinimumOuterHeight - kSizableFrame.height());
  setFixedWidth(kDesignClient.width());
  CreateControls();
  CreateDesktopHooks();
  FormCreate();
}

TfmTarnvik::~TfmTarnvik() = default;

void TfmTarnvik::CreateControls() {
  STxFmData = FramedText(QStringLiteral("検索元"), this);

  RcEdFmPath = new QPlainTextEdit(this);
  RcEdFmPath->setReadOnly(true);
  RcEdFmPath->setEnabled(false);
  RcEdFmPath->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  RcEdFmPath->setWordWrapMode(QTextOption::WrapAnywhere);
  RcEdFmPath->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  RcEdFmPath->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  RcEdFmPath->document()->setDocumentMargin(2);
  ReadableWhenDisabled(RcEdFmPath, QPalette::Base);
  new WrappedTextTip(RcEdFmPath);

  UpDnFmPath = new UpDownArrows(0, kSlotCount - 1, this);

  EdPathCn = new QLineEdit(this);
  EdPathCn->setEnabled(false);
  EdPathCn->setMaxLength(1);
  EdPathCn->setAlignment(Qt::AlignCenter);
  EdPathCn->setInputMethodHints(Qt::ImhUppercaseOnly);
  EdPathCn->setTextMargins(0, 0, 0, 0);
  {
    QFont f = font();
    f.setPixelSize(19);
    EdPathCn->setFont(f);
  }
  ReadableWhenDisabled(EdPathCn, QPalette::ToolTipBase);

  BtnFmPath = new QPushButton(QStringLiteral("参 照"), this);
  RdGSortKbn = new RadioGroup(QStringLiteral("ｿｰﾄ順"),
                              {QStringLiteral("ﾌｧｲﾙ名"), QStringLiteral("拡張子")}, 2, this);

  LblDatCnt = new QLabel(QStringLiteral("検索数"), this);
  STxDatCnt = CountBox(this);
  LblFolder = new QLabel(QStringLiteral("ﾌｫﾙﾀﾞｰ数"), this);
  STxFolder = CountBox(this);
  LblEqual = new QLabel(QStringLiteral("同一数"), this);
  STxEqual = CountBox(this);
  BtnSearch = new QPushButton(QStringLiteral("検 索"), this);
  BtnXlsCnv = new QPushButton(QStringLiteral("Excel"), this);
  StGSrchFl = new ResultGrid(this);

  BtnEqName = new QPushButton(QStringLiteral("同一名称 表示"), this);
  BtnEqSame = new QPushButton(QStringLiteral("同一内容 表示"), this);
  BtnXlsCv2 = new QPushButton(QStringLiteral("Excel"), this);
  BtnPrgEnd = new QPushButton(QStringLiteral("終 了"), this);

  STxSelStr = FramedText(QStringLiteral("検索文字"), this);
  {
    QFont f = font();
    f.setBold(true);
    STxSelStr->setFont(f);
  }
  EdSelStr1 = new QLineEdit(this);
  CmbAndOr = new QComboBox(this);
  // Made editable before the next control exists: the box's edit field
  // joins the focus chain where it is created, and must sit right behind
  // the box, or Backtab would land in it from the wrong side.
  CmbAndOr->setEditable(true);
  EdSelStr2 = new QLineEdit(this);
  for (QLineEdit* e : {EdSelStr1, EdSelStr2}) {
    e->setMaxLength(20);
    // Keywords are typed in Japanese: the input method stays available.
    e->setAttribute(Qt::WA_InputMethodEnabled, true);
    e->setInputMethodHints(Qt::ImhNone);
  }
  CmbAndOr->setInsertPolicy(QComboBox::NoInsert);
  CmbAndOr->addItems({QStringLiteral("and"), QStringLiteral("or ")});
  CmbAndOr->setCurrentIndex(0);
  CmbAndOr->lineEdit()->setMaxLength(3);
  BtnShSame = new QPushButton(QStringLiteral("検 索"), this);
  LblSelCnt = new QLabel(QStringLiteral("一致数"), this);
  STxSelCnt = CountBox(this);
  StGSelFil = new ResultGrid(this);

  struct Placement {
    QWidget* control;
    const char* name;
    QRect design;
    int anchors;
  };
  const Placement placements[] = {
      {STxFmData, "STxFmData", {10, 12, 73, 21}, kAnchorLeftTop},
      {RcEdFmPath, "RcEdFmPath", {86, 2, 356, 44}, kAnchorLeftTop},
      {UpDnFmPath, "UpDnFmPath", {446, 4, 16, 40}, kAnchorTop | kAnchorRight},
      {EdPathCn, "EdPathCn", {466, 10, 16, 27}, kAnchorTop | kAnchorRight},
      {BtnFmPath, "BtnFmPath", {486, 11, 56, 25}, kAnchorTop | kAnchorRight},
      {RdGSortKbn, "RdGSortKbn", {552, 2, 155, 41}, kAnchorTop | kAnchorRight},
      {LblDatCnt, "LblDatCnt", {18, 58, 0, 0}, kAnchorLeftTop},
      {STxDatCnt, "STxDatCnt", {72, 56, 57, 20}, kAnchorLeftTop},
      {LblFolder, "LblFolder", {141, 58, 0, 0}, kAnchorLeftTop},
      {STxFolder, "STxFolder", {211, 56, 57, 20}, kAnchorLeftTop},
      {LblEqual, "LblEqual", {281, 58, 0, 0}, kAnchorLeftTop},
      {STxEqual, "STxEqual", {335, 56, 57, 20}, kAnchorLeftTop},
      {BtnSearch, "BtnSearch", {424, 52, 56, 25}, kAnchorLeftTop},
      {BtnXlsCnv, "BtnXlsCnv", {600, 53, 58, 25}, kAnchorTop | kAnchorRight},
      {StGSrchFl, "StGSrchFl", {4, 84, 712, 222}, kAnchorAll},
      {BtnEqName, "BtnEqName", {92, 312, 124, 25}, kAnchorLeft | kAnchorBottom},
      {BtnEqSame, "BtnEqSame", {241, 312, 124, 25}, kAnchorLeft | kAnchorBottom},
      {BtnXlsCv2, "BtnXlsCv2", {570, 318, 58, 25}, kAnchorRight | kAnchorBottom},
      {BtnPrgEnd, "BtnPrgEnd", {644, 318, 56, 25}, kAnchorRight | kAnchorBottom},
      {STxSelStr, "STxSelStr", {10, 348, 77, 20}, kAnchorLeft | kAnchorBottom},
      {EdSelStr1, "EdSelStr1", {92, 346, 169, 24}, kAnchorLeft | kAnchorBottom},
      {CmbAndOr, "CmbAndOr", {266, 346, 49, 24}, kAnchorLeft | kAnchorBottom},
      {EdSelStr2, "EdSelStr2", {320, 346, 169, 24}, kAnchorLeft | kAnchorBottom},
      {BtnShSame, "BtnShSame", {494, 346, 58, 25}, kAnchorLeft | kAnchorBottom},
      {LblSelCnt, "LblSelCnt", {590, 356, 0, 0}, kAnchorLeft | kAnchorBottom},
      {STxSelCnt, "STxSelCnt", {644, 354, 57, 20}, kAnchorLeft | kAnchorBottom},
      {StGSelFil, "StGSelFil", {4, 378, 712, 198}, kAnchorLeft | kAnchorRight | kAnchorBottom},
  };
  for (const Placement& p : placements) {
    p.control->setObjectName(QLatin1String(p.name));
    QRect design = p.design;
    if (design.width() == 0) {
      // Labels take the size of their text.
      p.control->adjustSize();
      design.setSize(p.control->sizeHint());
    }
    anchors_.Add(p.control, design, p.anchors);
  }

  // Keyboard order of the controls.
  QWidget* const tabOrder[] = {STxFmData, RcEdFmPath, UpDnFmPath, EdPathCn,  BtnFmPath, RdGSortKbn,
                               BtnSearch, BtnXlsCnv,  BtnPrgEnd,  STxDatCnt, STxFolder, STxEqual,
                               StGSrchFl, STxSelStr,  EdSelStr1,  CmbAndOr,  EdSelStr2, BtnShSame,
                               STxSelCnt, StGSelFil,  BtnXlsCv2,  BtnEqSame, BtnEqName};
  for (size_t i = 1; i < std::size(tabOrder); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);

  auto* enter = new EnterKeys(this);
  for (QPushButton* b :
       {BtnFmPath, BtnSearch, BtnXlsCnv, BtnEqName, BtnEqSame, BtnXlsCv2, BtnPrgEnd, BtnShSame}) {
    enter->AddButton(b);
  }
  for (QLineEdit* keyword : {EdSelStr1, CmbAndOr->lineEdit(), EdSelStr2}) {
    enter->AddField(keyword, BtnShSame);
  }

  connect(UpDnFmPath, &UpDownArrows::Clicked, this, &TfmTarnvik::UpDnFmPathClick);
  connect(RdGSortKbn, &RadioGroup::ItemChanged, this, &TfmTarnvik::RdGSortKbnClick);
  connect(BtnPrgEnd, &QPushButton::clicked, this, &TfmTarnvik::BtnPrgEndClick);
  connect(BtnSearch, &QPushButton::clicked, this, &TfmTarnvik::BtnSearchClick);
  connect(BtnFmPath, &QPushButton::clicked, this, &TfmTarnvik::BtnFmPathClick);
  connect(BtnEqName, &QPushButton::clicked, this, &TfmTarnvik::BtnEqNameClick);
  connect(BtnEqSame, &QPushButton::clicked, this, &TfmTarnvik::BtnEqSameClick);
  connect(BtnShSame, &QPushButton::clicked, this, &TfmTarnvik::BtnShSameClick);
  connect(BtnXlsCnv, &QPushButton::clicked, this, &TfmTarnvik::BtnXlsCnvClick);
  connect(BtnXlsCv2, &QPushButton::clicked, this, &TfmTarnvik::BtnXlsCv2Click);
  connect(StGSrchFl, &ResultGrid::CellSelected, this, &TfmTarnvik::StGSrchFlSelectCell);
  connect(StGSelFil, &ResultGrid::CellSelected, this, &TfmTarnvik::StGSelFilSelectCell);
  connect(StGSrchFl, &ResultGrid::RowOpened, this, &TfmTarnvik::StGSrchFlDblClick);
  connect(StGSelFil, &ResultGrid::RowOpened, this, &TfmTarnvik::StGSelFilDblClick);
}

void TfmTarnvik::FormCreate() {
  const QString home = QDir::homePath();
  defaultRoot_ = WithoutTrailingSlash(ToText(home));
  if (!IsUsableRoot(defaultRoot_)) defaultRoot_.assign(1, u'/');
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
      searchRoots_[i] = WithoutTrailingSlash(settings_.ReadString(SlotValueName(i)));
    }
  }
  for (std::u16string& root : searchRoots_) {
    if (!IsUsableRoot(root)) root = defaultRoot_;
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
    core::ResultTable& upper = StGSrchFl->Table();
    core::ResultTable& lower = StGSelFil->Table();
    // The change of columns rebuilds both grids; their selected rows are
    // put back, so that the highlighted rows stay the ones FoundRow and
    // PickedRow name.
    const int upperRow = StGSrchFl->CurrentTableRow();
    const int lowerRow = StGSelFil->CurrentTableRow();
    StGSrchFl->BeginResult();
    StGSelFil->BeginResult();
    core::ApplyColumnLayout(RdGSortKbn->ItemIndex(), upper, lower, *this);
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
    if (!where.empty()) text += core::kCrLf + ToText(kSavedAtLabel) + where;
    ShowMessage(text);
  }
  close();
}

void TfmTarnvik::BtnSearchClick() {
  RunCommand([this] {
    SetCommandButtons(false, false, false, false, false, false);
    // Show the cleared tables at once, then keep the grids away from the
    // tables while the engine fills them.
    for (ResultGrid* grid : {StGSrchFl, StGSelFil}) {
      grid->BeginResult();
      lib::ClearGrid(grid->Table());
      grid->EndResult();
    }
    for (core::CountBox box :
         {core::CountBox::Files, core::CountBox::Folders, core::CountBox::Same}) {
      ClearCount(box);
    }
    counters_ = core::Counters{};

    StGSrchFl->BeginResult();
    StGSelFil->BeginResult();
    RunSearch();
    StGSrchFl->EndResult();
    StGSelFil->EndResult();
    SetCommandButtons(true, true, true, true, true, false);
  });
}

void TfmTarnvik::RunSearch() {
  const auto fs = platform::MakeSystemDirectoryTree();
  // Both tables now hold rows of this root, whatever slot is shown later.
  upperRoot_ = lowerRoot_ = searchRoots_[rootIndex_];
  core::RunSearch(searchRoots_[rootIndex_], StGSrchFl->Table(), StGSelFil->Table(), counters_,
                  *this, *fs);
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

void TfmTarnvik::BtnEqNameClick() { ShowMarkedRows(core::kMarkName); }

void TfmTarnvik::BtnEqSameClick() { ShowMarkedRows(core::kMarkSame); }

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
    const bool filtered =
        core::FilterRows(StGSrchFl->Table(), StGSelFil->Table(), k1, k2, ConnectiveIndex(), *this);
    if (filtered) lowerRoot_ = upperRoot_;
    StGSelFil->EndResult();
    if (filtered) BtnXlsCv2->setEnabled(true);
  });
}

void TfmTarnvik::ExportTable(const core::ResultTable& table) {
  RunCommand([this, &table] {
    // The workbook is complete once it is saved; a desktop that cannot show
    // it does not make the export a failure, and the user must learn where
    // the file is.
    std::string unopened;
    auto sheet = platform::XlsxSpreadsheet::ForViewing([this, &unopened](const std::string& path) {
      if (!launcher_->OpenDocument(path)) unopened = path;
      return true;
    });
    if (lib::ExcelExport(table, sheet, *this) && !unopened.empty()) {
      ShowMessage(ToText(kWorkbookNotOpenedMessage) + core::kCrLf + lib::NativeToText(unopened));
    }
  });
}

void TfmTarnvik::BtnXlsCnvClick() { ExportTable(StGSrchFl->Table()); }

void TfmTarnvik::BtnXlsCv2Click() { ExportTable(StGSelFil->Table()); }

void TfmTarnvik::StGSrchFlSelectCell(int ARow) { FoundRow = ARow; }

void TfmTarnvik::StGSelFilSelectCell(int ARow) { PickedRow = ARow; }

void TfmTarnvik::StGSrchFlDblClick() {
  RunCommand([this] {
    TellingLauncher launcher(*launcher_, *this);
    core::LaunchRow(StGSrchFl->Table(), FoundRow, upperRoot_, launcher, *this);
  });
}

void TfmTarnvik::StGSelFilDblClick() {
  RunCommand([this] {
    TellingLauncher launcher(*launcher_, *this);
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
    const std::u16string chosen = WithoutTrailingSlash(ToText(dialog.Directory()));
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

int TfmTarnvik::CurrentSortOrder() const {
  return RdGSortKbn->ItemIndex() == core::kOrderByExtension ? core::kOrderByExtension
                                                            : core::kOrderByName;
}

QLabel* TfmTarnvik::CountLabel(core::CountBox box) const {
  switch (box) {
    case core::CountBox::Files:
      return STxDatCnt;
    case core::CountBox::Folders:
      return STxFolder;
    case core::CountBox::Same:
      return STxEqual;
    case core::CountBox::Selected:
      return STxSelCnt;
  }
  return STxDatCnt;
}

void TfmTarnvik::ShowCount(core::CountBox box, int value) {
  CountLabel(box)->setText(QString::number(value));
}

void TfmTarnvik::ClearCount(core::CountBox box) { CountLabel(box)->clear(); }

void TfmTarnvik::ProcessPendingEvents() { pump_.Pump(); }

void TfmTarnvik::ShowMessage(const std::u16string& text) {
  QString message = ToQString(text);
  message.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  const NormalCursor pointer;
  if (messageSink_) {
    messageSink_(message);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tarnvik"), message, QMessageBox::Ok, this);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void TfmTarnvik::StartProgress(const QString& caption) {
  animate_ = std::make_unique<windows::TfmAnimate>(this);
  animate_->AnimateStart(this, caption, 2);
}

void TfmTarnvik::ScanBegins() { StartProgress(kScanCaption); }

void TfmTarnvik::ScanEnds() { animate_.reset(); }

void TfmTarnvik::SortBegins() { StartProgress(kSortCaption); }

void TfmTarnvik::SortEnds() { animate_.reset(); }

void TfmTarnvik::SetWindowWidthLimits(int pixels) {
  setFixedWidth(pixels - kSizableFrame.width());
  anchors_.Apply(size());
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
