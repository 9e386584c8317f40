#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "windows/Anchors.h"

class QComboBox;
class QFileSystemModel;
class QLabel;
class QPushButton;
class QTimer;
class QTreeView;

namespace tarnvik::windows {

class VolumeBranchFilter;

// A mounted volume as the drive box lists it.
struct Volume {
  QString rootPath;  // mount point, "/" for the root file system, "C:" for a drive
  QString label;     // volume name; empty when it has none
};

// The volumes a user may search: on Windows every drive that is ready, in
// letter order; elsewhere every mounted file system except the kernel's
// pseudo file systems and the system's own run-time mounts, the root file
// system first and the rest in path order.
std::vector<Volume> SearchableVolumes();

// The index in `volumes` of the volume holding `path`: the one whose mount
// point is the longest whole-component prefix of it. -1 when none does.
int VolumeIndexFor(const std::vector<Volume>& volumes, const QString& path);

// The folder chooser fmFolderSel: a box of mounted volumes and the folder
// tree of the chosen volume. It opens with the keyboard focus in the folder
// tree, so the arrow keys move through the folders of the shown volume. There
// is no cancel: however the dialog is closed, Directory() is the folder it
// showed last. UI thread only.
class TfmFolderSel : public QDialog {
  Q_OBJECT

 public:
  // Design-time caption; the browse command replaces it.
  static inline const QString kDesignCaption = QStringLiteral("ドライブとフォルダーの選択");

  // Lists SearchableVolumes() in the drive box.
  explicit TfmFolderSel(QWidget* owner);
  // Lists the given volumes (tests).
  TfmFolderSel(QWidget* owner, std::vector<Volume> volumes);
  ~TfmFolderSel() override;

  // Chooses the volume that holds `path` in the drive box, then shows and
  // selects `path` in the folder tree. A path on no listed volume, or one
  // that is not an absolute path, shows the first volume's root.
  void SetDirectory(const QString& path);
  // The folder the tree shows: a full path with the system's separators,
  // without a trailing one except for "/" itself (a drive root is "C:").
  QString Directory() const { return directory_; }

  const std::vector<Volume>& Volumes() const { return volumes_; }

  // Handlers.
  void FormActivate();
  void DriveCombChange(int index);
  void DirListBoxChange();
  void BtnSelectClick();

  // Controls.
  QLabel* STxDrive;
  QComboBox* DriveComb;
  QLabel* STxFolder;
  QPushButton* BtnSelect;
  QTreeView* DirListBox;
  QLabel* STxSelect;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowVolume(int index);
  void SelectFolder(const QString& path);
  // Opens the tree down to the chosen folder, selects it and scrolls to it,
  // as far as the folders on the way have been read.
  void RevealDirectory();
  void SetShownDirectory(const QString& path);

  std::vector<Volume> volumes_;
  QString directory_;
  // The chosen folder is to be shown again as the tree reads the folders on
  // its way, until the user picks one in the tree.
  bool pendingReveal_ = false;
  QFileSystemModel* folders_;
  VolumeBranchFilter* branch_;
  QTimer* reveal_;
  AnchorSet anchors_;
};

}  // namespace tarnvik::windows
