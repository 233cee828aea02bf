#pragma once

#include <QImage>
#include <QWidget>

namespace norumi {

// The image control a Korean line is drawn into. It shows its picture with white left out, so
// that the window behind shows through around the letters.
class TImage : public QWidget {
  Q_OBJECT

 public:
  explicit TImage(QWidget* parent = nullptr);

  // The picture bitmap (Format_RGB32), sized to the control by whoever draws into it. Changing
  // it directly is fine: the next paint notices.
  QImage Picture;
  void SetPicture(const QImage& picture);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // Picture with white turned transparent, rebuilt only when Picture has changed since.
  QImage shown_;
  qint64 shownKey_ = 0;
};

}  // namespace norumi
