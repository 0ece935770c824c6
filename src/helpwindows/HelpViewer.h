#pragma once

#include "help/HelpFile.h"
#include "helpwindows/HelpPage.h"

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

// A text browser that takes pages, style sheets and pictures from a help file instead of the
// disk. Each page is read and checked before it is shown (HelpPage.h); a page beyond the bounds
// is shown as plain text under a line that says why. Links to web addresses go to the desktop's
// browser.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget* parent);
    // Where pages come from; forgets the page read before.
    void setFetch(FetchHelpObjects fetch) {
        fetch_ = std::move(fetch);
        page_ = {};
    }
    // Why the page shown is shown as plain text; empty when it is shown as written.
    const QString& refusal() const { return page_.refusal; }

    QVariant loadResource(int type, const QUrl& name) override;

protected:
    void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;

private:
    void followLink(const QUrl& url);

    FetchHelpObjects fetch_;
    PreparedPage page_;
};

// The help window: the table of contents on the left, the page on the right. Not modal.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Shows an opened help file with its table of contents, at its first page.
    void showHelpFile(HelpArchive archive, std::vector<HelpTopic> topics);
    const QString& helpFile() const { return helpFile_; }
    // Shows a page named as the contents name it ("fields.html").
    void showTopic(const QString& local);

    QTreeWidget* contentsTree;
    HelpBrowser* browser;
    QToolButton* backButton;
    QToolButton* forwardButton;
    QToolButton* homeButton;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::vector<HelpObject> fetch(const QStringList& paths);
    void addTopics(QTreeWidgetItem* parentItem, const std::vector<HelpTopic>& topics);
    void selectTopicOf(const QUrl& url);
    // Widens the contents pane (and the window with it) until every title shows in full.
    void fitContentsToTitles();
    void updateTitle();

    std::optional<HelpArchive> archive_;
    QString helpFile_;
    QString homePage_;
};

// Opens the help window at the table of contents of helpFile, or brings the open one to the
// front. False, and no window, when the file is missing, unreadable or has no contents.
bool ShowHelpContents(QWidget* parent, const QString& helpFile);

} // namespace kestro
