#include "widgets/UpDownArrows.h"

#include <QToolButton>

namespace kestro {

namespace {

QToolButton* ArrowButton(Qt::ArrowType arrow, const QString& name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    button->setAccessibleName(name);
    return button;
}

} // namespace

UpDownArrows::UpDownArrows(QWidget* parent)
    : QWidget(parent), upper(ArrowButton(Qt::UpArrow, QStringLiteral("Up"), this)),
      lower(ArrowButton(Qt::DownArrow, QStringLiteral("Down"), this)) {
    QObject::connect(upper, &QToolButton::clicked, this, [this] {
        if (onClick)
            onClick(UpDownArrow::Upper);
    });
    QObject::connect(lower, &QToolButton::clicked, this, [this] {
        if (onClick)
            onClick(UpDownArrow::Lower);
    });
}

void UpDownArrows::resizeEvent(QResizeEvent*) {
    const int upperHeight = (height() + 1) / 2;
    upper->setGeometry(0, 0, width(), upperHeight);
    lower->setGeometry(0, upperHeight, width(), height() - upperHeight);
}

} // namespace kestro
