#include "helpwindows/HelpViewer.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QPointer>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace kestro {

namespace {

constexpr int LocalRole = Qt::UserRole;
constexpr int WindowWidth = 780;
constexpr int ContentsPaneWidth = 210; // at the default font; wider when a title needs it

QPointer<HelpViewer>& CurrentViewer() {
    static QPointer<HelpViewer> viewer;
    return viewer;
}

// How many reads of the help file are waiting for the reader program right now.
int readsWaiting = 0;

// While a read waits, the program's windows go on drawing and its timers run; the user's input
// waits for the read to end, so that nothing the user does can start another read meanwhile.
void KeepWindowsDrawn() {
    ++readsWaiting;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    --readsWaiting;
}

const HelpTopic* FirstPage(const std::vector<HelpTopic>& topics) {
    for (const HelpTopic& topic : topics) {
        if (!topic.local.isEmpty())
            return &topic;
        if (const HelpTopic* child = FirstPage(topic.children))
            return child;
    }
    return nullptr;
}

} // namespace

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::followLink);
}

void HelpBrowser::followLink(const QUrl& url) {
    if (url.scheme() == HelpUrlScheme) {
        setSource(url);
        return;
    }
    const QString scheme = url.scheme().toLower();
    if (scheme == "http"_L1 || scheme == "https"_L1 || scheme == "mailto"_L1)
        QDesktopServices::openUrl(url);
}

void HelpBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type) {
    // The page and everything it shows are read now, while waiting is safe; drawing the page
    // later only takes what was read here.
    if (name.scheme() == HelpUrlScheme &&
        NormalizeHelpPath(name.path(QUrl::FullyDecoded)) != page_.path) {
        const FetchHelpObjects nothing = [](const QStringList& paths) {
            return std::vector<HelpObject>(std::size_t(paths.size()),
                                           HelpObject{{}, u"No help file is open."_s});
        };
        page_ = PrepareHelpPage(name, fetch_ ? fetch_ : nothing);
    }
    QTextBrowser::doSetSource(name, type);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    // Never reach out to the disk or the network: only the help file's own objects are shown.
    if (name.scheme() != HelpUrlScheme)
        return {};
    const QString path = NormalizeHelpPath(name.path(QUrl::FullyDecoded));
    if (type == QTextDocument::HtmlResource)
        return path == page_.path ? QVariant(page_.html) : QVariant();
    return page_.resources.value(path);
}

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(u"Kestro Help"_s);
    resize(WindowWidth, 540);

    backButton = new QToolButton(this);
    backButton->setText(u"Back"_s);
    backButton->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    backButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    backButton->setEnabled(false);
    forwardButton = new QToolButton(this);
    forwardButton->setText(u"Forward"_s);
    forwardButton->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    forwardButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    forwardButton->setEnabled(false);
    homeButton = new QToolButton(this);
    homeButton->setText(u"Home"_s);
    homeButton->setIcon(style()->standardIcon(QStyle::SP_DirHomeIcon));
    homeButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    contentsTree = new QTreeWidget(this);
    contentsTree->setHeaderHidden(true);
    contentsTree->setColumnCount(1);
    browser = new HelpBrowser(this);
    browser->setFetch([this](const QStringList& paths) { return fetch(paths); });

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(contentsTree);
    splitter->addWidget(browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({ContentsPaneWidth, WindowWidth - ContentsPaneWidth});

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(backButton);
    buttons->addWidget(forwardButton);
    buttons->addWidget(homeButton);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);

    connect(backButton, &QToolButton::clicked, browser, &QTextBrowser::backward);
    connect(forwardButton, &QToolButton::clicked, browser, &QTextBrowser::forward);
    connect(homeButton, &QToolButton::clicked, this, [this] { showTopic(homePage_); });
    connect(browser, &QTextBrowser::backwardAvailable, backButton, &QToolButton::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, forwardButton, &QToolButton::setEnabled);
    connect(browser, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
        selectTopicOf(url);
        updateTitle();
    });
    connect(contentsTree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item == nullptr)
            return;
        const QString local = item->data(0, LocalRole).toString();
        if (!local.isEmpty())
            showTopic(local);
    });
}

void HelpViewer::showHelpFile(HelpArchive archive, std::vector<HelpTopic> topics) {
    helpFile_ = archive.fileName;
    archive_ = std::move(archive);
    {
        const QSignalBlocker blocker(contentsTree);
        contentsTree->clear();
        addTopics(nullptr, topics);
        contentsTree->expandAll();
    }
    fitContentsToTitles();
    const HelpTopic* first = FirstPage(topics);
    homePage_ = first != nullptr ? first->local : u"index.html"_s;
    browser->setFetch([this](const QStringList& paths) { return fetch(paths); });
    browser->clearHistory();
    // Another help file's page of the same name is not the page of this one.
    if (!browser->source().isEmpty() && browser->source().path() == HelpUrl(homePage_).path())
        browser->reload();
    else
        showTopic(homePage_);
}

void HelpViewer::showTopic(const QString& local) {
    const QUrl url = HelpUrl(local);
    if (browser->source().path() == url.path() && !browser->source().isEmpty()) {
        if (url.hasFragment())
            browser->scrollToAnchor(url.fragment());
        return;
    }
    browser->setSource(url, QTextDocument::HtmlResource);
}

std::vector<HelpObject> HelpViewer::fetch(const QStringList& paths) {
    if (!archive_)
        return std::vector<HelpObject>(std::size_t(paths.size()),
                                       HelpObject{{}, u"No help file is open."_s});
    return ReadHelpObjects(*archive_, paths);
}

void HelpViewer::closeEvent(QCloseEvent* event) {
    // Closing destroys the window, which a read waiting below in the stack still uses: close once
    // the read is done.
    if (readsWaiting > 0) {
        event->ignore();
        QTimer::singleShot(50, this, &QWidget::close);
        return;
    }
    QWidget::closeEvent(event);
}

void HelpViewer::addTopics(QTreeWidgetItem* parentItem, const std::vector<HelpTopic>& topics) {
    for (const HelpTopic& topic : topics) {
        auto* item = parentItem != nullptr ? new QTreeWidgetItem(parentItem)
                                           : new QTreeWidgetItem(contentsTree);
        item->setText(0, topic.name.isEmpty() ? topic.local : topic.name);
        item->setData(0, LocalRole, topic.local);
        addTopics(item, topic.children);
    }
}

void HelpViewer::fitContentsToTitles() {
    auto* splitter = qobject_cast<QSplitter*>(contentsTree->parentWidget());
    if (splitter == nullptr)
        return;
    contentsTree->ensurePolished();
    // Titles, their indentation, the frame and room for a vertical scroll bar.
    contentsTree->resizeColumnToContents(0);
    const int needed = contentsTree->columnWidth(0) + 2 * contentsTree->frameWidth() +
                       contentsTree->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4;
    const int pane = std::max(ContentsPaneWidth, needed);
    resize(std::max(width(), WindowWidth - ContentsPaneWidth + pane), height());
    splitter->setSizes({pane, WindowWidth - ContentsPaneWidth});
}

void HelpViewer::selectTopicOf(const QUrl& url) {
    const QString path = NormalizeHelpPath(url.path(QUrl::FullyDecoded));
    QTreeWidgetItem* current = contentsTree->currentItem();
    if (current != nullptr && NormalizeHelpPath(current->data(0, LocalRole).toString()) == path)
        return;
    // The first entry that names the page; several entries may name the same page.
    for (QTreeWidgetItemIterator it(contentsTree); *it != nullptr; ++it) {
        if (NormalizeHelpPath((*it)->data(0, LocalRole).toString()) == path) {
            const QSignalBlocker blocker(contentsTree);
            contentsTree->setCurrentItem(*it);
            return;
        }
    }
    const QSignalBlocker blocker(contentsTree);
    contentsTree->setCurrentItem(nullptr);
}

void HelpViewer::updateTitle() {
    const QString title = browser->documentTitle();
    setWindowTitle(title.isEmpty() ? u"Kestro Help"_s : u"Kestro Help - "_s + title);
}

bool ShowHelpContents(QWidget* parent, const QString& helpFile) {
    QPointer<HelpViewer>& viewer = CurrentViewer();
    if (viewer.isNull() || viewer->helpFile() != helpFile) {
        HelpArchiveResult opened = OpenHelpArchive(helpFile, KeepWindowsDrawn);
        if (!opened.archive)
            return false;
        HelpContents contents = ReadHelpContents(*opened.archive);
        if (!contents.ok() || FirstPage(contents.topics) == nullptr)
            return false;
        if (viewer.isNull())
            viewer = new HelpViewer(parent);
        viewer->showHelpFile(std::move(*opened.archive), std::move(contents.topics));
    }
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    viewer->contentsTree->setFocus();
    return true;
}

} // namespace kestro
