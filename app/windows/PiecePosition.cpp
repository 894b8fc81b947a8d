#include "app/windows/PiecePosition.h"

#include <QBoxLayout>
#include <QLabel>
#include <QProxyStyle>
#include <QSlider>

#include "app/core/Playback.h"

namespace piece_position {
namespace {

// A click in the groove puts the handle there at once (and may drag on),
// instead of stepping towards the click.
class ClickToPlace : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption *option,
                const QWidget *widget,
                QStyleHintReturn *returned) const override {
    if (hint == SH_Slider_AbsoluteSetButtons) return Qt::LeftButton;
    return QProxyStyle::styleHint(hint, option, widget, returned);
  }
};

void show(QLabel *time, QSlider *slider, const Playback &playback) {
  const bool open = playback.buttons().toStart;
  time->setVisible(open);
  slider->setVisible(open);
  time->setText(playback.timeText());
  // A drag in progress is the user's: the piece follows it on release.
  if (slider->isSliderDown()) return;
  slider->setRange(0, int(playback.length()));
  slider->setValue(int(playback.position()));
}

}  // namespace

void add(QBoxLayout *row, QWidget *panel, Playback &playback) {
  auto *time = new QLabel(panel);
  time->setObjectName(QStringLiteral("PieceTime"));
  time->setToolTip(QStringLiteral("演奏した時間 / 曲の長さ"));
  auto *slider = new QSlider(Qt::Horizontal, panel);
  slider->setObjectName(QStringLiteral("PiecePosition"));
  slider->setToolTip(QStringLiteral("演奏位置"));
  auto *style = new ClickToPlace;
  style->setParent(slider);
  slider->setStyle(style);
  // F3 and F4 stay the window's keys; the arrows are not the slider's.
  slider->setFocusPolicy(Qt::NoFocus);
  slider->setTracking(false);
  // Both give way first when the row is short of room, so that the
  // buttons and the contents list keep their sizes; what room there is
  // goes to the time first.
  time->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  time->setMaximumWidth(
      time->fontMetrics().horizontalAdvance(QStringLiteral("00:00 / 00:00")));
  slider->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  slider->setMaximumWidth(240);
  row->addSpacing(7);
  row->addWidget(time, 100);
  row->addSpacing(4);
  row->addWidget(slider, 100);
  // Released, the slider has not yet taken its handle's place as value.
  QObject::connect(
      slider, &QSlider::sliderReleased, &playback,
      [slider, &playback] { playback.playFrom(slider->sliderPosition()); });
  QObject::connect(&playback, &Playback::positionChanged, time,
                   [time, slider, &playback] { show(time, slider, playback); });
  show(time, slider, playback);
}

}  // namespace piece_position
