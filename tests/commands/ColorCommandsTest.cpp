#include "colors/ColorCommands.h"
#include "colors/ColorPickList.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <set>
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

TEST(PickList, HoldsTheFiftyEntriesInOrder) {
    const struct {
        const char* name;
        ColorValue color;
    } expected[] = {
        {"Black", 0x00000000},
        {"Maroon", 0x00000080},
        {"Green", 0x00008000},
        {"Olive", 0x00008080},
        {"Navy", 0x00800000},
        {"Purple", 0x00800080},
        {"Teal", 0x00808000},
        {"Gray", 0x00808080},
        {"Silver", 0x00C0C0C0},
        {"Red", 0x000000FF},
        {"Lime", 0x0000FF00},
        {"Yellow", 0x0000FFFF},
        {"Blue", 0x00FF0000},
        {"Fuchsia", 0x00FF00FF},
        {"Aqua", 0x00FFFF00},
        {"White", 0x00FFFFFF},
        {"Money Green", 0x00C0DCC0},
        {"Sky Blue", 0x00F0CAA6},
        {"Cream", 0x00F0FBFF},
        {"Medium Gray", 0x00A4A0A0},
        {"Active Border", 0xFF00000A},
        {"Active Caption", 0xFF000002},
        {"Application Workspace", 0xFF00000C},
        {"Background", 0xFF000001},
        {"Button Face", 0xFF00000F},
        {"Button Highlight", 0xFF000014},
        {"Button Shadow", 0xFF000010},
        {"Button Text", 0xFF000012},
        {"Caption Text", 0xFF000009},
        {"Gradient Active Caption", 0xFF00001B},
        {"Gradient Inactive Caption", 0xFF00001C},
        {"Gray Text", 0xFF000011},
        {"Highlight Background", 0xFF00000D},
        {"Highlight Text", 0xFF00000E},
        {"Hot Light", 0xFF00001A},
        {"Inactive Border", 0xFF00000B},
        {"Inactive Caption", 0xFF000003},
        {"Inactive Caption Text", 0xFF000013},
        {"Info Background", 0xFF000018},
        {"Info Text", 0xFF000017},
        {"Menu Background", 0xFF000004},
        {"Menu Bar", 0xFF00001E},
        {"Menu Highlight", 0xFF00001D},
        {"Menu Text", 0xFF000007},
        {"Scroll Bar", 0xFF000000},
        {"3D Dark Shadow", 0xFF000015},
        {"3D Light", 0xFF000016},
        {"Window Background", 0xFF000005},
        {"Window Frame", 0xFF000006},
        {"Window Text", 0xFF000008},
    };
    const auto entries = PickListEntries();
    ASSERT_EQ(entries.size(), std::size(expected));
    ASSERT_EQ(int(entries.size()), PickListSize);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_STREQ(entries[i].name, expected[i].name) << "entry " << i;
        EXPECT_EQ(entries[i].color, expected[i].color) << expected[i].name;
    }
}

TEST(PickList, NamesTheSameFixedColorsAsTheSettingsFile) {
    // The twenty fixed colors are written by their file names; no two entries share a color.
    const auto entries = PickListEntries();
    std::set<ColorValue> seen;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_TRUE(seen.insert(entries[i].color).second) << entries[i].name;
        if (i < 20) {
            const QString fileName = ColorToName(entries[i].color);
            EXPECT_NE(fileName, QStringLiteral("Unknown")) << entries[i].name;
            EXPECT_EQ(NameToColor(fileName), entries[i].color) << entries[i].name;
        }
    }
}

TEST(PickList, SelectsTheFirstEntryOfAColorOrNone) {
    const struct {
        ColorValue color;
        const char* selected; // nullptr: no selection
    } cases[] = {
        {0x00808080, "Gray"},       {kRed, "Red"},
        {kWhite, "White"},          {0x00A4A0A0, "Medium Gray"},
        {0xFF000000, "Scroll Bar"}, {0xFF000005, "Window Background"},
        {kHotLight, "Hot Light"},   {kFromHexText, nullptr},
        {0x02808080, nullptr}, // gray from "$808080" is not the entry Gray
        {ColorNone, nullptr},       {0x00123456, nullptr},
        {0xFF000019, nullptr},      {0xFF00001F, nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<int> index = SelectionIndexOf(c.color);
        if (c.selected == nullptr) {
            EXPECT_FALSE(index.has_value()) << std::hex << c.color;
            continue;
        }
        ASSERT_TRUE(index.has_value()) << c.selected;
        EXPECT_STREQ(PickListEntries()[std::size_t(*index)].name, c.selected);
        EXPECT_EQ(SelectionColor(index), c.color) << c.selected;
    }
}

TEST(PickList, NothingSelectedHasNoColor) {
    EXPECT_FALSE(SelectionColor(std::nullopt).has_value());
    EXPECT_FALSE(SelectionColor(-1).has_value());
    EXPECT_FALSE(SelectionColor(PickListSize).has_value());
    EXPECT_EQ(SelectionColor(0), kBlack);
    EXPECT_EQ(SelectionColor(PickListSize - 1), 0xFF000008u);
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

// Answers the color dialog from a script and fails on any other prompt.
class ScriptedPrompts final : public Prompts {
public:
    std::deque<ColorDialogResult> answers;
    std::vector<ColorDialogRequest> asked;
    std::function<void()> whileOpen;

    void ShowMessage(const QString& text) override { ADD_FAILURE() << Str(text); }
    void ShowError(const QString& text) override { ADD_FAILURE() << Str(text); }
    bool AskYesNo(const QString&, const QString& text) override {
        ADD_FAILURE() << Str(text);
        return false;
    }
    std::optional<QString> AskOpenFileName(const FileDialogRequest&) override {
        ADD_FAILURE();
        return std::nullopt;
    }
    std::optional<QString> AskSaveFileName(const FileDialogRequest&) override {
        ADD_FAILURE();
        return std::nullopt;
    }
    ColorDialogResult PickColors(const ColorDialogRequest& request) override {
        asked.push_back(request);
        if (whileOpen)
            whileOpen();
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected color dialog";
            return {};
        }
        ColorDialogResult answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool ShowHelpContents(const QString&) override {
        ADD_FAILURE();
        return false;
    }
    void ShowAbout() override { ADD_FAILURE(); }
};

TEST(ColorCommand, PlatoonRedOnWhiteThenOk) {
    ScheduleSettings s = ColorRecord(LetterSet::AToF);
    s.PlatoonColors[QChar(u'A')] = {kBlack, kBlack};
    ScriptedPrompts prompts;
    prompts.answers.push_back({true, kRed, kWhite});
    EXPECT_EQ(Str(PickPlatoonColors(s, 1, prompts)), "A Platoon: Red / White");
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(Str(prompts.asked[0].normalCaption), "A Plt");
    EXPECT_EQ(s.PlatoonColors[QChar(u'A')], (ColorPair{0x000000FF, 0x00FFFFFF}));
}

TEST(ColorCommand, BackgroundCancelKeepsColorsAndReportsThem) {
    ScheduleSettings s = ColorRecord(LetterSet::AToF);
    const ScheduleSettings before = s;
    ScriptedPrompts prompts;
    prompts.answers.push_back({false, kNavy, kYellow});
    EXPECT_EQ(Str(PickBackgroundColors(s, prompts)), "L-T/Bkgr: Silver / White");
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(Str(prompts.asked[0].normalCaption), "BkGr");
    EXPECT_EQ(s, before);
}

TEST(ColorCommand, PlatoonPairIsChosenByTheLetterFamilyAtTheClick) {
    ScheduleSettings s = ColorRecord(LetterSet::AToF);
    ScriptedPrompts prompts;
    prompts.answers.push_back({true, kNavy, kYellow});
    prompts.whileOpen = [&s] { s.LetterSet = LetterSet::ColorLetters; };
    EXPECT_EQ(Str(PickPlatoonColors(s, 3, prompts)), "C Platoon: Navy / Yellow");
    EXPECT_EQ(s.PlatoonColors[QChar(u'C')], (ColorPair{kNavy, kYellow}));
    EXPECT_NE(s.PlatoonColors[QChar(u'R')], (ColorPair{kNavy, kYellow}));
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
