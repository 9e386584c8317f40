#include "windows/pgFmFolderSel.h"

#include <QComboBox>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QStorageInfo>
#include <QTimer>
#include <QTreeView>
#include <algorithm>

#include "base/CellFormat.h"
#include "base/Fonts.h"
#include "windows/QtText.h"
#include "windows/WindowFrame.h"

namespace tarnvik::windows {

namespace {

constexpr QSize kDesignClient{306, 364};
constexpr QSize kMinimumOuter{248, 220};

// True when `path` is `base` or lies below it, comparing whole components.
bool IsWithin(const QString& path, const QString& base) {
  if (base == QLatin1String("/")) return path.startsWith(QLatin1Char('/'));
  return path == base ||
         (path.startsWith(base) && path.size() > base.size() && path[base.size()] == u'/');
}

QString WithoutTrailingSlash(const QString& path) {
  return path.left(static_cast<qsizetype>(base::RootLength(TextView(path))));
}

// Whether the volume root `root` (as listed, without a trailing "/") is the
// top of a file-system tree with nothing above it: "/" or, on Windows, a
// drive such as "C:".
bool IsTopRoot(const QString& root) {
#ifdef Q_OS_WIN
  return root.size() == 2 && root[1] == u':';
#else
  return root == QLatin1String("/");
#endif
}

// The form of a volume root the file-system model knows: a drive is "C:/",
// since "C:" alone would mean the drive's current folder.
QString ModelPath(const QString& root) {
  return IsTopRoot(root) && root != QLatin1String("/") ? root + u'/' : root;
}

#ifndef Q_OS_WIN
// File systems that hold no user files: the kernel's views of itself, the
// system's run-time mounts, and read-only package images.
bool IsNoise(const QStorageInfo& v) {
  static const QList<QByteArray> kPseudo = {
      "proc",       "sysfs",      "cgroup",    "cgroup2",     "devpts",          "devtmpfs",
      "mqueue",     "securityfs", "debugfs",   "tracefs",     "pstore",          "bpf",
      "configfs",   "fusectl",    "hugetlbfs", "binfmt_misc", "autofs",          "efivarfs",
      "rpc_pipefs", "nsfs",       "ramfs",     "squashfs",    "fuse.gvfsd-fuse", "fuse.portal"};
  const QByteArray type = v.fileSystemType();
  if (kPseudo.contains(type)) return true;
  const QString root = v.rootPath();
  if (type == "tmpfs" && root != QLatin1String("/tmp")) return true;
  for (const char* system : {"/proc", "/sys", "/dev", "/run", "/snap", "/boot/efi"}) {
    if (IsWithin(root, QLatin1String(system)) && !IsWithin(root, QLatin1String("/run/media"))) {
      return true;
    }
  }
  return false;
}
#endif

}  // namespace

// Shows, of the whole file-system model, only the chosen volume's branch:
// the volume's folder with everything below it, and the folders above it
// that lead there.
class VolumeBranchFilter : public QSortFilterProxyModel {
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;

  void SetVolume(const QString& root) {
    volume_ = root;
    invalidateFilter();
  }

 protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override {
    const auto* fs = static_cast<const QFileSystemModel*>(sourceModel());
    const QString path = fs->filePath(fs->index(sourceRow, 0, sourceParent));
    return IsWithin(path, volume_) || IsWithin(volume_, path);
  }

 private:
  QString volume_ = QStringLiteral("/");
};

std::vector<Volume> SearchableVolumes() {
  std::vector<Volume> out;
  for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
    if (!v.isValid() || !v.isReady()) continue;
    const QString root = WithoutTrailingSlash(v.rootPath());
#ifndef Q_OS_WIN
    if (root != QLatin1String("/") && (IsNoise(v) || !QFileInfo(root).isDir())) continue;
#endif
    if (std::any_of(out.begin(), out.end(), [&](const Volume& o) { return o.rootPath == root; })) {
      continue;
    }
    out.push_back({root, v.name()});
  }
#ifndef Q_OS_WIN
  // The root file system is always there to choose, and comes first.
  if (std::none_of(out.begin(), out.end(),
                   [](const Volume& o) { return o.rootPath == QLatin1String("/"); })) {
    out.push_back({QStringLiteral("/"), QString()});
  }
#endif
  std::sort(out.begin(), out.end(), [](const Volume& a, const Volume& b) {
    if ((a.rootPath == QLatin1String("/")) != (b.rootPath == QLatin1String("/"))) {
      return a.rootPath == QLatin1String("/");
    }
    return a.rootPath < b.rootPath;
  });
  return out;
}

int VolumeIndexFor(const std::vector<Volume>& volumes, const QString& path) {
  int best = -1;
  for (int i = 0; i < static_cast<int>(volumes.size()); ++i) {
    const QString& root = volumes[i].rootPath;
    if (!IsWithin(path, root)) continue;
    if (best < 0 || root.size() > volumes[best].rootPath.size()) best = i;
  }
  return best;
}

TfmFolderSel::TfmFolderSel(QWidget* owner) : TfmFolderSel(owner, SearchableVolumes()) {}

TfmFolderSel::TfmFolderSel(QWidget* owner, std::vector<Volume> volumes)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      STxDrive(new QLabel(QStringLiteral("ドライブ"), this)),
      DriveComb(new QComboBox(this)),
      STxFolder(new QLabel(QStringLiteral("フォルダー"), this)),
      BtnSelect(new QPushButton(QStringLiteral("決 定"), this)),
      DirListBox(new QTreeView(this)),
      STxSelect(new QLabel(this)),
      volumes_(std::move(volumes)),
      folders_(new QFileSystemModel(this)),
      branch_(new VolumeBranchFilter(this)),
      reveal_(new QTimer(this)),
      anchors_(kDesignClient) {
  setObjectName(QStringLiteral("fmFolderSel"));
  setWindowTitle(kDesignCaption);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, SkyBlue());
  setPalette(pal);
  setAutoFillBackground(true);
  QFont font(ToQString(base::kGothicFont));
  font.setPixelSize(16);
  setFont(font);
  resize(kDesignClient);
  setMinimumSize(kMinimumOuter - kSizableFrame);

  QFont small = font;
  small.setPixelSize(15);
  STxDrive->setObjectName(QStringLiteral("STxDrive"));
  STxDrive->setFont(small);
  STxDrive->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  STxFolder->setObjectName(QStringLiteral("STxFolder"));
  STxFolder->setFont(small);
  DriveComb->setObjectName(QStringLiteral("DriveComb"));
  BtnSelect->setObjectName(QStringLiteral("BtnSelect"));
  BtnSelect->setDefault(true);
  DirListBox->setObjectName(QStringLiteral("DirListBox"));
  STxSelect->setObjectName(QStringLiteral("STxSelect"));
  STxSelect->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  STxSelect->setTextInteractionFlags(Qt::TextSelectableByMouse);

  const QIcon driveIcon = QFileIconProvider().icon(QFileIconProvider::Drive);
  for (const Volume& v : volumes_) {
    const QString text =
        v.label.isEmpty() ? v.rootPath : QStringLiteral("%1  [%2]").arg(v.rootPath, v.label);
    DriveComb->addItem(driveIcon, text, v.rootPath);
  }

  folders_->setFilter(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Drives);
  folders_->setReadOnly(true);
  branch_->setSourceModel(folders_);
  DirListBox->setModel(branch_);
  DirListBox->setHeaderHidden(true);
  for (int c = 1; c < folders_->columnCount(); ++c) DirListBox->hideColumn(c);
  DirListBox->setSelectionMode(QAbstractItemView::SingleSelection);
  DirListBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
  DirListBox->setUniformRowHeights(true);

  anchors_.Add(STxDrive, QRect(4, 5, 73, 20), kAnchorLeftTop);
  anchors_.Add(DriveComb, QRect(80, 4, 220, 22), kAnchorLeftTop | kAnchorRight);
  anchors_.Add(STxFolder, QRect(8, 40, 89, 20), kAnchorLeftTop);
  anchors_.Add(BtnSelect, QRect(225, 30, 53, 25), kAnchorTop | kAnchorRight);
  anchors_.Add(DirListBox, QRect(5, 62, 296, 270), kAnchorAll);
  anchors_.Add(STxSelect, QRect(8, 336, 290, 21), kAnchorLeft | kAnchorRight | kAnchorBottom);

  setTabOrder(DriveComb, DirListBox);
  setTabOrder(DirListBox, BtnSelect);
  // The dialog opens with the keyboard in the folder tree, where the arrow
  // keys walk the folders; in the drive box, the first in the tab order,
  // they would switch to another volume and lose the chosen folder.
  DirListBox->setFocus(Qt::OtherFocusReason);

  connect(DriveComb, &QComboBox::activated, this, &TfmFolderSel::DriveCombChange);
  connect(DirListBox->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &TfmFolderSel::DirListBoxChange);
  connect(BtnSelect, &QPushButton::clicked, this, &TfmFolderSel::BtnSelectClick);

  // The model reads and sorts folders in the background; whenever the tree
  // has changed, it is opened down to the chosen folder again, until the
  // user picks a folder of their own.
  reveal_->setSingleShot(true);
  reveal_->setInterval(20);
  connect(reveal_, &QTimer::timeout, this, &TfmFolderSel::RevealDirectory);
  const auto later = [this] {
    if (pendingReveal_) reveal_->start();
  };
  connect(branch_, &QAbstractItemModel::rowsInserted, this, later);
  connect(branch_, &QAbstractItemModel::layoutChanged, this, later);
  connect(folders_, &QFileSystemModel::directoryLoaded, this, later);
  DirListBox->installEventFilter(this);
  DirListBox->viewport()->installEventFilter(this);
  DirListBox->verticalScrollBar()->installEventFilter(this);

  if (!volumes_.empty()) ShowVolume(0);
}

TfmFolderSel::~TfmFolderSel() = default;

void TfmFolderSel::SetDirectory(const QString& path) {
  const QString wanted = QDir::fromNativeSeparators(WithoutTrailingSlash(path));
  const int volume = base::IsAbsoluteRoot(TextView(wanted)) ? VolumeIndexFor(volumes_, wanted) : -1;
  if (volume < 0) {
    if (!volumes_.empty()) DriveCombChange(0);
    return;
  }
  DriveComb->setCurrentIndex(volume);
  ShowVolume(volume);
  SelectFolder(wanted);
}

void TfmFolderSel::FormActivate() {
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (screen != nullptr) move(ScreenCentred(screen->geometry().size(), OuterSize(this), 84));
  QPalette pal = STxSelect->palette();
  pal.setColor(QPalette::Window, pal.color(QPalette::Base));
  STxSelect->setPalette(pal);
  STxSelect->setAutoFillBackground(true);
}

void TfmFolderSel::DriveCombChange(int index) {
  if (index < 0 || index >= static_cast<int>(volumes_.size())) return;
  DriveComb->setCurrentIndex(index);
  ShowVolume(index);
  SelectFolder(volumes_[index].rootPath);
}

void TfmFolderSel::DirListBoxChange() {
  const QModelIndex current = DirListBox->currentIndex();
  if (!current.isValid()) return;
  SetShownDirectory(folders_->filePath(branch_->mapToSource(current)));
}

void TfmFolderSel::BtnSelectClick() { accept(); }

bool TfmFolderSel::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::KeyPress:
      // The user has taken over the tree; it is not moved for them any more.
      pendingReveal_ = false;
      break;
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

void TfmFolderSel::showEvent(QShowEvent* event) {
  // Placed before the window is mapped, so it never appears elsewhere first.
  FormActivate();
  QDialog::showEvent(event);
  if (pendingReveal_) reveal_->start();
}

void TfmFolderSel::resizeEvent(QResizeEvent* event) {
  anchors_.Apply(size());
  QDialog::resizeEvent(event);
}

void TfmFolderSel::ShowVolume(int index) {
  const QString& root = volumes_[index].rootPath;
  branch_->SetVolume(root);
  folders_->setRootPath(ModelPath(root));
  const QString parent = IsTopRoot(root) ? QString() : QFileInfo(root).absolutePath();
  DirListBox->setRootIndex(parent.isEmpty() ? QModelIndex()
                                            : branch_->mapFromSource(folders_->index(parent)));
}

void TfmFolderSel::SelectFolder(const QString& path) {
  SetShownDirectory(path);
  pendingReveal_ = true;
  RevealDirectory();
}

void TfmFolderSel::RevealDirectory() {
  const QModelIndex shown =
      branch_->mapFromSource(folders_->index(ModelPath(QDir::fromNativeSeparators(directory_))));
  if (!shown.isValid()) return;
  for (QModelIndex up = shown.parent(); up.isValid(); up = up.parent()) DirListBox->expand(up);
  DirListBox->expand(shown);
  if (DirListBox->currentIndex() != shown) DirListBox->setCurrentIndex(shown);
  DirListBox->scrollTo(shown, QAbstractItemView::PositionAtCenter);
}

void TfmFolderSel::SetShownDirectory(const QString& path) {
  directory_ = QDir::toNativeSeparators(WithoutTrailingSlash(path));
  STxSelect->setText(directory_);
  STxSelect->setToolTip(directory_);
}

}  // namespace tarnvik::windows
