#include "widgets/AccessKeys.h"

#include "widgets/AccessKeyChoice.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace kestro {

namespace {

// Shown, enabled and at least partly inside the window: the parts of the color area beyond the
// window's width are out of view although Qt counts them as visible.
bool InView(const QWidget* widget, const QWidget* window) {
    if (!widget->isVisibleTo(window) || !widget->isEnabled())
        return false;
    QRect rect = widget->rect();
    for (const QWidget* w = widget; w != window; w = w->parentWidget()) {
        rect = rect.translated(w->pos()) & w->parentWidget()->rect();
        if (rect.isEmpty())
            return false;
    }
    return true;
}

QChar KeyLetter(const QKeyEvent& key) {
    const int code = key.key();
    if ((code >= Qt::Key_A && code <= Qt::Key_Z) || (code >= Qt::Key_0 && code <= Qt::Key_9))
        return QChar(code);
    if (key.text().size() == 1 && key.text().front().isLetterOrNumber())
        return key.text().front().toUpper();
    return {};
}

// What each target is in the window: the widget to press or focus, or the menu bar's action.
struct Place {
    QWidget* widget = nullptr;
    QMenuBar* bar = nullptr;
    QAction* menu = nullptr;
};

void OpenMenu(QMenuBar* bar, QAction* title) {
    bar->setActiveAction(title);
    // As from the keyboard: the first item is chosen, ready for the arrows and Enter.
    if (QMenu* menu = title->menu(); menu != nullptr && menu->isVisible()) {
        for (QAction* item : menu->actions()) {
            if (item->isVisible() && item->isEnabled() && !item->isSeparator()) {
                menu->setActiveAction(item);
                break;
            }
        }
    }
}

} // namespace

AccessKeys::AccessKeys(QWidget* window) : QObject(window), window_(window) {
    // The keys must be seen before the shortcut map of Qt, which knows only the first mark of a
    // caption and counts controls beyond the window's edge as visible.
    qApp->installEventFilter(this);
}

bool AccessKeys::IsAccessKey(QObject* receiver, const QKeyEvent& key) const {
    const auto* widget = qobject_cast<QWidget*>(receiver);
    return widget != nullptr && widget->window() == window_ &&
           (key.modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier && !KeyLetter(key).isNull();
}

bool AccessKeys::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (!IsAccessKey(watched, *key))
        return false;
    // Taking the override keeps Qt's shortcuts out; the key press that follows does the work.
    key->accept();
    if (type == QEvent::ShortcutOverride)
        return true;
    // With the keyboard in the menu bar (after Alt alone), the letter is the menu bar's.
    if (qobject_cast<QMenuBar*>(QApplication::focusWidget()) != nullptr)
        return false;
    // Held down, a key acts once, as a button's own shortcut does.
    if (!key->isAutoRepeat())
        Act(KeyLetter(*key));
    return true;
}

void AccessKeys::Act(QChar letter) {
    std::vector<AccessTarget> targets;
    std::vector<Place> places;
    const QWidget* focus = QApplication::focusWidget();
    for (QWidget* w = window_->nextInFocusChain(); w != window_; w = w->nextInFocusChain()) {
        if (w->window() != window_)
            continue;
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            targets.push_back({AccessTarget::Kind::Button, button->text(), InView(button, window_),
                               button == focus});
            places.push_back({button});
        } else if (auto* label = qobject_cast<QLabel*>(w); label != nullptr && label->buddy()) {
            QWidget* buddy = label->buddy();
            targets.push_back({AccessTarget::Kind::Field, label->text(),
                               InView(label, window_) && InView(buddy, window_) &&
                                   (buddy->focusPolicy() & Qt::TabFocus) != 0,
                               buddy == focus});
            places.push_back({buddy});
        }
    }
    for (QMenuBar* bar : window_->findChildren<QMenuBar*>()) {
        const bool barInView = bar->window() == window_ && InView(bar, window_);
        for (QAction* title : bar->actions()) {
            const QRect place = bar->actionGeometry(title) & bar->rect();
            targets.push_back({AccessTarget::Kind::Menu, title->text(),
                               barInView && title->menu() != nullptr && title->isVisible() &&
                                   title->isEnabled() && !place.isEmpty(),
                               false});
            places.push_back({nullptr, bar, title});
        }
    }

    const AccessAction action = ChooseAccessAction(targets, letter);
    if (action.kind == AccessAction::Kind::Nothing)
        return;
    const Place& place = places[std::size_t(action.target)];
    switch (action.kind) {
    case AccessAction::Kind::Press:
        static_cast<QAbstractButton*>(place.widget)->animateClick();
        break;
    case AccessAction::Kind::Focus:
        place.widget->setFocus(Qt::ShortcutFocusReason);
        window_->setAttribute(Qt::WA_KeyboardFocusChange);
        break;
    case AccessAction::Kind::OpenMenu:
        OpenMenu(place.bar, place.menu);
        break;
    case AccessAction::Kind::Nothing:
        break;
    }
}

} // namespace kestro
