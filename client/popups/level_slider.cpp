#include "client/popups/level_slider.h"

#include <QLabel>
#include <QPainter>
#include <QProxyStyle>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

#include "client/popups/popup_style.h"
#include "guibase/color_ref.h"
#include "guibase/dpi_scale.h"

namespace zol {
namespace {

constexpr std::uint32_t kGrooveColor = 0xC1AA9C;
constexpr std::uint32_t kLevelColor = 0x4AC9FF;  // amber, the lit icons' colour

// A press anywhere on the groove puts the thumb there and lets it be
// dragged: a finger cannot aim at a thin thumb.
class TouchSliderStyle : public QProxyStyle {
  public:
    explicit TouchSliderStyle(int handle) : handle_(handle) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == QStyle::SH_Slider_AbsoluteSetButtons)
            return Qt::LeftButton;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_SliderLength || metric == PM_SliderThickness)
            return handle_;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

  private:
    int handle_;
};

class TouchSlider : public QSlider {
  public:
    TouchSlider(int dpi, QWidget* parent)
        : QSlider(Qt::Horizontal, parent),
          dpi_(dpi),
          style_(std::make_unique<TouchSliderStyle>(ScalePixels(kSliderHandle, dpi))) {
        setStyle(style_.get());
        setMinimumHeight(ScalePixels(kSliderHandle + 8, dpi));
        setMinimumWidth(ScalePixels(2 * kKeyWidth, dpi));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const int handle = ScalePixels(kSliderHandle, dpi_);
        const int track = width() - handle;
        const int x = handle / 2 + QStyle::sliderPositionFromValue(minimum(), maximum(),
                                                                   sliderPosition(), track);
        const int groove = ScalePixels(12, dpi_);
        const QRectF bar(handle / 2.0, (height() - groove) / 2.0, track, groove);
        painter.setPen(Qt::NoPen);
        painter.setBrush(FromColorRef(kGrooveColor));
        painter.drawRoundedRect(bar, groove / 2.0, groove / 2.0);
        painter.setBrush(FromColorRef(kLevelColor));
        painter.drawRoundedRect(QRectF(bar.left(), bar.top(), x - bar.left(), groove), groove / 2.0,
                                groove / 2.0);
        // Ticks every 10 %.
        painter.setPen(QPen(FromColorRef(kButtonTextColor), ScalePixels(1, dpi_)));
        for (int tick = 0; tick <= 10; ++tick) {
            const qreal tx = handle / 2.0 + track * tick / 10.0;
            painter.drawLine(QPointF(tx, bar.bottom() + ScalePixels(4, dpi_)),
                             QPointF(tx, bar.bottom() + ScalePixels(9, dpi_)));
        }
        const QColor knob = FromColorRef(kLevelColor);
        painter.setPen(QPen(knob.darker(isSliderDown() ? 200 : 160), ScalePixels(3, dpi_)));
        painter.setBrush(isSliderDown() ? knob.darker(115) : knob);
        const int d = handle - ScalePixels(6, dpi_);
        painter.drawEllipse(QRectF(x - d / 2.0, (height() - d) / 2.0, d, d));
    }

  private:
    int dpi_;
    std::unique_ptr<QStyle> style_;
};

}  // namespace

CLevelSlider::CLevelSlider(int dpi, QWidget* parent)
    : QWidget(parent), dpi_(dpi), slider_(new TouchSlider(dpi, this)) {
    slider_->setObjectName(QStringLiteral("level"));
    slider_->setRange(0, 100);
    slider_->setTickInterval(10);
    slider_->setSingleStep(10);
    slider_->setPageStep(10);
    slider_->setFocusPolicy(Qt::NoFocus);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(slider_);
    const char* const captions[] = {"off", "25%", "50%", "75%", "on"};
    int labelHeight = 0;
    for (const char* caption : captions) {
        auto* label = new QLabel(QString::fromLatin1(caption), this);
        QFont f = label->font();
        f.setPixelSize(ScalePixels(kLabelPixels, dpi));
        label->setFont(f);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->adjustSize();
        labelHeight = std::max(labelHeight, label->height());
        labels_.push_back(label);
    }
    column->addSpacing(labelHeight);
    // Dragging reports when the finger lifts; other actions (taps on the
    // groove, page and arrow keys) report at once. setValue reports nothing.
    connect(slider_, &QSlider::sliderReleased, this,
            [this] { emit LevelChosen(slider_->sliderPosition()); });
    connect(slider_, &QSlider::actionTriggered, this, [this](int action) {
        if (action != QAbstractSlider::SliderMove && action != QAbstractSlider::SliderNoAction &&
            !slider_->isSliderDown())
            emit LevelChosen(slider_->sliderPosition());
    });
}

void CLevelSlider::ShowLevel(int level) {
    if (slider_->isSliderDown())
        return;
    slider_->setValue(level);
}

void CLevelSlider::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Each label stands under its tick (0, 25, 50, 75 and 100 %), the ends
    // kept inside the widget.
    const int handle = ScalePixels(kSliderHandle, dpi_);
    const int track = slider_->width() - handle;
    const int top = slider_->geometry().bottom() + 1;
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        QLabel* label = labels_[i];
        const int centre = slider_->x() + handle / 2 + track * static_cast<int>(i) / 4;
        const int left = std::clamp(centre - label->width() / 2, 0, width() - label->width());
        label->move(left, top);
    }
}

int CLevelSlider::Position() const {
    return slider_->sliderPosition();
}

}  // namespace zol
