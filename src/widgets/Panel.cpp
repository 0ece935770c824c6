#include "widgets/Panel.h"

#include "widgets/ColorToQColor.h"

#include <QPainter>
#include <qdrawutil.h>

namespace kestro {

Panel::Panel(Bevel bevel, Qt::Alignment captionAlignment, QWidget* parent)
    : QFrame(parent), bevel_(bevel), captionAlignment_(captionAlignment) {
    switch (bevel) {
    case Bevel::Raised:
        setFrameStyle(QFrame::Panel | QFrame::Raised);
        setLineWidth(1);
        break;
    case Bevel::DoubleLowered:
        setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
        break;
    case Bevel::LoweredOuterRaisedInner:
        // QFrame has no such frame: the panel draws it, and keeps its caption inside it.
        setFrameStyle(QFrame::NoFrame);
        setContentsMargins(2, 2, 2, 2);
        break;
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

void Panel::SetCaptionColor(ColorValue color, bool userSet) {
    captionColor_ = color;
    captionColorSet_ = userSet;
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
    if (const std::optional<QColor> color =
            ReadableTextColor(captionColor_, captionColorSet_, fill_, palette(), backgroundRole());
        color && !caption_.isEmpty()) {
        painter.setPen(*color);
        painter.setFont(captionFont_ ? *captionFont_ : font());
        painter.drawText(contentsRect(), int(captionAlignment_) | Qt::TextSingleLine, caption_);
    }
    if (bevel_ == Bevel::LoweredOuterRaisedInner) {
        qDrawShadeRect(&painter, rect(), palette(), /*sunken=*/true, 1);
        qDrawShadeRect(&painter, rect().adjusted(1, 1, -1, -1), palette(), /*sunken=*/false, 1);
    } else {
        drawFrame(&painter);
    }
}

} // namespace kestro
