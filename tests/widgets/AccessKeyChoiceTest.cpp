#include "widgets/AccessKeyChoice.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

TEST(AccessLetters, EveryMarkedLetterOrDigitInUpperCase) {
    const struct {
        const char* caption;
        std::vector<QChar> letters;
    } cases[] = {
        {"&Apply &Rotation", {u'A', u'R'}},
        {"Platoon &1", {u'1'}},
        {"F Platoon", {}},
        {"Fish && &chips", {u'C'}},
        {"Last&", {}},
        {"&&&x", {u'X'}},
        {"& space", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AccessLetters(QString::fromLatin1(c.caption)), c.letters) << c.caption;
}

TEST(ChooseAccessAction, OneControlActsSeveralTakeTurnsMenusComeLast) {
    using K = AccessTarget::Kind;
    using A = AccessAction::Kind;
    struct Case {
        const char* name;
        bool platoonInView;
        bool hideInView;
        int focused; // index of the target with the focus, or -1
        QChar letter;
        AccessAction expected;
    };
    const Case cases[] = {
        {"second mark presses", false, false, -1, u'R', {A::Press, 0}},
        {"small letter", false, false, -1, u'r', {A::Press, 0}},
        {"out of view does not count", false, false, -1, u'A', {A::Press, 0}},
        {"two in view: the first", true, false, -1, u'A', {A::Focus, 0}},
        {"two in view: the next", true, false, 0, u'A', {A::Focus, 1}},
        {"two in view: round again", true, false, 1, u'A', {A::Focus, 0}},
        {"focus elsewhere: the first", true, false, 2, u'A', {A::Focus, 0}},
        {"a label focuses its field before a menu", false, false, -1, u'N', {A::Focus, 2}},
        {"a menu alone", false, false, -1, u'F', {A::OpenMenu, 3}},
        {"a button in view before a menu", false, true, -1, u'H', {A::Press, 5}},
        {"the menu when the button is out of view", false, false, -1, u'H', {A::OpenMenu, 4}},
        {"nobody's letter", true, true, -1, u'Z', {}},
    };
    for (const Case& c : cases) {
        const AccessTarget targets[] = {
            {K::Button, QStringLiteral("&Apply &Rotation"), true, c.focused == 0},
            {K::Button, QStringLiteral("&A Platoon"), c.platoonInView, c.focused == 1},
            {K::Field, QStringLiteral("&Name:"), true, c.focused == 2},
            {K::Menu, QStringLiteral("&File"), true, false},
            {K::Menu, QStringLiteral("&Help"), true, false},
            {K::Button, QStringLiteral("&Hide Colors"), c.hideInView, c.focused == 5},
            {K::Menu, QStringLiteral("&Name"), true, false},
        };
        EXPECT_EQ(ChooseAccessAction(targets, c.letter), c.expected) << c.name;
    }
}

} // namespace
} // namespace kestro
