#include "widgets/AccessKeyChoice.h"

#include <algorithm>

namespace kestro {

std::vector<QChar> AccessLetters(const QString& caption) {
    std::vector<QChar> letters;
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        const QChar marked = caption[++i];
        if (marked.isLetterOrNumber())
            letters.push_back(marked.toUpper());
    }
    return letters;
}

namespace {

bool Has(const AccessTarget& target, QChar letter) {
    const std::vector<QChar> letters = AccessLetters(target.caption);
    return std::find(letters.begin(), letters.end(), letter.toUpper()) != letters.end();
}

} // namespace

AccessAction ChooseAccessAction(std::span<const AccessTarget> targets, QChar letter) {
    std::vector<int> controls;
    int firstMenu = -1;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const AccessTarget& target = targets[i];
        if (!target.inView || !Has(target, letter))
            continue;
        if (target.kind != AccessTarget::Kind::Menu)
            controls.push_back(int(i));
        else if (firstMenu < 0)
            firstMenu = int(i);
    }
    using Kind = AccessAction::Kind;
    if (controls.size() == 1) {
        const int only = controls.front();
        return {targets[std::size_t(only)].kind == AccessTarget::Kind::Button ? Kind::Press
                                                                              : Kind::Focus,
                only};
    }
    if (controls.size() > 1) {
        const auto focused = std::find_if(controls.begin(), controls.end(),
                                          [&](int i) { return targets[std::size_t(i)].focused; });
        const auto next = focused == controls.end() || focused + 1 == controls.end()
                              ? controls.begin()
                              : focused + 1;
        return {Kind::Focus, *next};
    }
    if (firstMenu >= 0)
        return {Kind::OpenMenu, firstMenu};
    return {};
}

} // namespace kestro
