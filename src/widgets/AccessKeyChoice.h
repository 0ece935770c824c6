#pragma once

#include <QChar>
#include <QString>

#include <span>
#include <vector>

namespace kestro {

// The letters and digits a caption marks with "&" as its access keys, in upper case and in
// order: "&Apply &Rotation" gives A and R. "&&" is an ampersand, not a mark.
std::vector<QChar> AccessLetters(const QString& caption);

// Something of a window that an access key can act on.
struct AccessTarget {
    enum class Kind {
        Button, // pressed
        Field,  // focused: a field, named by the label that carries the caption
        Menu,   // opened: a menu of the menu bar
    };
    Kind kind = Kind::Button;
    QString caption;
    bool inView = false; // shown, enabled, and not beyond the edges of the window
    bool focused = false;
};

struct AccessAction {
    enum class Kind { Nothing, Press, Focus, OpenMenu };
    Kind kind = Kind::Nothing;
    int target = -1; // index into the targets

    friend bool operator==(const AccessAction&, const AccessAction&) = default;
};

// What Alt and the letter does, the window's controls given in tab order (menus anywhere).
// Only targets in view count. A letter of exactly one control presses a button or focuses a
// field; a letter of several controls moves the focus to the next of them after the one that
// has it, round, without pressing. A menu takes the letter only when no control in view has it.
AccessAction ChooseAccessAction(std::span<const AccessTarget> targets, QChar letter);

} // namespace kestro
