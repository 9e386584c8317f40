// The main window's controls: construction, the placement table (design
// rectangles and anchors), the keyboard order and the connections to the
// command handlers of pgTarnvik.cpp.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/EnterKeys.h"
#include "app/InputBlocker.h"
#include "app/RadioGroup.h"
#include "app/WindowFonts.h"
#include "app/WrappedTextTip.h"
#include "app/pgTarnvik.h"
#include "core/KeywordFilter.h"
#include "windows/WindowFrame.h"
#include "windows/pgFmAnimate.h"

namespace tarnvik::app {

using windows::kAnchorAll;
using windows::kAnchorBottom;
using windows::kAnchorLeft;
using windows::kAnchorLeftTop;
using windows::kAnchorRight;
using windows::kAnchorTop;
using windows::kSizableFrame;

namespace {

QLabel* FramedText(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

// A count box: a framed, centred number on the window's text background.
QLabel* CountField(QWidget* parent) {
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

}  // namespace

TfmTarnvik::TfmTarnvik(platform::Services& services, QWidget* parent)
    : QWidget(parent),
      services_(services),
      settings_(*services.settings),
      launcher_(*services.launcher),
      fileManager_(*services.fileManager),
      matchKeys_(std::make_unique<core::MatchKeys>(*services.engine.textMapper)),
      anchors_(kDesignClient),
      blocker_(new InputBlocker(this)) {
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
  STxDatCnt = CountField(this);
  LblFolder = new QLabel(QStringLiteral("ﾌｫﾙﾀﾞｰ数"), this);
  STxFolder = CountField(this);
  LblEqual = new QLabel(QStringLiteral("同一数"), this);
  STxEqual = CountField(this);
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
  STxSelCnt = CountField(this);
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

}  // namespace tarnvik::app
