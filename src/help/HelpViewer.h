#pragma once

#include "help/HelpFile.h"

#include <QString>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kestro {

// Pages of a help file are addressed as kestro-help:/page.html, so that relative links and
// pictures resolve against the page that names them.
inline const QString HelpUrlScheme = QStringLiteral("kestro-help");
QUrl HelpUrl(const QString& path);

// A text browser that takes pages, style sheets and pictures from a help file instead of the
// disk. Links to web addresses go to the desktop's browser.
class THelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    using Fetch = std::function<HelpObject(const QString& path)>;

    explicit THelpBrowser(QWidget* parent);
    void setFetch(Fetch fetch) { fetch_ = std::move(fetch); }

    QVariant loadResource(int type, const QUrl& name) override;

private:
    void followLink(const QUrl& url);

    Fetch fetch_;
};

// The help window: the table of contents on the left, the page on the right. Not modal.
class THelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit THelpViewer(QWidget* parent = nullptr);

    // Shows an opened help file with its table of contents, at its first page.
    void showHelpFile(HelpArchive archive, std::vector<HelpTopic> topics);
    const QString& helpFile() const { return helpFile_; }
    // Shows a page named as the contents name it ("fields.html").
    void showTopic(const QString& local);

    QTreeWidget* contentsTree;
    THelpBrowser* browser;
    QToolButton* backButton;
    QToolButton* forwardButton;
    QToolButton* homeButton;

private:
    HelpObject fetch(const QString& path);
    void addTopics(QTreeWidgetItem* parentItem, const std::vector<HelpTopic>& topics);
    void selectTopicOf(const QUrl& url);
    void updateTitle();

    std::optional<HelpArchive> archive_;
    QString helpFile_;
    QString homePage_;
};

// The help window that is open now, or nullptr.
THelpViewer* OpenHelpViewer();

// Opens the help window at the table of contents of helpFile, or brings the open one to the
// front. False, and no window, when the file is missing, unreadable or has no contents.
bool ShowHelpContents(QWidget* parent, const QString& helpFile);

} // namespace kestro
