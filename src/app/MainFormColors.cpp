#include "app/MainForm.h"

#include "base/AsciiCase.h"
#include "commands/ColorCommands.h"
#include "settings/FieldText.h"
#include "widgets/Panel.h"
#include "widgets/WindowStates.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kestro {

namespace {

struct RowCaptions {
    const char* button;
    const char* panel;
};

// Button and panel captions of the six platoon rows, by letter family.
constexpr RowCaptions PlatoonCaptions[3][6] = {
    {{"&A Platoon", "A"},
     {"&B Platoon", "B"},
     {"&C Platoon", "C"},
     {"&D Platoon", "D"},
     {"&E Platoon", "E"},
     {"F Platoon", "F"}},
    {{"Platoon &1", "1"},
     {"Platoon &2", "2"},
     {"Platoon &3", "3"},
     {"Platoon &4", "4"},
     {"Platoon &5", "5"},
     {"Platoon &6", "6"}},
    {{"Black", "Blk"},
     {"Blue", "Blu"},
     {"Red", "Red"},
     {"Green", "Grn"},
     {"Yellow", "Yel"},
     {"Purple", "Pur"}},
};

// The letters that show color-letter rows 1 to 6 when the rotation holds them.
constexpr char16_t ColorRowLetters[6] = {u'K', u'L', u'R', u'G', u'Y', u'P'};

// The frame the window's outer widths are counted with: 8 pixels on either side.
constexpr int OuterFrameWidth = 16;
static_assert(ColorAreaShownWidth - OuterFrameWidth == ClientWidthColorsShown);
static_assert(ColorAreaHiddenWidth - OuterFrameWidth == ClientWidthColorsHidden);

} // namespace

void TMainForm::RefreshColorArea() {
    RefreshPanelColors();
    RefreshPlatoonCaptions();
    RefreshPlatoonRows();
}

void TMainForm::RefreshPanelColors() {
    if (!colorAreaMade_)
        return;
    for (Panel* panel : {pBkGr, pLdTr}) {
        panel->SetFill(Settings.BkGr);
        panel->SetCaptionColor(Settings.LdTr, Settings.UserSet.LdTr);
    }
    const auto letters = LettersOf(Settings.LetterSet);
    for (std::size_t row = 0; row < 6; ++row) {
        const auto index = std::size_t(PlatoonIndex(letters[row]));
        const ColorPair& pair = Settings.PlatoonColors[letters[row]];
        pPlt[row]->SetFill(Settings.BkGr);
        pPlt[row]->SetCaptionColor(pair.normal, Settings.UserSet.PlatoonNormal[index]);
        pInv[row]->SetFill(pair.normal);
        pInv[row]->SetCaptionColor(pair.inverse, Settings.UserSet.PlatoonInverse[index]);
    }
    DescribePanelColors();
}

void TMainForm::DescribePanelColors() {
    if (!colorAreaMade_)
        return;
    pBkGr->setAccessibleDescription(ColorToName(Settings.BkGr));
    pLdTr->setAccessibleDescription(ColorToName(Settings.LdTr));
    const auto letters = LettersOf(Settings.LetterSet);
    for (std::size_t row = 0; row < 6; ++row) {
        const ColorPair& pair = Settings.PlatoonColors[letters[row]];
        pPlt[row]->setAccessibleDescription(ColorToName(pair.normal));
        pInv[row]->setAccessibleDescription(ColorToName(pair.inverse));
    }
}

void TMainForm::RefreshPlatoonCaptions() {
    if (!colorAreaMade_)
        return;
    const auto& captions = PlatoonCaptions[int(Settings.LetterSet)];
    for (std::size_t row = 0; row < 6; ++row) {
        const QString panel = QString::fromLatin1(captions[row].panel);
        bPlt[row]->setText(QString::fromLatin1(captions[row].button));
        pPlt[row]->SetCaption(panel);
        pInv[row]->SetCaption(panel);
        pPlt[row]->setAccessibleName(panel + QStringLiteral(" color"));
        pInv[row]->setAccessibleName(panel + QStringLiteral(" inverse color"));
    }
    DescribePanelColors();
}

void TMainForm::RefreshPlatoonRows() {
    if (!colorAreaMade_)
        return;
    std::array<bool, 6> shown{};
    if (Settings.LetterSet == LetterSet::ColorLetters) {
        const QString rotation = AsciiUpper(Settings.ShiftRotation);
        for (std::size_t row = 0; row < 6; ++row)
            shown[row] = rotation.contains(QChar(ColorRowLetters[row]));
    } else {
        for (std::size_t row = 0; row < 6; ++row)
            shown[row] = row < 2 || Settings.NumberOfPlatoons > int(row);
    }
    for (std::size_t row = 0; row < 6; ++row) {
        bPlt[row]->setVisible(shown[row]);
        pPlt[row]->setVisible(shown[row]);
        pInv[row]->setVisible(shown[row]);
    }
}

void TMainForm::bColorsClick() {
    EnsureColorArea();
    const std::optional<int> platoons = ReadFieldInteger(eNumPlt->text());
    if (!platoons) {
        ShowErrorBox(NotAnIntegerText(eNumPlt->text()));
        return;
    }
    Settings.NumberOfPlatoons = *platoons;
    const std::optional<int> days = ReadFieldInteger(eRotDays->text());
    if (!days) {
        ShowErrorBox(NotAnIntegerText(eRotDays->text()));
        return;
    }
    Settings.DaysInRotation = *days;
    Settings.ShiftRotation = eRotation->text();

    const ColorAreaView view = ToggleColorArea(ColorsShown);
    ColorsShown = view.shown;
    WindowStates::SetNormalWidth(*this, view.outerWidth - OuterFrameWidth);
    bColors->setText(view.buttonCaption);
    if (ColorsShown) {
        RefreshColorArea();
    }
}

void TMainForm::bBkGrClick() {
    // Pressing the button counts as a change, even when the dialog is cancelled.
    SettingsModified = true;
    BackgroundChanged = true;
    EmptyColorReport();
    const ColorDialogResult result = prompts_.PickColors(BackgroundRequest(Settings));
    ApplyBackgroundResult(Settings, result);
    if (result.ok) {
        for (Panel* panel : {pBkGr, pLdTr}) {
            panel->SetFill(Settings.BkGr);
            panel->SetCaptionColor(Settings.LdTr, Settings.UserSet.LdTr);
        }
        for (Panel* panel : pPlt)
            panel->SetFill(Settings.BkGr);
    }
    DescribePanelColors();
    ShowColorReport(BackgroundReport(Settings));
    RedrawMonthView();
}

void TMainForm::bPltClick(int row) {
    SettingsModified = true;
    EmptyColorReport();
    const ColorDialogResult result = prompts_.PickColors(PlatoonRequest(Settings, row));
    ApplyPlatoonResult(Settings, row, result);
    if (result.ok) {
        const ColorPair& pair = Settings.PlatoonColors[PlatoonLetterOfRow(Settings.LetterSet, row)];
        const std::size_t index = std::size_t(row - 1);
        pPlt[index]->SetCaptionColor(pair.normal);
        pPlt[index]->repaint();
        pInv[index]->SetFill(pair.normal);
        pInv[index]->SetCaptionColor(pair.inverse);
        pInv[index]->repaint();
    }
    DescribePanelColors();
    ShowColorReport(PlatoonReport(Settings, row));
    RedrawMonthView();
}

void TMainForm::EmptyColorReport() {
    ShowColorReport(QString());
}

void TMainForm::ShowColorReport(const QString& report) {
    colorReport_ = report;
    if (!colorAreaMade_)
        return;
    lColor->setText(report);
    lColor->repaint();
}

} // namespace kestro
