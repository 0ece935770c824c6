#include "commands/ColorCommands.h"

#include <algorithm>
#include <array>

namespace kestro {
namespace {

// The words the color-letter family shows for K, L, R, G, Y and P.
constexpr std::array<const char*, 6> kColorLetterWords{"Black", "Blue",   "Red",
                                                       "Green", "Yellow", "Purple"};

int ClampRow(int row) {
    return std::clamp(row, 1, 6);
}

// The pair a row edits, by the record's current letter family.
ColorPair& PairOfRow(ScheduleSettings& settings, int row) {
    return settings.PlatoonColors[PlatoonLetterOfRow(settings.LetterSet, row)];
}

const ColorPair& PairOfRow(const ScheduleSettings& settings, int row) {
    return settings.PlatoonColors[PlatoonLetterOfRow(settings.LetterSet, row)];
}

void StorePicks(ColorValue& normal, ColorValue& inverse, const ColorDialogResult& result) {
    if (!result.ok)
        return;
    // A list left without a selection keeps the color it opened with.
    if (result.normal)
        normal = *result.normal;
    if (result.inverse)
        inverse = *result.inverse;
}

QString ReportOf(const QString& start, ColorValue normal, ColorValue inverse) {
    return start + ColorToName(normal) + QStringLiteral(" / ") + ColorToName(inverse);
}

} // namespace

PlatoonRowTexts PlatoonTextsOf(LetterSet set, int row) {
    const QChar letter = PlatoonLetterOfRow(set, row);
    switch (set) {
    case LetterSet::OneToSix:
        return {QString(letter) + QStringLiteral(" Plt"), QString(letter) + QStringLiteral(" Inv"),
                QStringLiteral("Platoon ") + letter + QStringLiteral(" Color:"),
                QStringLiteral("Platoon ") + letter + QStringLiteral(" Inverse"),
                QStringLiteral("Platoon ") + letter + QStringLiteral(": ")};
    case LetterSet::ColorLetters: {
        const QString word = QLatin1String(kColorLetterWords[std::size_t(ClampRow(row) - 1)]);
        return {word, QStringLiteral("Inv"), word + QStringLiteral(" Color:"),
                word + QStringLiteral(" Inverse"), word + QStringLiteral(": ")};
    }
    case LetterSet::AToF:
        break;
    }
    return {QString(letter) + QStringLiteral(" Plt"), QString(letter) + QStringLiteral(" Inv"),
            letter + QStringLiteral(" Platoon Color:"), letter + QStringLiteral(" Platoon Inverse"),
            letter + QStringLiteral(" Platoon: ")};
}

ColorDialogRequest BackgroundRequest(const ScheduleSettings& settings) {
    ColorDialogRequest request;
    request.normalHeading = QStringLiteral("Background");
    request.inverseHeading = QStringLiteral("L-T Color");
    request.normalCaption = QStringLiteral("BkGr");
    request.normalFill = settings.BkGr;
    request.normalCaptionColor = settings.BkGr;
    request.inverseCaption = QStringLiteral("L/T");
    request.inverseFill = settings.BkGr;
    request.inverseCaptionColor = settings.LdTr;
    request.normalListLabel = QStringLiteral("Background Color:");
    request.inverseListLabel = QStringLiteral("L-T Color");
    request.normalSelection = settings.BkGr;
    request.inverseSelection = settings.LdTr;
    return request;
}

ColorDialogRequest PlatoonRequest(const ScheduleSettings& settings, int row) {
    const PlatoonRowTexts texts = PlatoonTextsOf(settings.LetterSet, row);
    const ColorPair pair = PairOfRow(settings, row);
    ColorDialogRequest request;
    request.normalHeading = QStringLiteral("Normal");
    request.inverseHeading = QStringLiteral("Inverse");
    request.normalCaption = texts.normalCaption;
    request.normalFill = settings.BkGr;
    request.normalCaptionColor = pair.normal;
    request.inverseCaption = texts.inverseCaption;
    request.inverseFill = pair.normal;
    request.inverseCaptionColor = pair.inverse;
    request.normalListLabel = texts.normalLabel;
    request.inverseListLabel = texts.inverseLabel;
    request.normalSelection = pair.normal;
    request.inverseSelection = pair.inverse;
    return request;
}

void ApplyBackgroundResult(ScheduleSettings& settings, const ColorDialogResult& result) {
    StorePicks(settings.BkGr, settings.LdTr, result);
    settings.UserSet.LdTr = settings.UserSet.LdTr || result.ok;
}

void ApplyPlatoonResult(ScheduleSettings& settings, int row, const ColorDialogResult& result) {
    ColorPair& pair = PairOfRow(settings, row);
    StorePicks(pair.normal, pair.inverse, result);
    if (result.ok) {
        const auto index = std::size_t(PlatoonIndex(PlatoonLetterOfRow(settings.LetterSet, row)));
        settings.UserSet.PlatoonNormal[index] = true;
        settings.UserSet.PlatoonInverse[index] = true;
    }
}

QString BackgroundReport(const ScheduleSettings& settings) {
    return ReportOf(QStringLiteral("L-T/Bkgr: "), settings.LdTr, settings.BkGr);
}

QString PlatoonReport(const ScheduleSettings& settings, int row) {
    const ColorPair& pair = PairOfRow(settings, row);
    return ReportOf(PlatoonTextsOf(settings.LetterSet, row).reportStart, pair.normal, pair.inverse);
}

ColorAreaView ToggleColorArea(bool shownNow) {
    if (!shownNow)
        return {true, ColorAreaShownWidth, QStringLiteral("&Hide Colors")};
    return {false, ColorAreaHiddenWidth, QStringLiteral("&Set Colors")};
}

} // namespace kestro
