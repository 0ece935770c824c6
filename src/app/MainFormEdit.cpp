#include "app/MainForm.h"

#include "base/AsciiCase.h"
#include "help/HelpFile.h"
#include "rotation/EditRules.h"
#include "rotation/Retreat.h"
#include "startup/Platform.h"
#include "widgets/ColorToQColor.h"
#include "widgets/MonthGrid.h"
#include "widgets/Panel.h"
#include "widgets/WindowFonts.h"

#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>

#include <utility>

namespace kestro {

namespace {

const QString HelpFileFailedText = QStringLiteral("Unable to open Help file");

} // namespace

void TMainForm::UpdateMonthHeader() {
    pHeader->SetCaptionFont(PreviewFont(HeaderFont(Settings)));
    pHeader->SetCaptionColor(HeaderFontColor(Settings), Settings.UserSet.HdrFontColor);
    pHeader->SetCaption(MonthHeaderCaption(Settings, View, dateFormat_));
}

void TMainForm::RedrawMonthView() {
    UpdateMonthHeader();
    dgCal->update();
    const CalendarDate cursor = DayNumberToDate(View.CursorDay);
    int selected = -1;
    for (int index = 0; cursor.day > 0 && index < MonthGridColumns * MonthGridRows && selected < 0;
         ++index) {
        if (CellToDate(Settings, View, index % MonthGridColumns, index / MonthGridColumns) ==
            cursor)
            selected = index;
    }
    dgCal->SetSelectedCell(selected < 0 ? -1 : selected % MonthGridColumns,
                           selected / MonthGridColumns);
}

void TMainForm::dgCalDrawCell(QPainter& painter, int column, int row, const QRect& cell) {
    const CellColors colors = CellColorsOf(Settings, View, column, row);
    const std::optional<QColor> fill = PaintColor(colors.fill, dgCal->palette());
    // A fill of "no color" shows the grid's base color.
    const std::optional<QColor> text = ReadableTextColor(
        colors.text, colors.textUserSet, colors.fill, dgCal->palette(), QPalette::Base);
    if (fill)
        painter.fillRect(cell, *fill);

    const QString caption = CellText(CellToDate(Settings, View, column, row));
    if (!text || caption.isEmpty())
        return;
    const QFont& font = cellFont_.Font(CellFont(Settings));
    const QSize size(cellFont_.Width(caption), cellFont_.Height());
    const QPoint origin =
        CellTextOrigin(cell, dgCal->cellSize.width(), dgCal->cellSize.height(), size);
    painter.setFont(font);
    painter.setPen(*text);
    if (fill) {
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(*fill);
    }
    cellFont_.Draw(painter, QRect(origin, size), caption);
}

void TMainForm::dgCalKeyDown(GridKey key, KeyModifiers modifiers) {
    const GridKeyOutcome outcome = MoveByGridKey(Settings, View, key, modifiers, Today());
    RedrawMonthView();
    if (outcome.helpRequested && !prompts_.ShowHelpContents(HelpFile()))
        ShowErrorBox(HelpFileFailedText);
}

void TMainForm::udMonClick(UpDownArrow arrow) {
    MoveByUpDown(Settings, View, arrow);
    RedrawMonthView();
}

void TMainForm::bTodayClick() {
    MoveToToday(View, Today());
    RedrawMonthView();
}

void TMainForm::eNumPltChange() {
    if (!UserEdit())
        return;
    SettingsModified = true;
    const std::optional<int> value = ReadFieldInteger(eNumPlt->text());
    if (!value) {
        ShowErrorBox(NotAnIntegerText(eNumPlt->text()));
        return;
    }
    Settings.NumberOfPlatoons = *value;
    RefreshColorArea();
    EmptyColorReport();
}

void TMainForm::eRotDaysChange() {
    if (!UserEdit())
        return;
    SettingsModified = true;
    const std::optional<int> value = ReadFieldInteger(eRotDays->text());
    if (!value) {
        ShowErrorBox(NotAnIntegerText(eRotDays->text()));
        return;
    }
    Settings.DaysInRotation = *value;
    EmptyColorReport();
}

void TMainForm::eRotationChange() {
    if (UserEdit()) {
        SettingsModified = true;
        const QString text = eRotation->text();
        if (const auto family = LetterSetFromRotation(text)) {
            Settings.LetterSet = *family;
            if (*family != LetterSet::ColorLetters) {
                RefreshPlatoonCaptions();
                RefreshPlatoonRows();
            }
        }
        Settings.ShiftRotation = text;
    }
    EmptyColorReport();
}

void TMainForm::eRotationExit() {
    const QString text = eRotation->text();
    if (text.isEmpty()) {
        SetProgramText(eRotation, QStringLiteral("ABC"));
        Settings.LetterSet = LetterSet::AToF;
    } else if (const auto family = LetterSetFromRotation(text)) {
        Settings.LetterSet = *family;
        if (*family != LetterSet::OneToSix)
            SetProgramText(eRotation, AsciiUpper(text));
        if (*family != LetterSet::ColorLetters) {
            RefreshPlatoonCaptions();
            RefreshPlatoonRows();
        }
    }
    EmptyColorReport();
}

void TMainForm::eStartDateChange() {
    if (!UserEdit())
        return;
    SettingsModified = true;
    EmptyColorReport();
}

bool TMainForm::ApplyFields(ScheduleSettings& settings) {
    const ApplyResult result = ApplyRotation(
        settings, {eNumPlt->text(), eRotDays->text(), eRotation->text(), eStartDate->text()},
        dateFormat_, CurrentYear());
    switch (result.outcome) {
    case ApplyOutcome::LengthMismatch:
        prompts_.ShowMessage(result.message);
        return false;
    case ApplyOutcome::NotAnInteger:
    case ApplyOutcome::NotADate:
        ShowErrorBox(result.message);
        return false;
    case ApplyOutcome::Applied:
        break;
    }
    return true;
}

void TMainForm::bApplyClick() {
    if (!ApplyFields(Settings))
        return;
    inForce_ = TermsOf(Settings);
    RefreshColorArea();
    RedrawMonthView();
}

void TMainForm::bRetreatClick() {
    SettingsModified = true;
    const RetreatResult result =
        RetreatStartDay(Settings, eRetreatDate->text(), dateFormat_, CurrentYear());
    switch (result.outcome) {
    case RetreatOutcome::LengthMismatch:
        prompts_.ShowMessage(result.message);
        return;
    case RetreatOutcome::NotADate:
        ShowErrorBox(result.message);
        return;
    case RetreatOutcome::NoRotation:
        return;
    case RetreatOutcome::Retreated:
    case RetreatOutcome::StoppedAtFirst:
        break;
    }
    inForce_.start = Settings.StartDay;
    // The user watches the date step back; with very many steps only every stride-th is shown.
    const std::size_t count = result.steps.size();
    const std::size_t stride = (count + RetreatStepsShown - 1) / RetreatStepsShown;
    for (std::size_t i = 0; i < count; ++i) {
        if ((i + 1) % stride != 0 && i + 1 != count)
            continue;
        SetProgramText(eStartDate, DateText(result.steps[i]));
        eStartDate->repaint();
    }
}

void TMainForm::MHelpContentsClick() {
    if (!prompts_.ShowHelpContents(HelpFile()))
        prompts_.ShowMessage(HelpFileFailedText);
}

void TMainForm::MHelpAboutClick() {
    prompts_.ShowAbout();
}

void TMainForm::FocusChanged(QWidget* now) {
    // Not a move to another control: the window losing the focus, a menu or another popup
    // opening, the menu bar taking the keyboard. The field is left when the focus comes back to
    // some other control than it.
    if (now == nullptr || now->window() != this || qobject_cast<QMenuBar*>(now) != nullptr)
        return;
    const QWidget* left = std::exchange(focusedControl_, now);
    if (left == eRotation && now != eRotation)
        eRotationExit();
}

void TMainForm::SetProgramText(QLineEdit* field, const QString& text) {
    const bool outer = std::exchange(programChange_, true);
    field->setText(text);
    programChange_ = outer;
    // Show the start of a long rotation, not its end.
    if (!field->hasFocus())
        field->setCursorPosition(0);
}

void TMainForm::ShowErrorBox(const QString& error) {
    prompts_.ShowError(ErrorBoxText(error));
}

DayNumber TMainForm::Today() const {
    return TodayDayNumber(clock_);
}

DayNumber TMainForm::FirstOfCurrentMonth() const {
    const CalendarDate today = DayNumberToDate(Today());
    return DateToDayNumber(1, today.month, today.year, Settings.Epoch);
}

int TMainForm::CurrentYear() const {
    return clock_.Today().year;
}

QString TMainForm::DateText(DayNumber day) const {
    return FormatDate(dateFormat_, DayNumberToDate(day));
}

QString TMainForm::HelpFile() const {
    return HelpFileForProgram(platform_.ProgramFile());
}

} // namespace kestro
