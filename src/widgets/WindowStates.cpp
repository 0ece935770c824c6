#include "widgets/WindowStates.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QWidget>
#include <QWindow>

namespace kestro {

namespace {

// Kept on the window while its bounds are lifted, and the width it gets back when restored.
const char* const LiftedMaximum = "kestroLiftedMaximumSize";
const char* const LiftedConstraint = "kestroLiftedLayoutConstraint";
const char* const NormalWidth = "kestroNormalWidth";
const char* const Watched = "kestroWindowStatesWatched";

// The requested state counts as soon as it is asked for (the window's), the applied one until
// the desktop has applied another (the widget's).
Qt::WindowStates StatesOf(const QWidget& window) {
    Qt::WindowStates states = window.windowState();
    if (const QWindow* handle = window.windowHandle())
        states |= handle->windowStates();
    return states;
}

void LiftBounds(QWidget& window) {
    window.setProperty(LiftedMaximum, window.maximumSize());
    if (QLayout* layout = window.layout()) {
        // A layout of fixed size would set the bounds again at its next change.
        window.setProperty(LiftedConstraint, int(layout->sizeConstraint()));
        layout->setSizeConstraint(QLayout::SetNoConstraint);
    }
    window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

void RestoreBounds(QWidget& window) {
    const QSize maximum = window.property(LiftedMaximum).toSize();
    window.setProperty(LiftedMaximum, QVariant());
    window.setMaximumSize(maximum);
    const QVariant constraint = window.property(LiftedConstraint);
    window.setProperty(LiftedConstraint, QVariant());
    if (QLayout* layout = window.layout(); layout != nullptr && constraint.isValid())
        layout->setSizeConstraint(QLayout::SizeConstraint(constraint.toInt()));
}

bool Lifted(const QWidget& window) {
    return window.property(LiftedMaximum).isValid();
}

bool HasBounds(const QWidget& window) {
    return window.maximumWidth() < QWIDGETSIZE_MAX || window.maximumHeight() < QWIDGETSIZE_MAX;
}

} // namespace

WindowStates::WindowStates(bool liftBoundsWhenMaximized, QObject* parent)
    : QObject(parent), liftBoundsWhenMaximized_(liftBoundsWhenMaximized) {}

void WindowStates::Install() {
    const bool wayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    qApp->installEventFilter(new WindowStates(wayland, qApp));
}

void WindowStates::SetNormalWidth(QWidget& window, int width) {
    if (StatesOf(window) & (Qt::WindowMaximized | Qt::WindowFullScreen) || Lifted(window)) {
        window.setProperty(NormalWidth, width);
        return;
    }
    window.resize(width, window.height());
}

bool WindowStates::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::Show && type != QEvent::WindowStateChange && type != QEvent::Resize)
        return false;
    auto* window = qobject_cast<QWidget*>(watched);
    if (window == nullptr || !window->isWindow())
        return false;
    if (type == QEvent::Show && window->windowHandle() != nullptr &&
        !window->property(Watched).toBool()) {
        window->setProperty(Watched, true);
        // Qt's title bar asks the window for a state without telling the widget until the
        // compositor answers, and the answer's size is applied before the widget hears of it.
        connect(window->windowHandle(), &QWindow::windowStateChanged, window,
                [this, window] { Follow(*window); });
    }
    Follow(*window);
    return false;
}

void WindowStates::Follow(QWidget& window) {
    const Qt::WindowStates states = StatesOf(window);
    if (states & Qt::WindowMaximized) {
        if (liftBoundsWhenMaximized_ && !Lifted(window) && HasBounds(window))
            LiftBounds(window);
        return;
    }
    if (states & (Qt::WindowFullScreen | Qt::WindowMinimized))
        return;
    if (Lifted(window)) {
        // Until the desktop has applied the restored size, the maximized one must stay.
        const QSize maximum = window.property(LiftedMaximum).toSize();
        if (window.width() > maximum.width() || window.height() > maximum.height())
            return;
        RestoreBounds(window);
    }
    const QVariant width = window.property(NormalWidth);
    if (width.isValid()) {
        window.setProperty(NormalWidth, QVariant());
        window.resize(width.toInt(), window.height());
    }
}

} // namespace kestro
