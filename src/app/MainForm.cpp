#include "app/MainForm.h"

#include "colors/ColorNames.h"
#include "widgets/AccessKeys.h"
#include "widgets/MonthGrid.h"
#include "widgets/Panel.h"
#include "widgets/UpDownArrows.h"
#include "widgets/WindowFonts.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>

#include <utility>

namespace kestro {

namespace {

constexpr ColorValue ButtonFace = 0xFF00000F;

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
    NameControls();
    ConnectControls();
    CreateMenu();
    SetTabOrder();
    FormCreate();
}

TMainForm::~TMainForm() {
    // The focus moves while the controls go; this window no longer cares.
    disconnect(qApp, nullptr, this, nullptr);
}

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

    eNumPlt = MakeEdit(QStringLiteral("Number of Platoons"), {120, 5, 33, 21}, client);
    eRotDays = MakeEdit(QStringLiteral("Days in Rotation"), {120, 37, 33, 21}, client);
    eStartDate = MakeEdit(QStringLiteral("Start Date"), {92, 69, 89, 21}, client);
    eRotation = MakeEdit(QStringLiteral("Shift Rotation"), {91, 101, 155, 21}, client);
    bApply = MakeButton(QStringLiteral("&Apply &Rotation"), {24, 144, 105, 25}, client);
    // Two access keys: screen readers would say the second ampersand.
    bApply->setAccessibleName(QStringLiteral("Apply Rotation"));
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

    // The color area lies beyond the window's first width: it is made once the first frame is
    // painted (or before, when something needs it), not before the window shows.
    client->installEventFilter(this);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        // Queued: runs once this frame has been painted and flushed.
        QMetaObject::invokeMethod(this, &TMainForm::EnsureColorArea, Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::EnsureColorArea() {
    if (!colorAreaMade_)
        CreateColorArea();
}

void TMainForm::CreateColorArea() {
    colorAreaMade_ = true;
    QWidget* client = centralWidget();
    // The color commands' report grows to the right; it may take the rest of the wide window.
    lColor = MakeLabel(colorReport_, {280, 114, ClientWidthColorsShown - 280, 13}, client);
    bRetreat = MakeButton(QStringLiteral("Retreat Start Date"), {280, 8, 121, 25}, client);
    eRetreatDate = MakeEdit(QStringLiteral("Retreat to date"), {280, 40, 121, 21}, client);
    bBkGr = MakeButton(QStringLiteral("Background"), {280, 136, 75, 25}, client);
    pBkGr = MakeColorPanel(QStringLiteral("Bk"), {368, 136, 33, 25}, client);
    pLdTr = MakeColorPanel(QStringLiteral("L-T"), {408, 136, 33, 25}, client);
    pBkGr->setAccessibleName(QStringLiteral("Background color"));
    pLdTr->setAccessibleName(QStringLiteral("Leading and trailing days color"));
    for (QWidget* control :
         std::initializer_list<QWidget*>{lColor, bRetreat, eRetreatDate, bBkGr, pBkGr, pLdTr})
        control->show(); // made after the window was shown, they do not show with it
    for (std::size_t row = 0; row < 6; ++row) {
        const int top = 168 + 32 * int(row);
        const QString letter(QChar(LettersOf(LetterSet::AToF)[row]));
        bPlt[row] = MakeButton(letter + QStringLiteral(" Platoon"), {280, top, 75, 25}, client);
        pPlt[row] = MakeColorPanel(letter, {368, top, 33, 25}, client);
        pInv[row] = MakeColorPanel(letter, {408, top, 33, 25}, client);
    }

    const auto names = {std::pair<QObject*, const char*>{bRetreat, "bRetreat"},
                        {eRetreatDate, "eRetreatDate"},
                        {lColor, "lColor"},
                        {bBkGr, "bBkGr"},
                        {pBkGr, "pBkGr"},
                        {pLdTr, "pLdTr"}};
    for (const auto& [object, name] : names)
        object->setObjectName(QString::fromLatin1(name));
    for (std::size_t row = 0; row < 6; ++row) {
        const QString letter(QChar(LettersOf(LetterSet::AToF)[row]));
        bPlt[row]->setObjectName(QLatin1Char('b') + letter + QStringLiteral("Plt"));
        pPlt[row]->setObjectName(QLatin1Char('p') + letter + QStringLiteral("Plt"));
        pInv[row]->setObjectName(QLatin1Char('p') + letter + QStringLiteral("Inv"));
    }

    connect(bRetreat, &QPushButton::clicked, this, &TMainForm::bRetreatClick);
    connect(bBkGr, &QPushButton::clicked, this, &TMainForm::bBkGrClick);
    void (TMainForm::*const platoonClicks[6])() = {&TMainForm::bAPltClick, &TMainForm::bBPltClick,
                                                   &TMainForm::bCPltClick, &TMainForm::bDPltClick,
                                                   &TMainForm::bEPltClick, &TMainForm::bFPltClick};
    for (std::size_t row = 0; row < 6; ++row)
        connect(bPlt[row], &QPushButton::clicked, this, platoonClicks[row]);

    // Between the Set Colors button and the T button, as if made with the rest.
    QWidget* const order[] = {bColors, eRetreatDate, bRetreat, bBkGr,   bPlt[0], bPlt[1],
                              bPlt[2], bPlt[3],      bPlt[4],  bPlt[5], bToday};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    SetProgramText(eRetreatDate, retreatDateText_);
    RefreshColorArea();
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    // Wide enough to show the color area.
    if (event->size().width() > ClientWidthColorsHidden)
        EnsureColorArea();
    QMainWindow::resizeEvent(event);
}

bool TMainForm::focusNextPrevChild(bool next) {
    // Tab reaches the color area's controls also while they lie beyond the window's edge.
    EnsureColorArea();
    return QMainWindow::focusNextPrevChild(next);
}

void TMainForm::NameControls() {
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
                        {dgCal, "dgCal"}};
    for (const auto& [object, name] : names)
        object->setObjectName(QString::fromLatin1(name));
}

void TMainForm::ConnectControls() {
    dgCal->drawCell = [this](QPainter& painter, int column, int row, const QRect& cell) {
        dgCalDrawCell(painter, column, row, cell);
    };
    dgCal->keyDown = [this](GridKey key, KeyModifiers modifiers) { dgCalKeyDown(key, modifiers); };
    dgCal->cellName = [this](int column, int row) {
        return CellAccessibleName(Settings, View, column, row);
    };
    udMon->onClick = [this](UpDownArrow arrow) { udMonClick(arrow); };
    connect(bToday, &QPushButton::clicked, this, &TMainForm::bTodayClick);
    connect(eNumPlt, &QLineEdit::textChanged, this, &TMainForm::eNumPltChange);
    connect(eRotDays, &QLineEdit::textChanged, this, &TMainForm::eRotDaysChange);
    connect(eRotation, &QLineEdit::textChanged, this, &TMainForm::eRotationChange);
    connect(eStartDate, &QLineEdit::textChanged, this, &TMainForm::eStartDateChange);
    connect(bApply, &QPushButton::clicked, this, &TMainForm::bApplyClick);
    connect(bColors, &QPushButton::clicked, this, &TMainForm::bColorsClick);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { FocusChanged(now); });
    new AccessKeys(this);
}

void TMainForm::CreateMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("MFile"));
    MFileNew = file->addAction(QStringLiteral("&New"));
    MFileOpen = file->addAction(QStringLiteral("&Ini File..."));
    MFileSave = file->addAction(QStringLiteral("&Save"));
    MFileSaveAs = file->addAction(QStringLiteral("Save &As..."));
    CreateShareMenu(file);
    file->addSeparator()->setObjectName(QStringLiteral("N1"));
    MFileExit = file->addAction(QStringLiteral("E&xit"));
    QMenu* plan = menuBar()->addMenu(QStringLiteral("&Plan"));
    plan->setObjectName(QStringLiteral("MPlan"));
    CreatePlanningMenu(plan);
    CreateSummaryMenu(plan);
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
        action->setObjectName(QString::fromLatin1(name));

    connect(MFileNew, &QAction::triggered, this, &TMainForm::MFileNewClick);
    connect(MFileOpen, &QAction::triggered, this, &TMainForm::MFileOpenClick);
    connect(MFileSave, &QAction::triggered, this, &TMainForm::MFileSaveClick);
    connect(MFileSaveAs, &QAction::triggered, this, &TMainForm::MFileSaveAsClick);
    connect(MFileExit, &QAction::triggered, this, &TMainForm::MFileExitClick);
    connect(MHelpContents, &QAction::triggered, this, &TMainForm::MHelpContentsClick);
    connect(MHelpAbout, &QAction::triggered, this, &TMainForm::MHelpAboutClick);
}

void TMainForm::SetTabOrder() {
    // The color area's controls come between bColors and bToday (CreateColorArea).
    QWidget* const order[] = {eNumPlt, eRotDays, eStartDate, eRotation,
                              bApply,  bColors,  bToday,     dgCal};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

} // namespace kestro
