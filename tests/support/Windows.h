#pragma once

#include <QApplication>
#include <QWidget>

namespace kestro::test {

// The one window of type W that exists now, shown or hidden; nullptr when there is none, or more
// than one.
template <class W> W* OnlyWindow() {
    W* found = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<W*>(widget)) {
            if (found != nullptr)
                return nullptr;
            found = window;
        }
    }
    return found;
}

} // namespace kestro::test
