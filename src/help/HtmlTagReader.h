#pragma once

#include <QString>
#include <QStringView>

#include <utility>
#include <vector>

namespace kestro {

// Reads a page the way Qt's HTML reader (QTextHtmlParser) does: where a tag starts and ends, its
// name and its attributes follow the same rules, quirks included, so that what is checked on a
// page is what the text browser will build. Entities are decoded as Qt decodes them where it
// matters (tag names, attribute values): by number, and by the few names that stand for ASCII
// characters.
class HtmlTagReader {
public:
    enum class Kind { Text, Open, Close, Other, End };
    struct Token {
        Kind kind = Kind::End;
        QString name; // lower case, for Open and Close
        bool selfClosed = false;
        std::vector<std::pair<QString, QString>> attributes; // names in lower case
        QStringView text; // for Text: up to the next '<', entities not decoded
    };

    explicit HtmlTagReader(QStringView text) : t_(text) {}

    // The next piece of the page; Kind::End after the last.
    Token Next();

    // Text with its entities decoded, as Qt reads text between tags.
    static QString Decode(QStringView text);

private:
    bool Has(QChar c, qsizetype ahead = 0) const {
        return pos_ + ahead < t_.size() && t_[pos_ + ahead] == c;
    }
    void EatSpace();
    void SkipPast(QChar end);
    QString Entity();
    static QString Resolve(QStringView entity);
    QString Word();
    std::vector<std::pair<QString, QString>> Attributes();

    QStringView t_;
    qsizetype pos_ = 0;
};

// The value of a tag's attribute; the last one counts, as in Qt. Empty when the tag has none.
QString Attribute(const HtmlTagReader::Token& tag, QLatin1StringView name);

} // namespace kestro
