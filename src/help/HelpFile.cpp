#include "help/HelpFile.h"

#include "help/ChmReader.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>

#include <utility>

using namespace Qt::StringLiterals;

namespace kestro {

namespace {

// Bounds for the contents parser: a damaged or hostile contents file must not build a tree that
// is too deep to destroy recursively or too large to show.
constexpr int MaxContentsDepth = 32;
constexpr std::size_t MaxContentsTopics = 10000;

QString DecodeText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    // Older help files are written in a Windows code page; Latin-1 keeps the letters that matter.
    return QString::fromLatin1(bytes);
}

QString DecodeEntities(const QString& value) {
    if (!value.contains(u'&'))
        return value;
    QString out;
    out.reserve(value.size());
    qsizetype i = 0;
    while (i < value.size()) {
        const QChar c = value.at(i);
        const qsizetype semicolon = c == u'&' ? value.indexOf(u';', i + 1) : -1;
        if (semicolon < 0 || semicolon - i > 10) {
            out += c;
            ++i;
            continue;
        }
        const QString entity = value.mid(i + 1, semicolon - i - 1);
        char32_t code = 0;
        if (entity == "amp"_L1)
            code = u'&';
        else if (entity == "lt"_L1)
            code = u'<';
        else if (entity == "gt"_L1)
            code = u'>';
        else if (entity == "quot"_L1)
            code = u'"';
        else if (entity == "apos"_L1)
            code = u'\'';
        else if (entity.startsWith(u'#')) {
            bool ok = false;
            const uint number = entity.startsWith("#x"_L1, Qt::CaseInsensitive)
                                    ? entity.mid(2).toUInt(&ok, 16)
                                    : entity.mid(1).toUInt(&ok, 10);
            if (ok && number > 0 && number <= 0x10FFFF && (number < 0xD800 || number > 0xDFFF))
                code = number;
        }
        if (code == 0) {
            out += c;
            ++i;
            continue;
        }
        out += QString::fromUcs4(&code, 1);
        i = semicolon + 1;
    }
    return out;
}

struct Tag {
    QString name; // lower case
    bool closing = false;
    std::vector<std::pair<QString, QString>> attributes; // names in lower case
};

bool IsNameChar(QChar c) {
    return c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u':';
}

// Reads the tag between '<' and '>' (both excluded).
Tag ParseTag(QStringView body) {
    Tag tag;
    qsizetype i = 0;
    const qsizetype n = body.size();
    if (i < n && body[i] == u'/') {
        tag.closing = true;
        ++i;
    }
    const qsizetype nameStart = i;
    while (i < n && IsNameChar(body[i]))
        ++i;
    tag.name = body.mid(nameStart, i - nameStart).toString().toLower();
    while (i < n) {
        while (i < n && (body[i].isSpace() || body[i] == u'/'))
            ++i;
        const qsizetype attrStart = i;
        while (i < n && !body[i].isSpace() && body[i] != u'=' && body[i] != u'/')
            ++i;
        if (i == attrStart) {
            ++i; // a stray character; step over it
            continue;
        }
        QString attrName = body.mid(attrStart, i - attrStart).toString().toLower();
        while (i < n && body[i].isSpace())
            ++i;
        QString value;
        if (i < n && body[i] == u'=') {
            ++i;
            while (i < n && body[i].isSpace())
                ++i;
            if (i < n && (body[i] == u'"' || body[i] == u'\'')) {
                const QChar quote = body[i++];
                const qsizetype valueStart = i;
                while (i < n && body[i] != quote)
                    ++i;
                value = body.mid(valueStart, i - valueStart).toString();
                if (i < n)
                    ++i;
            } else {
                const qsizetype valueStart = i;
                while (i < n && !body[i].isSpace())
                    ++i;
                value = body.mid(valueStart, i - valueStart).toString();
            }
        }
        tag.attributes.emplace_back(std::move(attrName), DecodeEntities(value));
    }
    return tag;
}

QString Attribute(const Tag& tag, QLatin1StringView name) {
    for (const auto& [key, value] : tag.attributes)
        if (key == name)
            return value;
    return {};
}

// Builds the topic tree while the tags of a contents file go by.
class ContentsBuilder {
public:
    ContentsBuilder() { lists_.push_back(&topics_); }

    void OpenList() {
        ++openLists_;
        std::vector<HelpTopic>* current = lists_.back();
        // The outermost list holds the top entries; a list right after an entry holds its
        // children. A list with no entry before it stays on the same level.
        if (openLists_ == 1 || current->empty() || int(lists_.size()) >= MaxContentsDepth)
            lists_.push_back(current);
        else
            lists_.push_back(&current->back().children);
    }

    void CloseList() {
        if (openLists_ == 0)
            return;
        --openLists_;
        if (lists_.size() > 1)
            lists_.pop_back();
    }

    void Add(HelpTopic topic) {
        if (count_ >= MaxContentsTopics)
            return;
        ++count_;
        lists_.back()->push_back(std::move(topic));
    }

    std::vector<HelpTopic> Take() { return std::move(topics_); }

private:
    std::vector<HelpTopic> topics_;
    // The lists entries go into, outermost first. Only the last one grows, so the pointers into
    // the children of earlier entries stay valid.
    std::vector<std::vector<HelpTopic>*> lists_;
    int openLists_ = 0;
    std::size_t count_ = 0;
};

qsizetype FindTagEnd(const QString& text, qsizetype from) {
    QChar quote;
    for (qsizetype i = from; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            // Quotes only count inside attribute values, i.e. right after "=".
            qsizetype j = i - 1;
            while (j >= from && text.at(j).isSpace())
                --j;
            if (j >= from && text.at(j) == u'=')
                quote = c;
        } else if (c == u'>') {
            return i;
        }
    }
    return -1;
}

} // namespace

QString HelpFileForProgram(const QString& programFile) {
    const qsizetype slash = programFile.lastIndexOf(u'/');
    const qsizetype dot = programFile.lastIndexOf(u'.');
    // A dot that starts the file name (a hidden file) does not begin an extension.
    if (dot > slash + 1)
        return programFile.left(dot) + ".chm"_L1;
    return programFile + ".chm"_L1;
}

std::vector<HelpTopic> ParseHelpContents(const QByteArray& sitemap) {
    const QString text = DecodeText(sitemap);
    ContentsBuilder builder;
    bool inObject = false;
    HelpTopic pending;

    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype open = text.indexOf(u'<', i);
        if (open < 0)
            break;
        if (QStringView(text).mid(open).startsWith("<!--"_L1)) {
            const qsizetype close = text.indexOf("-->"_L1, open + 4);
            if (close < 0)
                break;
            i = close + 3;
            continue;
        }
        const qsizetype close = FindTagEnd(text, open + 1);
        if (close < 0)
            break;
        const Tag tag = ParseTag(QStringView(text).mid(open + 1, close - open - 1));
        i = close + 1;

        if (tag.name == "ul"_L1) {
            if (tag.closing)
                builder.CloseList();
            else
                builder.OpenList();
        } else if (tag.name == "object"_L1) {
            if (!tag.closing) {
                inObject =
                    Attribute(tag, "type"_L1).compare("text/sitemap"_L1, Qt::CaseInsensitive) == 0;
                pending = HelpTopic();
            } else if (inObject) {
                inObject = false;
                if (!pending.name.isEmpty() || !pending.local.isEmpty())
                    builder.Add(std::move(pending));
                pending = HelpTopic();
            }
        } else if (tag.name == "param"_L1 && inObject && !tag.closing) {
            const QString name = Attribute(tag, "name"_L1);
            const QString value = Attribute(tag, "value"_L1);
            // An entry may name several pages ("merged" entries); the first one is shown.
            if (name.compare("Name"_L1, Qt::CaseInsensitive) == 0 && pending.name.isEmpty())
                pending.name = value.trimmed();
            else if (name.compare("Local"_L1, Qt::CaseInsensitive) == 0 && pending.local.isEmpty())
                pending.local = value.trimmed();
        }
    }
    return builder.Take();
}

QString NormalizeHelpPath(const QString& path) {
    QString cleaned = path;
    cleaned.replace(u'\\', u'/');
    for (const QChar stop : {u'#', u'?'}) {
        const qsizetype at = cleaned.indexOf(stop);
        if (at >= 0)
            cleaned.truncate(at);
    }
    QStringList segments;
    for (const QString& segment : cleaned.split(u'/', Qt::SkipEmptyParts)) {
        if (segment == "."_L1)
            continue;
        if (segment == ".."_L1) {
            if (segments.isEmpty())
                return {};
            segments.removeLast();
            continue;
        }
        segments.append(segment);
    }
    if (segments.isEmpty())
        return {};
    return u'/' + segments.join(u'/');
}

HelpArchiveResult OpenHelpArchive(const QString& fileName, HelpReadWait whileWaiting) {
    HelpArchiveResult result;
    if (fileName.isEmpty()) {
        result.error = u"No help file was given."_s;
        return result;
    }
    const QFileInfo info(fileName);
    if (!info.exists()) {
        result.error = u"The help file \"%1\" does not exist."_s.arg(fileName);
        return result;
    }
    if (!info.isFile()) {
        result.error = u"\"%1\" is not a file."_s.arg(fileName);
        return result;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error =
            u"The help file \"%1\" cannot be read: %2."_s.arg(fileName, file.errorString());
        return result;
    }
    // Only a file that starts like a compiled help file is handed to the help library.
    if (file.read(4) != "ITSF") {
        result.error = u"\"%1\" is not a compiled help file."_s.arg(fileName);
        return result;
    }
    file.close();

    if (ReadChmObjects(fileName, {}, whileWaiting).front().answer != ChmAnswer::Found) {
        result.error = u"The help file \"%1\" is damaged."_s.arg(fileName);
        return result;
    }
    result.archive = HelpArchive{fileName, std::move(whileWaiting)};
    return result;
}

HelpObject ReadHelpObject(const HelpArchive& archive, const QString& path) {
    return ReadHelpObjects(archive, {path}).front();
}

std::vector<HelpObject> ReadHelpObjects(const HelpArchive& archive, const QStringList& paths) {
    std::vector<HelpObject> objects(std::size_t(paths.size()));
    QStringList names;
    QList<QByteArray> encoded;
    std::vector<std::size_t> asked; // which of objects each encoded name answers
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString name = NormalizeHelpPath(paths[i]);
        QByteArray bytes = name.toUtf8();
        if (name.isEmpty() || bytes.size() > MaxChmPathBytes) {
            objects[std::size_t(i)].error = u"\"%1\" is not the name of a page."_s.arg(paths[i]);
            continue;
        }
        names.append(name);
        encoded.append(std::move(bytes));
        asked.push_back(std::size_t(i));
    }
    if (encoded.isEmpty())
        return objects;
    std::vector<ChmReadResult> answers =
        ReadChmObjects(archive.fileName, encoded, archive.whileWaiting);
    for (std::size_t k = 0; k < asked.size(); ++k) {
        HelpObject& object = objects[asked[k]];
        const QString& name = names[qsizetype(k)];
        switch (answers[k].answer) {
        case ChmAnswer::Found:
            object.data = std::move(answers[k].data);
            break;
        case ChmAnswer::NoObject:
            object.error = u"The help file has no page \"%1\"."_s.arg(name);
            break;
        case ChmAnswer::TooLarge:
            object.error = u"The page \"%1\" is too large to show."_s.arg(name);
            break;
        case ChmAnswer::NotOpened:
        case ChmAnswer::NotRead:
            object.error = u"The page \"%1\" cannot be read; the help file is damaged."_s.arg(name);
            break;
        }
    }
    return objects;
}

HelpContents ReadHelpContents(const HelpArchive& archive) {
    HelpContents contents;
    const HelpObject sitemap = ReadHelpObject(archive, u"/toc.hhc"_s);
    if (!sitemap.ok()) {
        contents.error = u"The table of contents cannot be read. %1"_s.arg(sitemap.error);
        return contents;
    }
    contents.topics = ParseHelpContents(sitemap.data);
    return contents;
}

} // namespace kestro
