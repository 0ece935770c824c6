#include "commands/ColorCommands.h"
#include "colors/ColorPickList.h"

#include <gtest/gtest.h>

#include <string>

namespace kestro {
namespace {

constexpr ColorValue kBlack = 0x00000000;
constexpr ColorValue kRed = 0x000000FF;
constexpr ColorValue kWhite = 0x00FFFFFF;
constexpr ColorValue kSilver = 0x00C0C0C0;
constexpr ColorValue kNavy = 0x00800000;
constexpr ColorValue kYellow = 0x0000FFFF;
constexpr ColorValue kHotLight = 0xFF00001A;
constexpr ColorValue kFromHexText = 0x020080FF; // "$FF8000"

std::string Str(const QString& text) {
    return text.toStdString();
}

struct TextsCase {
    LetterSet set;
    int row;
    const char* letter;
    const char* normalCaption;
    const char* inverseCaption;
    const char* normalLabel;
    const char* inverseLabel;
    const char* reportStart;
};

TEST(PlatoonTexts, FollowTheLetterFamilyAndRow) {
    using enum LetterSet;
    const TextsCase cases[] = {
        {AToF, 1, "A", "A Plt", "A Inv", "A Platoon Color:", "A Platoon Inverse", "A Platoon: "},
        {AToF, 2, "B", "B Plt", "B Inv", "B Platoon Color:", "B Platoon Inverse", "B Platoon: "},
        {AToF, 3, "C", "C Plt", "C Inv", "C Platoon Color:", "C Platoon Inverse", "C Platoon: "},
        {AToF, 4, "D", "D Plt", "D Inv", "D Platoon Color:", "D Platoon Inverse", "D Platoon: "},
        {AToF, 5, "E", "E Plt", "E Inv", "E Platoon Color:", "E Platoon Inverse", "E Platoon: "},
        {AToF, 6, "F", "F Plt", "F Inv", "F Platoon Color:", "F Platoon Inverse", "F Platoon: "},
        {OneToSix, 1, "1", "1 Plt", "1 Inv", "Platoon 1 Color:", "Platoon 1 Inverse",
         "Platoon 1: "},
        {OneToSix, 2, "2", "2 Plt", "2 Inv", "Platoon 2 Color:", "Platoon 2 Inverse",
         "Platoon 2: "},
        {OneToSix, 3, "3", "3 Plt", "3 Inv", "Platoon 3 Color:", "Platoon 3 Inverse",
         "Platoon 3: "},
        {OneToSix, 4, "4", "4 Plt", "4 Inv", "Platoon 4 Color:", "Platoon 4 Inverse",
         "Platoon 4: "},
        {OneToSix, 5, "5", "5 Plt", "5 Inv", "Platoon 5 Color:", "Platoon 5 Inverse",
         "Platoon 5: "},
        {OneToSix, 6, "6", "6 Plt", "6 Inv", "Platoon 6 Color:", "Platoon 6 Inverse",
         "Platoon 6: "},
        {ColorLetters, 1, "K", "Black", "Inv", "Black Color:", "Black Inverse", "Black: "},
        {ColorLetters, 2, "L", "Blue", "Inv", "Blue Color:", "Blue Inverse", "Blue: "},
        {ColorLetters, 3, "R", "Red", "Inv", "Red Color:", "Red Inverse", "Red: "},
        {ColorLetters, 4, "G", "Green", "Inv", "Green Color:", "Green Inverse", "Green: "},
        {ColorLetters, 5, "Y", "Yellow", "Inv", "Yellow Color:", "Yellow Inverse", "Yellow: "},
        {ColorLetters, 6, "P", "Purple", "Inv", "Purple Color:", "Purple Inverse", "Purple: "},
    };
    for (const TextsCase& c : cases) {
        SCOPED_TRACE(std::string("row ") + std::to_string(c.row) + " letter " + c.letter);
        EXPECT_EQ(QString(PlatoonLetterOfRow(c.set, c.row)), QLatin1String(c.letter));
        const PlatoonRowTexts texts = PlatoonTextsOf(c.set, c.row);
        EXPECT_EQ(Str(texts.normalCaption), c.normalCaption);
        EXPECT_EQ(Str(texts.inverseCaption), c.inverseCaption);
        EXPECT_EQ(Str(texts.normalLabel), c.normalLabel);
        EXPECT_EQ(Str(texts.inverseLabel), c.inverseLabel);
        EXPECT_EQ(Str(texts.reportStart), c.reportStart);
    }
}

TEST(PlatoonTexts, RowsOutsideOneToSixTakeTheNearestRow) {
    EXPECT_EQ(PlatoonLetterOfRow(LetterSet::AToF, 0), QChar(u'A'));
    EXPECT_EQ(PlatoonLetterOfRow(LetterSet::AToF, -5), QChar(u'A'));
    EXPECT_EQ(PlatoonLetterOfRow(LetterSet::ColorLetters, 7), QChar(u'P'));
    EXPECT_EQ(Str(PlatoonTextsOf(LetterSet::ColorLetters, 99).normalCaption), "Purple");
}

// A record with distinct colors everywhere, so that a wrong pair or field shows.
ScheduleSettings ColorRecord(LetterSet set) {
    ScheduleSettings s = AbsentKeyDefaults();
    s.LetterSet = set;
    s.BkGr = kWhite;
    s.LdTr = kSilver;
    for (std::size_t i = 0; i < s.PlatoonColors.pairs.size(); ++i)
        s.PlatoonColors.pairs[i] = {ColorValue(0x00010000 + i), ColorValue(0x00020000 + i)};
    s.PlatoonColors[QChar(u'A')] = {kRed, kWhite};
    return s;
}

TEST(ColorRequest, BackgroundShowsBackgroundAndLeadingTrailingColors) {
    const ColorDialogRequest r = BackgroundRequest(ColorRecord(LetterSet::AToF));
    EXPECT_EQ(Str(r.normalHeading), "Background");
    EXPECT_EQ(Str(r.inverseHeading), "L-T Color");
    EXPECT_EQ(Str(r.normalCaption), "BkGr");
    EXPECT_EQ(r.normalFill, kWhite);
    EXPECT_EQ(r.normalCaptionColor, kWhite);
    EXPECT_EQ(Str(r.inverseCaption), "L/T");
    EXPECT_EQ(r.inverseFill, kWhite);
    EXPECT_EQ(r.inverseCaptionColor, kSilver);
    EXPECT_EQ(Str(r.normalListLabel), "Background Color:");
    EXPECT_EQ(Str(r.inverseListLabel), "L-T Color");
    EXPECT_EQ(r.normalSelection, kWhite);
    EXPECT_EQ(r.inverseSelection, kSilver);
}

TEST(ColorRequest, PlatoonShowsThePairOfTheRowsLetter) {
    const ColorDialogRequest a = PlatoonRequest(ColorRecord(LetterSet::AToF), 1);
    EXPECT_EQ(Str(a.normalHeading), "Normal");
    EXPECT_EQ(Str(a.inverseHeading), "Inverse");
    EXPECT_EQ(Str(a.normalCaption), "A Plt");
    EXPECT_EQ(a.normalFill, kWhite); // the background
    EXPECT_EQ(a.normalCaptionColor, kRed);
    EXPECT_EQ(Str(a.inverseCaption), "A Inv");
    EXPECT_EQ(a.inverseFill, kRed);
    EXPECT_EQ(a.inverseCaptionColor, kWhite);
    EXPECT_EQ(Str(a.normalListLabel), "A Platoon Color:");
    EXPECT_EQ(Str(a.inverseListLabel), "A Platoon Inverse");
    EXPECT_EQ(a.normalSelection, kRed);
    EXPECT_EQ(a.inverseSelection, kWhite);

    ScheduleSettings s = ColorRecord(LetterSet::ColorLetters);
    s.PlatoonColors[QChar(u'R')] = {kNavy, kYellow};
    const ColorDialogRequest red = PlatoonRequest(s, 3);
    EXPECT_EQ(Str(red.normalCaption), "Red");
    EXPECT_EQ(Str(red.inverseCaption), "Inv");
    EXPECT_EQ(Str(red.normalListLabel), "Red Color:");
    EXPECT_EQ(Str(red.inverseListLabel), "Red Inverse");
    EXPECT_EQ(red.normalSelection, kNavy);
    EXPECT_EQ(red.inverseSelection, kYellow);
    EXPECT_EQ(red.inverseFill, kNavy);
    EXPECT_EQ(red.normalFill, kWhite);

    s.LetterSet = LetterSet::OneToSix;
    const ColorDialogRequest six = PlatoonRequest(s, 6);
    EXPECT_EQ(six.normalSelection, s.PlatoonColors[QChar(u'6')].normal);
    EXPECT_EQ(six.inverseSelection, s.PlatoonColors[QChar(u'6')].inverse);
}

struct ApplyCase {
    const char* what;
    ColorDialogResult result;
    ColorPair stored;
};

TEST(ApplyResult, PlatoonStoresOkPicksOnlyIntoItsPair) {
    const ColorPair before{kRed, kWhite};
    const ApplyCase cases[] = {
        {"Ok with picks", {true, kNavy, kYellow}, {kNavy, kYellow}},
        {"Cancel after picks", {false, kNavy, kYellow}, before},
        {"Ok, normal unselected", {true, std::nullopt, kYellow}, {kRed, kYellow}},
        {"Ok, inverse unselected", {true, kNavy, std::nullopt}, {kNavy, kWhite}},
        {"Ok, nothing selected", {true, std::nullopt, std::nullopt}, before},
        {"Hot Light", {true, kHotLight, kBlack}, {kHotLight, kBlack}},
    };
    for (const ApplyCase& c : cases) {
        SCOPED_TRACE(c.what);
        ScheduleSettings s = ColorRecord(LetterSet::AToF);
        ScheduleSettings expected = s;
        expected.PlatoonColors[QChar(u'A')] = c.stored;
        // Ok makes both colors the user's own, kept as set on any desktop.
        expected.UserSet.PlatoonNormal[0] = expected.UserSet.PlatoonInverse[0] = c.result.ok;
        ApplyPlatoonResult(s, 1, c.result);
        EXPECT_EQ(s, expected);
    }
}

TEST(ApplyResult, BackgroundStoresOkPicksIntoBkGrAndLdTr) {
    const struct {
        const char* what;
        ColorDialogResult result;
        ColorValue bkgr;
        ColorValue ldtr;
    } cases[] = {
        {"Ok with picks", {true, kNavy, kYellow}, kNavy, kYellow},
        {"Cancel after picks", {false, kNavy, kYellow}, kWhite, kSilver},
        {"Ok, background unselected", {true, std::nullopt, kYellow}, kWhite, kYellow},
        {"Ok, nothing selected", {true, std::nullopt, std::nullopt}, kWhite, kSilver},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScheduleSettings s = ColorRecord(LetterSet::OneToSix);
        ScheduleSettings expected = s;
        expected.BkGr = c.bkgr;
        expected.LdTr = c.ldtr;
        expected.UserSet.LdTr = c.result.ok;
        ApplyBackgroundResult(s, c.result);
        EXPECT_EQ(s, expected);
    }
}

TEST(ApplyResult, HexColorSurvivesOkWithoutAPick) {
    // A color read as "$FF8000" has no entry: the list opens empty, and Ok keeps the color rather
    // than replacing it with "Scrollbar".
    ScheduleSettings s = ColorRecord(LetterSet::AToF);
    s.PlatoonColors[QChar(u'A')] = {kFromHexText, kWhite};
    const ColorDialogRequest request = PlatoonRequest(s, 1);
    EXPECT_FALSE(SelectionIndexOf(request.normalSelection).has_value());
    ApplyPlatoonResult(s, 1,
                       {true, SelectionColor(SelectionIndexOf(request.normalSelection)),
                        SelectionColor(SelectionIndexOf(request.inverseSelection))});
    EXPECT_EQ(s.PlatoonColors[QChar(u'A')], (ColorPair{kFromHexText, kWhite}));
    EXPECT_EQ(Str(PlatoonReport(s, 1)),
              "A Platoon: " + Str(ColorToName(kFromHexText)) + " / White");
}

TEST(ColorReport, NamesTheColorsOfTheCommand) {
    ScheduleSettings s = ColorRecord(LetterSet::AToF);
    EXPECT_EQ(Str(BackgroundReport(s)), "L-T/Bkgr: Silver / White");
    EXPECT_EQ(Str(PlatoonReport(s, 1)), "A Platoon: Red / White");

    s.PlatoonColors[QChar(u'A')] = {kHotLight, 0xFF000000};
    EXPECT_EQ(Str(PlatoonReport(s, 1)), "A Platoon: Unknown / Scrollbar");

    s.LetterSet = LetterSet::ColorLetters;
    s.PlatoonColors[QChar(u'R')] = {kNavy, kYellow};
    EXPECT_EQ(Str(PlatoonReport(s, 3)), "Red: Navy / Yellow");

    s.LetterSet = LetterSet::OneToSix;
    s.PlatoonColors[QChar(u'6')] = {kBlack, ColorNone};
    EXPECT_EQ(Str(PlatoonReport(s, 6)), "Platoon 6: Black / None");
}

// The main window's color commands: the request, the dialog's answer stored, the report.
TEST(ColorCommand, PlatoonRedOnWhiteThenOk) {
    ScheduleSettings s = ColorRecord(LetterSet::AToF);
    s.PlatoonColors[QChar(u'A')] = {kBlack, kBlack};
    EXPECT_EQ(Str(PlatoonRequest(s, 1).normalCaption), "A Plt");
    ApplyPlatoonResult(s, 1, {true, kRed, kWhite});
    EXPECT_EQ(Str(PlatoonReport(s, 1)), "A Platoon: Red / White");
    EXPECT_EQ(s.PlatoonColors[QChar(u'A')], (ColorPair{0x000000FF, 0x00FFFFFF}));
}

TEST(ColorCommand, BackgroundCancelKeepsColorsAndReportsThem) {
    ScheduleSettings s = ColorRecord(LetterSet::AToF);
    const ScheduleSettings before = s;
    EXPECT_EQ(Str(BackgroundRequest(s).normalCaption), "BkGr");
    ApplyBackgroundResult(s, {false, kNavy, kYellow});
    EXPECT_EQ(Str(BackgroundReport(s)), "L-T/Bkgr: Silver / White");
    EXPECT_EQ(s, before);
}

TEST(SetColors, TogglesWidthAndCaption) {
    const ColorAreaView shown = ToggleColorArea(false);
    EXPECT_TRUE(shown.shown);
    EXPECT_EQ(shown.outerWidth, 469);
    EXPECT_EQ(Str(shown.buttonCaption), "&Hide Colors");
    const ColorAreaView hidden = ToggleColorArea(shown.shown);
    EXPECT_FALSE(hidden.shown);
    EXPECT_EQ(hidden.outerWidth, 269);
    EXPECT_EQ(Str(hidden.buttonCaption), "&Set Colors");
}

} // namespace
} // namespace kestro
