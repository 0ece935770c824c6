#include "help/HelpPageText.h"

#include "help/HtmlTagReader.h"

#include <QStringDecoder>

#include <initializer_list>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace kestro {

namespace {

// Longest text kept from a page that is shown as plain text.
constexpr qsizetype MaxPlainTextChars = 64 * 1024;

// What Qt's table reader makes of colspan (rowspan it takes as it is).
constexpr int MaxQtColspan = 20480;

bool IsEmptyElement(const HtmlTagReader::Token& tag) {
    return tag.selfClosed || tag.name == "img"_L1 || tag.name == "br"_L1 || tag.name == "hr"_L1 ||
           tag.name == "meta"_L1;
}

bool IsOneOf(const QString& name, std::initializer_list<QLatin1StringView> names) {
    for (const QLatin1StringView n : names)
        if (name == n)
            return true;
    return false;
}

// Elements Qt lays out as blocks (unless a style sheet says otherwise); the rest are inline, not
// shown, or parts of a table.
bool IsBlock(const QString& name) {
    return IsOneOf(name, {"blockquote"_L1, "body"_L1, "caption"_L1, "center"_L1, "dd"_L1, "div"_L1,
                          "dl"_L1,         "dt"_L1,   "h1"_L1,      "h2"_L1,     "h3"_L1, "h4"_L1,
                          "h5"_L1,         "h6"_L1,   "hr"_L1,      "li"_L1,     "ol"_L1, "p"_L1,
                          "pre"_L1,        "qt"_L1,   "td"_L1,      "th"_L1,     "ul"_L1});
}

// Follows the elements of a page as Qt nests them (QTextHtmlParser::resolveParent): a cell goes
// into the nearest row, a row into the nearest table, a list item or paragraph closes the one it
// would nest in, a cell or row outside a row or table gets the table and row Qt makes up for it.
// Where Qt's choice depends on more than the names (a style sheet can make an inline element a
// block), paragraphs stay open here, which can only make the depth found larger.
class Structure {
public:
    explicit Structure(bool closeParagraphs) : closeParagraphs_(closeParagraphs) {}

    // False once the page is over a bound; reason says which.
    bool Add(const HtmlTagReader::Token& tag) {
        if (tag.kind == HtmlTagReader::Kind::Close) {
            const qsizetype at = FindName(tag.name);
            if (at >= 0)
                PopTo(at);
            return reason.isEmpty();
        }
        const QString& name = tag.name;
        if (name == "td"_L1 || name == "th"_L1) {
            if (Find({"tr"_L1}) < 0) {
                Push(u"table"_s);
                Push(u"tr"_s);
                StartRow();
            }
        } else if (name == "tr"_L1 && Find({"table"_L1}) < 0) {
            Push(u"table"_s);
        }
        if (name == "p"_L1 && closeParagraphs_) {
            qsizetype at = qsizetype(open_.size()) - 1;
            while (at >= 0 && !IsBlock(open_[std::size_t(at)].name))
                --at;
            if (at >= 0 && open_[std::size_t(at)].name == "p"_L1) {
                PopTo(at);
                reliedOnDisplay = true;
            }
        }
        if ((name == "li"_L1 || name == "p"_L1) && Top() == name) {
            PopTo(qsizetype(open_.size()) - 1);
            reliedOnDisplay = reliedOnDisplay || name == "p"_L1;
        }
        // Where Qt lets the element in: the nearest fitting parent, else the top.
        if (name == "td"_L1 || name == "th"_L1)
            PopAbove(Find({"tr"_L1}));
        else if (name == "tr"_L1)
            PopAbove(Find({"table"_L1, "thead"_L1, "tbody"_L1, "tfoot"_L1}));
        else if (IsOneOf(name, {"thead"_L1, "tbody"_L1, "tfoot"_L1, "caption"_L1}))
            PopAbove(Find({"table"_L1}));
        else if (name == "dd"_L1 || name == "dt"_L1)
            PopAbove(Find({"dl"_L1}));
        else if ((name == "body"_L1 || name == "qt"_L1) && Top() == "head"_L1)
            PopTo(qsizetype(open_.size()) - 1);

        if (name == "tr"_L1)
            StartRow();
        else if (name == "td"_L1 || name == "th"_L1)
            AddCell(tag);
        if (!IsEmptyElement(tag))
            Push(name);
        return reason.isEmpty();
    }

    // Closes what is still open; false when the page is over a bound.
    bool Finish() {
        PopTo(0);
        return reason.isEmpty();
    }

    QString reason;
    bool reliedOnDisplay = false;

private:
    struct Element {
        QString name;
        int table = -1; // index into tables_ when the element is a table
    };
    struct Table {
        qint64 rows = 0;
        qint64 rowWidth = 0;
        qint64 width = 0;
        qint64 spanned = 0; // columns taken by cells that reach into later rows
    };

    QString Top() const { return open_.empty() ? QString() : open_.back().name; }

    // The nearest open element of one of the names; -1 when none is open.
    qsizetype Find(std::initializer_list<QLatin1StringView> names) const {
        for (qsizetype i = qsizetype(open_.size()) - 1; i >= 0; --i)
            if (IsOneOf(open_[std::size_t(i)].name, names))
                return i;
        return -1;
    }

    qsizetype FindName(const QString& name) const {
        for (qsizetype i = qsizetype(open_.size()) - 1; i >= 0; --i)
            if (open_[std::size_t(i)].name == name)
                return i;
        return -1;
    }

    void Push(const QString& name) {
        Element element{name, -1};
        if (name == "table"_L1) {
            element.table = int(tables_.size());
            tables_.emplace_back();
        }
        open_.push_back(std::move(element));
        if (int(open_.size()) > MaxHelpPageDepth && reason.isEmpty())
            reason = u"its parts are nested more than %1 deep"_s.arg(MaxHelpPageDepth);
    }

    // Closes the element at `at` and all inside it.
    void PopTo(qsizetype at) {
        while (qsizetype(open_.size()) > qMax<qsizetype>(at, 0))
            Pop();
    }

    // Closes all inside the element at `at`; everything when at is -1.
    void PopAbove(qsizetype at) { PopTo(at + 1); }

    void Pop() {
        const int table = open_.back().table;
        open_.pop_back();
        if (table < 0)
            return;
        const Table& t = tables_[std::size_t(table)];
        const qint64 rows = qMax<qint64>(t.rows, t.width > 0 ? 1 : 0);
        cells_ += rows * (t.width + t.spanned);
        if (cells_ > MaxHelpTableCells && reason.isEmpty())
            reason = u"its tables have more than %1 cells"_s.arg(MaxHelpTableCells);
    }

    Table* Current() {
        for (auto it = open_.rbegin(); it != open_.rend(); ++it)
            if (it->table >= 0)
                return &tables_[std::size_t(it->table)];
        return nullptr;
    }

    void StartRow() {
        if (Table* table = Current()) {
            ++table->rows;
            table->rowWidth = 0;
        }
    }

    void AddCell(const HtmlTagReader::Token& tag) {
        Table* table = Current();
        if (table == nullptr)
            return;
        bool ok = false;
        int columns = Attribute(tag, "colspan"_L1).toInt(&ok);
        columns = ok ? qBound(1, columns, MaxQtColspan) : 1;
        const int rows = Attribute(tag, "rowspan"_L1).toInt(&ok);
        table->rowWidth += columns;
        table->width = qMax(table->width, table->rowWidth);
        if (ok && rows > 1)
            table->spanned += columns;
    }

    bool closeParagraphs_;
    std::vector<Element> open_;
    std::vector<Table> tables_;
    qint64 cells_ = 0;
};

// What Qt reads of a page: only the marked fragment when the page has one (as pasted HTML does).
QString TextQtReads(const QString& html) {
    const qsizetype start = html.indexOf("<!--StartFragment-->"_L1);
    if (start < 0)
        return html;
    const auto richTextHeader = "<meta name=\"qrichtext\" content=\"1\" />"_L1;
    const qsizetype end = html.indexOf("<!--EndFragment-->"_L1);
    QString fragment = start < end ? html.mid(start, end - start) : html.mid(start);
    if (html.contains(richTextHeader))
        fragment.prepend(richTextHeader);
    return fragment;
}

bool IsLineBreakTag(const QString& name) {
    static const QLatin1StringView names[] = {
        "p"_L1,  "br"_L1, "div"_L1, "li"_L1, "tr"_L1,  "table"_L1, "h1"_L1,
        "h2"_L1, "h3"_L1, "h4"_L1,  "h5"_L1, "h6"_L1,  "ul"_L1,    "ol"_L1,
        "dl"_L1, "dt"_L1, "dd"_L1,  "hr"_L1, "pre"_L1, "title"_L1, "blockquote"_L1};
    for (const QLatin1StringView n : names)
        if (name == n)
            return true;
    return false;
}

} // namespace

QString DecodeHelpPage(const QByteArray& bytes) {
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Utf8);
    return decoder.decode(bytes);
}

int CountStyleRules(const QString& css) {
    return int(css.count(u'{'));
}

HelpPageTextCheck CheckHelpPageText(const QString& html) {
    if (html.size() > MaxHelpPageBytes)
        return {u"it is longer than %1 KiB"_s.arg(MaxHelpPageBytes / 1024)};
    const QString text = TextQtReads(html);
    if (text.count(u'<') > MaxHelpPageTags)
        return {u"it has more than %1 tags"_s.arg(MaxHelpPageTags)};

    HtmlTagReader reader(text);
    // A page that says how its parts are displayed may turn a paragraph Qt would close into one
    // it keeps open: then paragraphs are followed as never closed.
    Structure structure(!text.contains("display"_L1, Qt::CaseInsensitive));
    int styleRules = 0;
    int pictures = 0;
    bool inStyle = false;
    for (HtmlTagReader::Token token = reader.Next(); token.kind != HtmlTagReader::Kind::End;
         token = reader.Next()) {
        if (token.kind == HtmlTagReader::Kind::Text) {
            if (inStyle)
                styleRules += CountStyleRules(HtmlTagReader::Decode(token.text));
            continue;
        }
        if (token.kind == HtmlTagReader::Kind::Other)
            continue;
        inStyle = token.kind == HtmlTagReader::Kind::Open && token.name == "style"_L1 &&
                  !token.selfClosed;
        if (token.kind == HtmlTagReader::Kind::Open && token.name == "img"_L1 &&
            ++pictures > MaxHelpPictures)
            return {u"it has more than %1 pictures"_s.arg(MaxHelpPictures)};
        if (!structure.Add(token))
            return {structure.reason};
    }
    if (styleRules > MaxHelpStyleRules)
        return {u"its style sheets have more than %1 rules"_s.arg(MaxHelpStyleRules)};
    if (!structure.Finish())
        return {structure.reason};
    return {{}, structure.reliedOnDisplay, styleRules};
}

QString PlainHelpPage(const QString& html, const QString& reason) {
    HtmlTagReader reader(QStringView(html).left(MaxHelpPageBytes));
    QString title;
    QString body;
    QString skipping; // the element whose text is not page text (title, style, script)
    bool spaceDue = false;
    for (HtmlTagReader::Token token = reader.Next();
         token.kind != HtmlTagReader::Kind::End && body.size() < MaxPlainTextChars;
         token = reader.Next()) {
        if (token.kind == HtmlTagReader::Kind::Text) {
            const QString text = HtmlTagReader::Decode(token.text);
            if (skipping == "title"_L1)
                title += text.simplified();
            if (!skipping.isEmpty())
                continue;
            for (const QChar c : text) {
                if (c.isSpace()) {
                    spaceDue = !body.isEmpty() && !body.endsWith(u'\n');
                    continue;
                }
                if (spaceDue)
                    body += u' ';
                spaceDue = false;
                body += c;
            }
            continue;
        }
        if (token.kind == HtmlTagReader::Kind::Other)
            continue;
        const bool hidden =
            token.name == "title"_L1 || token.name == "style"_L1 || token.name == "script"_L1;
        if (hidden && token.kind == HtmlTagReader::Kind::Open && !token.selfClosed)
            skipping = token.name;
        else if (token.kind == HtmlTagReader::Kind::Close && token.name == skipping)
            skipping.clear();
        if (IsLineBreakTag(token.name) && !body.isEmpty() && !body.endsWith(u'\n')) {
            body += u'\n';
            spaceDue = false;
        } else if (token.name == "td"_L1 || token.name == "th"_L1) {
            spaceDue = !body.isEmpty() && !body.endsWith(u'\n');
        }
    }
    if (body.size() >= MaxPlainTextChars || html.size() > MaxHelpPageBytes)
        body = body.left(MaxPlainTextChars) + u"\n[...]"_s;
    return u"<html><head><title>%1</title></head><body><p><b>This page cannot be shown as "
           u"written: %2. Its text follows.</b></p><p style=\"white-space: pre-wrap\">%3</p>"
           u"</body></html>"_s.arg(title.left(200).toHtmlEscaped(), reason.toHtmlEscaped(),
                                   body.trimmed().toHtmlEscaped());
}

} // namespace kestro
