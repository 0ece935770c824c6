#include "settings/ScheduleSettings.h"

namespace kestro {
namespace {

constexpr ColorValue kBlack = 0x000000;
constexpr ColorValue kWhite = 0xFFFFFF;
constexpr ColorValue kGray = 0x808080;
constexpr ColorValue kSilver = 0xC0C0C0;
constexpr ColorValue kRed = 0x0000FF;
constexpr ColorValue kBlue = 0xFF0000;
constexpr ColorValue kLime = 0x00FF00;
constexpr ColorValue kAqua = 0xFFFF00;
constexpr ColorValue kFuchsia = 0xFF00FF;
constexpr ColorValue kTeal = 0x808000;
constexpr ColorValue kYellow = 0x00FFFF;
constexpr ColorValue kPurple = 0x800080;

// The color-letter platoons look the same from both default sources.
void SetColorLetterPairs(PlatoonColorTable& colors) {
    colors[u'K'] = {kBlack, kWhite};
    colors[u'L'] = {kBlue, kWhite};
    colors[u'R'] = {kRed, kWhite};
    colors[u'G'] = {kLime, kBlack};
    colors[u'Y'] = {kYellow, kBlack};
    colors[u'P'] = {kPurple, kWhite};
}

void SetFileIndependentDefaults(ScheduleSettings& s) {
    s.NumberOfPlatoons = 3;
    s.Epoch = 1975;
    s.HiliteCurrent = true;
    s.ShowDOW = true;
    s.ShowYear = true;
    s.ShowLeading = true;
    s.FullMonthName = true;
    s.ReverseUpDown = false;
    s.ReversePageUpPageDown = false;
    s.WeekStartsOnMonday = false;
    s.HdrFontName = QStringLiteral("Arial");
    s.HdrFontStyle = QStringLiteral("BOLD");
    s.HdrFontColor = QStringLiteral("Black");
    s.HdrFontSize = 12;
    s.CalFontName = QStringLiteral("Arial");
    s.CalFontStyle = QStringLiteral("BOLD");
    s.CalFontColor = QStringLiteral("Gray");
    s.CalFontSize = 12;
    SetColorLetterPairs(s.PlatoonColors);
    s.BkGr = kWhite;
    s.LdTr = kSilver;
    s.GridColor = kGray;
    s.FrameColor = kGray;
    s.LetterSet = LetterSet::AToF;
}

} // namespace

ScheduleSettings AbsentKeyDefaults() {
    ScheduleSettings s;
    SetFileIndependentDefaults(s);
    s.DaysInRotation = 24;
    s.ShiftRotation = QStringLiteral("ACABABABCBCACACABABCBCBC");
    s.StartDay = InvalidDay;
    s.StartDateText.clear();
    const ColorPair platoonPairs[6] = {{kRed, kWhite},  {kBlue, kWhite},    {kLime, kBlack},
                                       {kAqua, kBlack}, {kFuchsia, kBlack}, {kTeal, kWhite}};
    for (int row = 0; row < 6; ++row) {
        s.PlatoonColors[LettersOf(LetterSet::AToF)[row]] = platoonPairs[row];
        s.PlatoonColors[LettersOf(LetterSet::OneToSix)[row]] = platoonPairs[row];
    }
    return s;
}

ScheduleSettings NoFileSettings(DayNumber firstOfCurrentMonth) {
    ScheduleSettings s;
    SetFileIndependentDefaults(s);
    s.DaysInRotation = 3;
    s.ShiftRotation = QStringLiteral("ABC");
    s.StartDay = firstOfCurrentMonth;
    for (int row = 0; row < 6; ++row) {
        s.PlatoonColors[LettersOf(LetterSet::AToF)[row]] = {kGray, kWhite};
        s.PlatoonColors[LettersOf(LetterSet::OneToSix)[row]] = {kGray, kWhite};
    }
    return s;
}

} // namespace kestro
