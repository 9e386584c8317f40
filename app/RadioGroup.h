#pragma once

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QButtonGroup;
class QRadioButton;

namespace tarnvik::app {

// A framed group of radio buttons laid out in columns, one of them chosen;
// the caption sits in the top line of the frame.
// ItemChanged is emitted when the user (or SetItemIndex) chooses another
// item; choosing the item already chosen reports nothing. UI thread only.
class RadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  RadioGroup(const QString& caption, const QStringList& items, int columns,
             QWidget* parent = nullptr);

  int ItemIndex() const;
  void SetItemIndex(int index);
  QRadioButton* Item(int index) const { return buttons_.at(static_cast<size_t>(index)); }
  int Count() const { return static_cast<int>(buttons_.size()); }

 signals:
  void ItemChanged(int index);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QButtonGroup* group_;
  std::vector<QRadioButton*> buttons_;
  int columns_;
};

}  // namespace tarnvik::app
