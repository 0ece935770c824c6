#include "app/MainForm.h"

#include "app/FileCommands.h"
#include "app/MonthGrid.h"
#include "app/Panel.h"
#include "app/Platform.h"
#include "app/UpDownArrows.h"
#include "app/WindowFonts.h"
#include "colors/AsciiCase.h"
#include "colors/ColorCommands.h"
#include "colors/ColorToQColor.h"
#include "help/HelpFile.h"
#include "rotation/EditRules.h"
#include "rotation/Retreat.h"
#include "settings/LoadSettings.h"
#include "settings/SaveSettings.h"

#include <QCloseEvent>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include <utility>

namespace kestro {

namespace {

constexpr ColorValue ButtonFace = 0xFF00000F;
constexpr int WindowRightMargin = 484; // from the screen's right edge to the window's left edge
constexpr int WindowTop = 10;
constexpr int StartUpEpoch = 1975;

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

QString Text(const char* latin1) {
    return QString::fromLatin1(latin1);
}

// The frame the window's outer widths are counted with: 8 pixels on either side.
constexpr int OuterFrameWidth = 16;
static_assert(ColorAreaShownWidth - OuterFrameWidth == ClientWidthColorsShown);
static_assert(ColorAreaHiddenWidth - OuterFrameWidth == ClientWidthColorsHidden);

const QString HelpFileFailedText = QStringLiteral("Unable to open Help file");

// A color as painted: nothing at all for "no color".
std::optional<QColor> PaintColor(ColorValue color, const QPalette& palette) {
    const QColor painted = ColorToQColor(color, palette);
    if (painted.alpha() == 0)
        return std::nullopt;
    return painted;
}

std::optional<GridKey> GridKeyOf(int key) {
    switch (key) {
    case Qt::Key_Left:
        return GridKey::Left;
    case Qt::Key_Right:
        return GridKey::Right;
    case Qt::Key_Up:
        return GridKey::Up;
    case Qt::Key_Down:
        return GridKey::Down;
    case Qt::Key_PageUp:
        return GridKey::PageUp;
    case Qt::Key_PageDown:
        return GridKey::PageDown;
    case Qt::Key_Home:
        return GridKey::Home;
    case Qt::Key_End:
        return GridKey::End;
    case Qt::Key_T:
        return GridKey::T;
    case Qt::Key_F5:
        return GridKey::F5;
    case Qt::Key_F1:
        return GridKey::F1;
    case Qt::Key_Help:
        return GridKey::Help;
    default:
        return std::nullopt;
    }
}

KeyModifiers KeyModifiersOf(Qt::KeyboardModifiers modifiers) {
    return {modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::AltModifier),
            modifiers.testFlag(Qt::ControlModifier)};
}

QLabel* MakeLabel(const QString& caption, const QRect& geometry, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setTextFormat(Qt::PlainText);
    // Labels are as wide as their text, at least as wide as laid out.
    label->setGeometry(geometry.x(), geometry.y(),
                       std::max(geometry.width(), label->sizeHint().width()), geometry.height());
    return label;
}

QLineEdit* MakeEdit(const QString& accessibleName, const QRect& geometry, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setGeometry(geometry);
    edit->setAccessibleName(accessibleName);
    return edit;
}

QPushButton* MakeButton(const QString& caption, const QRect& geometry, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(geometry);
    // A click moves the focus to the button first, so that a field's exit handler runs before
    // the click; Enter presses the focused button.
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoDefault(true);
    return button;
}

Panel* MakeColorPanel(const QString& caption, const QRect& geometry, QWidget* parent) {
    auto* panel = new Panel(Panel::Bevel::Raised, Qt::AlignCenter, parent);
    panel->setGeometry(geometry);
    panel->setFont(BoldWindowFont());
    panel->SetCaption(caption);
    return panel;
}

} // namespace

TMainForm::TMainForm(Platform& platform, Clock& clock, Prompts& prompts, StartupState startup,
                     ShortDateFormat dateFormat, QWidget* parent)
    : QMainWindow(parent), Startup(std::move(startup)), platform_(platform), clock_(clock),
      prompts_(prompts), dateFormat_(std::move(dateFormat)) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    CreateControls();
    CreateMenu();
    SetTabOrder();
    FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::CreateControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFont(WindowFont());
    QPalette buttonFace = client->palette();
    buttonFace.setColor(QPalette::Window, buttonFace.color(QPalette::Button));
    client->setPalette(buttonFace);
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    // Labels first: the fields lie above them where a wide font makes them meet.
    Label1 = MakeLabel(QStringLiteral("Number of Platoons: "), {12, 8, 99, 13}, client);
    Label2 = MakeLabel(QStringLiteral("Days in Rotation: "), {12, 40, 84, 13}, client);
    Label4 = MakeLabel(QStringLiteral("Start Date: "), {12, 72, 54, 13}, client);
    Label3 = MakeLabel(QStringLiteral("Shift Rotation: "), {12, 104, 70, 13}, client);
    // The color commands' report grows to the right; it may take the rest of the wide window.
    lColor = MakeLabel(QStringLiteral("."), {280, 114, ClientWidthColorsShown - 280, 13}, client);

    eNumPlt = MakeEdit(QStringLiteral("Number of Platoons"), {120, 5, 33, 21}, client);
    eRotDays = MakeEdit(QStringLiteral("Days in Rotation"), {120, 37, 33, 21}, client);
    eStartDate = MakeEdit(QStringLiteral("Start Date"), {92, 69, 89, 21}, client);
    eRotation = MakeEdit(QStringLiteral("Shift Rotation"), {91, 101, 155, 21}, client);
    bApply = MakeButton(QStringLiteral("&Apply &Rotation"), {24, 144, 105, 25}, client);
    bColors = MakeButton(QStringLiteral("&Set Colors"), {144, 144, 83, 25}, client);

    pHeader = new Panel(Panel::Bevel::DoubleLowered, Qt::AlignTop | Qt::AlignHCenter, client);
    pHeader->setGeometry(6, 176, 242, 41);
    pHeader->SetFill(ButtonFace);
    pHeader->setAccessibleName(QStringLiteral("Month"));
    bToday = MakeButton(QStringLiteral("&T"), {6, 4, 21, 21}, pHeader);
    bToday->setAccessibleName(QStringLiteral("Today"));
    udMon = new UpDownArrows(pHeader);
    udMon->setGeometry(220, 4, 17, 21);
    udMon->setAccessibleName(QStringLiteral("Month up-down"));

    dgCal = new MonthGrid(client);
    dgCal->setGeometry(6, 220, 242, 155);
    dgCal->setAccessibleName(QStringLiteral("Month days"));

    bRetreat = MakeButton(QStringLiteral("Retreat Start Date"), {280, 8, 121, 25}, client);
    eRetreatDate = MakeEdit(QStringLiteral("Retreat to date"), {280, 40, 121, 21}, client);
    bBkGr = MakeButton(QStringLiteral("Background"), {280, 136, 75, 25}, client);
    pBkGr = MakeColorPanel(QStringLiteral("Bk"), {368, 136, 33, 25}, client);
    pLdTr = MakeColorPanel(QStringLiteral("L-T"), {408, 136, 33, 25}, client);
    pBkGr->setAccessibleName(QStringLiteral("Background color"));
    pLdTr->setAccessibleName(QStringLiteral("Leading and trailing days color"));
    for (std::size_t row = 0; row < 6; ++row) {
        const int top = 168 + 32 * int(row);
        const QString letter(QChar(LettersOf(LetterSet::AToF)[row]));
        bPlt[row] = MakeButton(letter + QStringLiteral(" Platoon"), {280, top, 75, 25}, client);
        pPlt[row] = MakeColorPanel(letter, {368, top, 33, 25}, client);
        pInv[row] = MakeColorPanel(letter, {408, top, 33, 25}, client);
        if (row >= 2) {
            bPlt[row]->hide();
            pPlt[row]->hide();
            pInv[row]->hide();
        }
    }

    const auto names = {std::pair<QObject*, const char*>{Label1, "Label1"},
                        {eNumPlt, "eNumPlt"},
                        {Label2, "Label2"},
                        {eRotDays, "eRotDays"},
                        {Label4, "Label4"},
                        {eStartDate, "eStartDate"},
                        {Label3, "Label3"},
                        {eRotation, "eRotation"},
                        {bApply, "bApply"},
                        {bColors, "bColors"},
                        {pHeader, "pHeader"},
                        {bToday, "bToday"},
                        {udMon, "udMon"},
                        {dgCal, "dgCal"},
                        {bRetreat, "bRetreat"},
                        {eRetreatDate, "eRetreatDate"},
                        {lColor, "lColor"},
                        {bBkGr, "bBkGr"},
                        {pBkGr, "pBkGr"},
                        {pLdTr, "pLdTr"}};
    for (const auto& [object, name] : names)
        object->setObjectName(Text(name));
    for (std::size_t row = 0; row < 6; ++row) {
        const QString letter(QChar(LettersOf(LetterSet::AToF)[row]));
        bPlt[row]->setObjectName(QLatin1Char('b') + letter + QStringLiteral("Plt"));
        pPlt[row]->setObjectName(QLatin1Char('p') + letter + QStringLiteral("Plt"));
        pInv[row]->setObjectName(QLatin1Char('p') + letter + QStringLiteral("Inv"));
    }

    dgCal->drawCell = [this](QPainter& painter, int column, int row, const QRect& cell) {
        dgCalDrawCell(painter, column, row, cell);
    };
    dgCal->keyDown = [this](int key, Qt::KeyboardModifiers modifiers) {
        dgCalKeyDown(key, modifiers);
    };
    udMon->onClick = [this](UpDownArrow arrow) { udMonClick(arrow); };
    connect(bToday, &QPushButton::clicked, this, &TMainForm::bTodayClick);
    connect(eNumPlt, &QLineEdit::textChanged, this, &TMainForm::eNumPltChange);
    connect(eRotDays, &QLineEdit::textChanged, this, &TMainForm::eRotDaysChange);
    connect(eRotation, &QLineEdit::textChanged, this, &TMainForm::eRotationChange);
    connect(eStartDate, &QLineEdit::textChanged, this, &TMainForm::eStartDateChange);
    connect(bApply, &QPushButton::clicked, this, &TMainForm::bApplyClick);
    connect(bRetreat, &QPushButton::clicked, this, &TMainForm::bRetreatClick);
    connect(bColors, &QPushButton::clicked, this, &TMainForm::bColorsClick);
    connect(bBkGr, &QPushButton::clicked, this, &TMainForm::bBkGrClick);
    void (TMainForm::*const platoonClicks[6])() = {&TMainForm::bAPltClick, &TMainForm::bBPltClick,
                                                   &TMainForm::bCPltClick, &TMainForm::bDPltClick,
                                                   &TMainForm::bEPltClick, &TMainForm::bFPltClick};
    for (std::size_t row = 0; row < 6; ++row)
        connect(bPlt[row], &QPushButton::clicked, this, platoonClicks[row]);
    eRotation->installEventFilter(this);
}

void TMainForm::CreateMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("MFile"));
    MFileNew = file->addAction(QStringLiteral("&New"));
    MFileOpen = file->addAction(QStringLiteral("&Ini File..."));
    MFileSave = file->addAction(QStringLiteral("&Save"));
    MFileSaveAs = file->addAction(QStringLiteral("Save &As..."));
    file->addSeparator()->setObjectName(QStringLiteral("N1"));
    MFileExit = file->addAction(QStringLiteral("E&xit"));
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("MHelp"));
    MHelpContents = help->addAction(QStringLiteral("&Contents"));
    MHelpAbout = help->addAction(QStringLiteral("&About..."));
    const auto names = {std::pair<QAction*, const char*>{MFileNew, "MFileNew"},
                        {MFileOpen, "MFileOpen"},
                        {MFileSave, "MFileSave"},
                        {MFileSaveAs, "MFileSaveAs"},
                        {MFileExit, "MFileExit"},
                        {MHelpContents, "MHelpContents"},
                        {MHelpAbout, "MHelpAbout"}};
    for (const auto& [action, name] : names)
        action->setObjectName(Text(name));

    connect(MFileNew, &QAction::triggered, this, &TMainForm::MFileNewClick);
    connect(MFileOpen, &QAction::triggered, this, &TMainForm::MFileOpenClick);
    connect(MFileSave, &QAction::triggered, this, &TMainForm::MFileSaveClick);
    connect(MFileSaveAs, &QAction::triggered, this, &TMainForm::MFileSaveAsClick);
    connect(MFileExit, &QAction::triggered, this, &TMainForm::MFileExitClick);
    connect(MHelpContents, &QAction::triggered, this, &TMainForm::MHelpContentsClick);
    connect(MHelpAbout, &QAction::triggered, this, &TMainForm::MHelpAboutClick);
}

void TMainForm::SetTabOrder() {
    QWidget* const order[] = {eNumPlt,      eRotDays, eStartDate, eRotation, bApply,  bColors,
                              eRetreatDate, bRetreat, bBkGr,      bPlt[0],   bPlt[1], bPlt[2],
                              bPlt[3],      bPlt[4],  bPlt[5],    bToday,    dgCal};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TMainForm::FormCreate() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().width() - WindowRightMargin, WindowTop);
    const int menuHeight = menuBar()->isNativeMenuBar() ? 0 : menuBar()->sizeHint().height();
    setMinimumSize(ClientMinimumWidth, menuHeight + ClientHeight);
    setMaximumSize(ClientWidthColorsShown, menuHeight + ClientMaximumHeight);
    resize(ClientWidthColorsHidden, menuHeight + ClientHeight);

    View = InitialMonthView(Today());
    LocateSettingsFile(Startup, platform_);

    DayNumber dateToShow = InvalidDay;
    if (!Startup.SettingsPath.isEmpty() && QFileInfo(Startup.SettingsPath).isFile()) {
        LoadSettings(Startup.SettingsPath);
        dateToShow = Settings.StartDay;
    } else {
        const CalendarDate today = clock_.Today();
        const ScheduleSettings startUp =
            NoFileSettings(DateToDayNumber(1, today.month, today.year, StartUpEpoch));
        const kestro::LetterSet letterSet = Settings.LetterSet;
        Settings = startUp;
        Settings.LetterSet = letterSet;
        dateToShow = Settings.StartDay;
        UpdateMonthHeader();
    }
    setWindowTitle(EditingCaption(Startup.SettingsPath));
    FillControls(dateToShow);
    dgCal->SetCellSize(GridCellSize(dgCal->size()));
    ColorsShown = false;
    SettingsModified = false;
    BackgroundChanged = false;
    dgCal->setFocus();
}

void TMainForm::LoadSettings(const QString& path) {
    const LoadOutcome outcome = kestro::LoadSettings(path, Settings, dateFormat_, clock_);
    EmptyColorReport();
    if (outcome.letterSetFromRotation) {
        RefreshPlatoonCaptions();
        RefreshPlatoonRows();
    }
    if (outcome.startDateInvalid) {
        QString message = QString::fromLatin1(InvalidStartDateMessage);
        message.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        prompts_.ShowMessage(message);
    }
    if (!outcome.cutKeys.isEmpty())
        prompts_.ShowMessage(CutValuesMessage(outcome.cutKeys));
    RedrawMonthView();
}

void TMainForm::FillControls(DayNumber dateToShow) {
    SetProgramText(eNumPlt, QString::number(Settings.NumberOfPlatoons));
    SetProgramText(eRotDays, QString::number(Settings.DaysInRotation));
    SetProgramText(eRotation, Settings.ShiftRotation);
    SetProgramText(eStartDate, DateText(dateToShow));
    SetProgramText(eRetreatDate, DateText(dateToShow));
    RefreshPanelColors();
    RefreshPlatoonCaptions();
    RefreshPlatoonRows();
}

void TMainForm::RefreshPanelColors() {
    pBkGr->SetFill(Settings.BkGr);
    pBkGr->SetCaptionColor(Settings.LdTr);
    pLdTr->SetFill(Settings.BkGr);
    pLdTr->SetCaptionColor(Settings.LdTr);
    const auto letters = LettersOf(Settings.LetterSet);
    for (std::size_t row = 0; row < 6; ++row) {
        const ColorPair& pair = Settings.PlatoonColors[letters[row]];
        pPlt[row]->SetFill(Settings.BkGr);
        pPlt[row]->SetCaptionColor(pair.normal);
        pInv[row]->SetFill(pair.normal);
        pInv[row]->SetCaptionColor(pair.inverse);
    }
}

void TMainForm::RefreshPlatoonCaptions() {
    const auto& captions = PlatoonCaptions[int(Settings.LetterSet)];
    for (std::size_t row = 0; row < 6; ++row) {
        const QString panel = Text(captions[row].panel);
        bPlt[row]->setText(Text(captions[row].button));
        pPlt[row]->SetCaption(panel);
        pInv[row]->SetCaption(panel);
        pPlt[row]->setAccessibleName(panel + QStringLiteral(" color"));
        pInv[row]->setAccessibleName(panel + QStringLiteral(" inverse color"));
    }
}

void TMainForm::RefreshPlatoonRows() {
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

void TMainForm::UpdateMonthHeader() {
    pHeader->SetCaptionFont(PreviewFont(HeaderFont(Settings)));
    pHeader->SetCaptionColor(HeaderFontColor(Settings));
    pHeader->SetCaption(MonthHeaderCaption(Settings, View, dateFormat_));
}

void TMainForm::RedrawMonthView() {
    UpdateMonthHeader();
    dgCal->update();
}

void TMainForm::dgCalDrawCell(QPainter& painter, int column, int row, const QRect& cell) {
    const CellColors colors = CellColorsOf(Settings, View, column, row);
    const std::optional<QColor> fill = PaintColor(colors.fill, dgCal->palette());
    const std::optional<QColor> text = PaintColor(colors.text, dgCal->palette());
    if (fill)
        painter.fillRect(cell, *fill);

    const QString caption = CellText(CellToDate(Settings, View, column, row));
    if (!text || caption.isEmpty())
        return;
    const QFont font = PreviewFont(CellFont(Settings));
    const QFontMetrics metrics(font);
    const QSize size(metrics.horizontalAdvance(caption), metrics.height());
    const QPoint origin =
        CellTextOrigin(cell, dgCal->cellSize.width(), dgCal->cellSize.height(), size);
    painter.setFont(font);
    painter.setPen(*text);
    if (fill) {
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(*fill);
    }
    painter.drawText(QRect(origin, size), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     caption);
}

void TMainForm::dgCalKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    const GridKeyOutcome outcome =
        MoveByGridKey(Settings, View, GridKeyOf(key).value_or(GridKey::Other),
                      KeyModifiersOf(modifiers), Today());
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
    const IntegerReading reading = ReadIntegerField(eNumPlt->text());
    if (!reading.value) {
        ShowErrorBox(reading.error);
        return;
    }
    Settings.NumberOfPlatoons = *reading.value;
    RefreshPanelColors();
    RefreshPlatoonCaptions();
    RefreshPlatoonRows();
    EmptyColorReport();
}

void TMainForm::eRotDaysChange() {
    if (!UserEdit())
        return;
    SettingsModified = true;
    const IntegerReading reading = ReadIntegerField(eRotDays->text());
    if (!reading.value) {
        ShowErrorBox(reading.error);
        return;
    }
    Settings.DaysInRotation = *reading.value;
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

void TMainForm::bApplyClick() {
    const ApplyResult result = ApplyRotation(
        Settings, {eNumPlt->text(), eRotDays->text(), eRotation->text(), eStartDate->text()},
        dateFormat_, CurrentYear());
    switch (result.outcome) {
    case ApplyOutcome::LengthMismatch:
        prompts_.ShowMessage(result.message);
        return;
    case ApplyOutcome::NotAnInteger:
    case ApplyOutcome::NotADate:
        ShowErrorBox(result.message);
        return;
    case ApplyOutcome::Applied:
        break;
    }
    RefreshPanelColors();
    RefreshPlatoonCaptions();
    RefreshPlatoonRows();
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

void TMainForm::bColorsClick() {
    const IntegerReading platoons = ReadIntegerField(eNumPlt->text());
    if (!platoons.value) {
        ShowErrorBox(platoons.error);
        return;
    }
    Settings.NumberOfPlatoons = *platoons.value;
    const IntegerReading days = ReadIntegerField(eRotDays->text());
    if (!days.value) {
        ShowErrorBox(days.error);
        return;
    }
    Settings.DaysInRotation = *days.value;
    Settings.ShiftRotation = eRotation->text();

    const ColorAreaView view = ToggleColorArea(ColorsShown);
    ColorsShown = view.shown;
    resize(view.outerWidth - OuterFrameWidth, height());
    bColors->setText(view.buttonCaption);
    if (ColorsShown) {
        RefreshPanelColors();
        RefreshPlatoonCaptions();
        RefreshPlatoonRows();
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
            panel->SetCaptionColor(Settings.LdTr);
        }
        for (Panel* panel : pPlt)
            panel->SetFill(Settings.BkGr);
    }
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
    ShowColorReport(PlatoonReport(Settings, row));
    RedrawMonthView();
}

void TMainForm::MFileNewClick() {
    const DayNumber firstOfMonth = FirstOfCurrentMonth();
    ResetToNewSchedule(Settings, firstOfMonth);
    View.CursorDay = firstOfMonth;
    Startup.SettingsPath.clear();
    setWindowTitle(NewScheduleCaption);
    EmptyColorReport();
    FillControls(firstOfMonth);
    SettingsModified = false;
    BackgroundChanged = false;
    RedrawMonthView();
}

void TMainForm::MFileOpenClick() {
    const std::optional<QString> chosen =
        prompts_.AskOpenFileName(OpenDialogRequest(Startup.SettingsFolder, Startup.SettingsPath));
    if (!chosen)
        return;
    Startup.SettingsPath = AbsoluteName(*chosen);
    Startup.SettingsFolder = EnsureTrailingSeparator(QFileInfo(Startup.SettingsPath).path());
    LoadSettings(Startup.SettingsPath);
    SetProgramText(eNumPlt, QString::number(Settings.NumberOfPlatoons));
    SetProgramText(eRotDays, QString::number(Settings.DaysInRotation));
    SetProgramText(eRotation, Settings.ShiftRotation);
    SetProgramText(eStartDate, DateText(Settings.StartDay));
    SetProgramText(eRetreatDate, DateText(Settings.StartDay));
    // Loaded as it is; only the user is told.
    if (Settings.DaysInRotation != eRotation->text().size())
        prompts_.ShowMessage(OpenMismatchText);
    RefreshPanelColors();
    RefreshPlatoonCaptions();
    RefreshPlatoonRows();
    setWindowTitle(EditingCaption(*chosen));
    SettingsModified = false;
    BackgroundChanged = false;
    RedrawMonthView();
}

void TMainForm::MFileSaveClick() {
    const std::optional<QString> chosen =
        prompts_.AskSaveFileName(SaveDialogRequest(Startup.SettingsFolder, Startup.SettingsPath));
    if (!chosen)
        return;
    Startup.SettingsPath = AbsoluteName(*chosen);
    SaveSettings(Startup.SettingsPath);
}

void TMainForm::MFileSaveAsClick() {
    MFileSaveClick();
}

void TMainForm::MFileExitClick() {
    close();
}

bool TMainForm::FormCloseQuery() {
    if (!SettingsModified || Startup.SettingsPath.isEmpty())
        return true;
    if (!prompts_.AskYesNo(ExitPromptTitle, ExitPromptText(Startup.SettingsPath)))
        return true;
    // The user wants the changes kept: after a failed save the window stays open with them.
    return SaveSettings(Startup.SettingsPath);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

void TMainForm::MHelpContentsClick() {
    if (!prompts_.ShowHelpContents(HelpFile()))
        prompts_.ShowMessage(HelpFileFailedText);
}

void TMainForm::MHelpAboutClick() {
    prompts_.ShowAbout();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == eRotation && event->type() == QEvent::FocusOut) {
        // Leaving the field for another control; not the window losing the focus, nor the
        // field's own context menu opening.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            eRotationExit();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::SetProgramText(QLineEdit* field, const QString& text) {
    const bool outer = std::exchange(programChange_, true);
    field->setText(text);
    programChange_ = outer;
    // Show the start of a long rotation, not its end.
    if (!field->hasFocus())
        field->setCursorPosition(0);
}

void TMainForm::EmptyColorReport() {
    lColor->setText(QString());
    lColor->repaint();
}

void TMainForm::ShowColorReport(const QString& report) {
    lColor->setText(report);
    lColor->repaint();
}

bool TMainForm::SaveSettings(const QString& path) {
    const ScheduleFieldTexts fields{eNumPlt->text(), eRotDays->text(), eRotation->text(),
                                    eStartDate->text()};
    if (!SaveSettingsFile(path, fields, Settings, BackgroundChanged, dateFormat_)) {
        prompts_.ShowMessage(QString::fromLatin1(SaveFailedMessage));
        return false;
    }
    SettingsModified = false;
    BackgroundChanged = false;
    return true;
}

QString TMainForm::AbsoluteName(const QString& name) const {
    return QDir::cleanPath(QDir(platform_.CurrentFolder()).absoluteFilePath(name));
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
