#include "widgets/Panel.h"

#include "widgets/ColorToQColor.h"

#include <QPainter>

namespace kestro {

Panel::Panel(Bevel bevel, Qt::Alignment captionAlignment, QWidget* parent)
    : QFrame(parent), captionAlignment_(captionAlignment) {
    if (bevel == Bevel::Raised) {
        setFrameStyle(QFrame::Panel | QFrame::Raised);
        setLineWidth(1);
    } else {
        setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    }
}

void Panel::SetCaption(const QString& caption) {
    caption_ = caption;
    setAccessibleDescription(caption);
    update();
}

void Panel::SetFill(ColorValue fill) {
    fill_ = fill;
    update();
}

void Panel::SetCaptionColor(ColorValue color) {
    captionColor_ = color;
    update();
}

void Panel::SetCaptionFont(const QFont& font) {
    captionFont_ = font;
    update();
}

void Panel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // "No color" is transparent: the panel shows what lies behind it.
    if (const std::optional<QColor> fill = PaintColor(fill_, palette()))
        painter.fillRect(rect(), *fill);
    if (const std::optional<QColor> color = PaintColor(captionColor_, palette());
        color && !caption_.isEmpty()) {
        painter.setPen(*color);
        painter.setFont(captionFont_ ? *captionFont_ : font());
        painter.drawText(contentsRect(), int(captionAlignment_) | Qt::TextSingleLine, caption_);
    }
    drawFrame(&painter);
}

} // namespace kestro
