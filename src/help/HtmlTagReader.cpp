#include "help/HtmlTagReader.h"

using namespace Qt::StringLiterals;

namespace kestro {

HtmlTagReader::Token HtmlTagReader::Next() {
    Token token;
    if (pos_ >= t_.size())
        return token;
    if (t_[pos_] != u'<') {
        qsizetype end = t_.indexOf(u'<', pos_);
        if (end < 0)
            end = t_.size();
        token.kind = Kind::Text;
        token.text = t_.mid(pos_, end - pos_);
        pos_ = end;
        return token;
    }
    ++pos_;
    EatSpace();
    if (Has(u'!')) {
        ++pos_;
        if (Has(u'-') && Has(u'-', 1)) {
            pos_ += 2;
            const qsizetype end = t_.indexOf(u"-->"_s, pos_);
            pos_ = end >= 0 ? end + 3 : t_.size();
        } else {
            SkipPast(u'>');
        }
        token.kind = Kind::Other;
        return token;
    }
    if (Has(u'/')) {
        ++pos_;
        token.kind = Kind::Close;
        token.name = Word().toLower().trimmed();
        SkipPast(u'>');
        return token;
    }
    token.kind = Kind::Open;
    token.name = Word().toLower();
    if (pos_ < t_.size() && t_[pos_].isSpace())
        token.attributes = Attributes();
    while (pos_ < t_.size() && t_[pos_] != u'>') {
        if (t_[pos_] == u'/')
            token.selfClosed = true;
        ++pos_;
    }
    ++pos_;
    return token;
}

QString HtmlTagReader::Decode(QStringView text) {
    HtmlTagReader reader(text);
    QString out;
    while (reader.pos_ < text.size()) {
        const QChar c = text[reader.pos_++];
        out += c == u'&' ? reader.Entity() : QString(c);
    }
    return out;
}

void HtmlTagReader::EatSpace() {
    while (pos_ < t_.size() && t_[pos_].isSpace() && t_[pos_] != QChar::ParagraphSeparator)
        ++pos_;
}

void HtmlTagReader::SkipPast(QChar end) {
    while (pos_ < t_.size())
        if (t_[pos_++] == end)
            break;
}

// After '&': the character an entity stands for, or "&" with nothing consumed.
QString HtmlTagReader::Entity() {
    const qsizetype start = pos_;
    qsizetype length = 0;
    bool bad = false;
    while (pos_ < t_.size()) {
        const QChar c = t_[pos_++];
        if (c.isSpace() || pos_ - start > 9) {
            bad = true;
            break;
        }
        if (c == u';')
            break;
        ++length;
    }
    if (!bad && length > 0) {
        const QString resolved = Resolve(t_.mid(start, length));
        if (!resolved.isEmpty())
            return resolved;
    }
    pos_ = start;
    return u"&"_s;
}

QString HtmlTagReader::Resolve(QStringView entity) {
    static const std::pair<QLatin1StringView, char16_t> named[] = {
        {"amp"_L1, u'&'},   {"AMP"_L1, u'&'},    {"lt"_L1, u'<'},       {"LT"_L1, u'<'},
        {"gt"_L1, u'>'},    {"GT"_L1, u'>'},     {"quot"_L1, u'"'},     {"QUOT"_L1, u'"'},
        {"apos"_L1, u'\''}, {"percnt"_L1, u'%'}, {"nbsp"_L1, u'\u00A0'}};
    for (const auto& [name, c] : named)
        if (entity == name)
            return QString(QChar(c));
    if (entity.size() < 2 || entity[0] != u'#')
        return {};
    entity = entity.mid(1);
    int base = 10;
    if (entity[0].toLower() == u'x') {
        entity = entity.mid(1);
        base = 16;
    }
    bool ok = false;
    const uint code = entity.toUInt(&ok, base);
    if (!ok)
        return {};
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return QString(QChar::ReplacementCharacter);
    const char32_t c = code;
    return QString::fromUcs4(&c, 1);
}

QString HtmlTagReader::Word() {
    QString word;
    if (Has(u'"')) {
        ++pos_;
        while (pos_ < t_.size()) {
            const QChar c = t_[pos_++];
            if (c == u'"')
                break;
            word += c == u'&' ? Entity() : QString(c);
        }
    } else if (Has(u'\'')) {
        ++pos_;
        while (pos_ < t_.size()) {
            const QChar c = t_[pos_++];
            if (c == u'\'' && t_[pos_ - 2] != u'\\')
                break;
            word += c;
        }
    } else {
        while (pos_ < t_.size()) {
            const QChar c = t_[pos_++];
            if (c == u'>' || (c == u'/' && Has(u'>')) || c == u'<' || c == u'=' || c.isSpace()) {
                --pos_;
                break;
            }
            word += c == u'&' ? Entity() : QString(c);
        }
    }
    return word;
}

std::vector<std::pair<QString, QString>> HtmlTagReader::Attributes() {
    std::vector<std::pair<QString, QString>> attributes;
    while (pos_ < t_.size()) {
        EatSpace();
        if (Has(u'>') || Has(u'/'))
            break;
        QString key = Word().toLower();
        QString value = u"1"_s;
        if (key.isEmpty())
            break;
        EatSpace();
        if (Has(u'=')) {
            ++pos_;
            EatSpace();
            value = Word();
        }
        if (!value.isEmpty())
            attributes.emplace_back(std::move(key), std::move(value));
    }
    return attributes;
}

QString Attribute(const HtmlTagReader::Token& tag, QLatin1StringView name) {
    QString value;
    for (const auto& [key, v] : tag.attributes)
        if (key == name)
            value = v; // Qt applies them in order: the last one counts
    return value;
}

} // namespace kestro
