#include "helpwindows/HelpPage.h"

#include "help/HelpPageText.h"
#include "help/Jpeg.h"
#include "helpwindows/About.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPen>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFormat>
#include <QTextFrame>
#include <QTextLength>
#include <QTextTable>

#include <cmath>
#include <utility>

using namespace Qt::StringLiterals;

namespace kestro {

namespace {

QString ObjectName(const QUrl& url) {
    return NormalizeHelpPath(url.path(QUrl::FullyDecoded));
}

// A document that reads the page as the browser will, without laying it out: style sheets are
// read from the help file (they change what is built), other resources are only noted.
class PageDocument : public QTextDocument {
public:
    PageDocument(const FetchHelpObjects& fetch, PreparedPage& page, const HelpPageTextCheck& text)
        : rules(text.styleRules), fetch_(fetch), page_(page),
          reliedOnDisplay_(text.reliedOnDisplay) {}

    QVariant loadResource(int type, const QUrl& name) override {
        if (name.scheme() != HelpUrlScheme)
            return {};
        const QString path = ObjectName(name);
        if (type == QTextDocument::ImageResource) { // a background picture
            backgrounds.append(path);
            return {};
        }
        if (type != QTextDocument::StyleSheetResource || path.isEmpty())
            return {};
        if (const auto known = page_.resources.constFind(path); known != page_.resources.cend())
            return *known;
        if (++sheets > MaxHelpStyleSheets) {
            refusal = u"it reads more than %1 style sheets"_s.arg(MaxHelpStyleSheets);
            return {};
        }
        const HelpObject sheet = fetch_({path}).front();
        if (!sheet.ok())
            return {};
        const QString css = QString::fromUtf8(sheet.data);
        rules += CountStyleRules(css);
        if (rules > MaxHelpStyleRules) {
            refusal = u"its style sheets have more than %1 rules"_s.arg(MaxHelpStyleRules);
            return {};
        }
        if (reliedOnDisplay_ && css.contains("display"_L1, Qt::CaseInsensitive)) {
            refusal = u"its style sheets change how its parts nest"_s;
            return {};
        }
        page_.resources.insert(path, sheet.data);
        return sheet.data;
    }

    QStringList backgrounds;
    QString refusal;
    int sheets = 0;
    int rules;

private:
    const FetchHelpObjects& fetch_;
    PreparedPage& page_;
    bool reliedOnDisplay_;
};

// What laying out a paragraph costs beyond its characters, in characters.
constexpr qint64 BlockWork = 64;

// Tables nested too deep, or too much text inside tables, to lay out in good time.
QString CheckTables(const QTextDocument& document) {
    qint64 work = 0;
    std::vector<std::pair<QTextFrame*, int>> frames{{document.rootFrame(), 0}};
    while (!frames.empty()) {
        const auto [frame, depth] = frames.back();
        frames.pop_back();
        if (depth > MaxHelpTableDepth)
            return u"its tables are nested more than %1 deep"_s.arg(MaxHelpTableDepth);
        for (QTextFrame::iterator it = frame->begin(); !it.atEnd(); ++it) {
            if (QTextFrame* child = it.currentFrame())
                frames.emplace_back(child, depth + (qobject_cast<QTextTable*>(child) ? 1 : 0));
            else if (depth > 0)
                work += (it.currentBlock().length() + BlockWork) << depth;
        }
        if (work > MaxHelpLayoutWork)
            return u"its tables hold too much to lay out"_s;
    }
    return {};
}

// How large a value of this format property may be; 0 when it is no size.
double LimitOf(int property) {
    switch (property) {
    case QTextFormat::ObjectIndex:
    case QTextFormat::ObjectType:
    case QTextFormat::TableColumns:
    case QTextFormat::TableHeaderRowCount:
    case QTextFormat::TableCellRowSpan:
    case QTextFormat::TableCellColumnSpan:
    case QTextFormat::FontStretch:
        return 0;
    case QTextFormat::FontPointSize:
    case QTextFormat::FontPixelSize:
    case QTextFormat::LineHeight:
        return MaxHelpFontSize;
    case QTextFormat::ListIndent:
        return MaxHelpListDepth;
    case QTextFormat::BlockIndent:
        return MaxHelpPageDepth;
    default:
        return property >= QTextFormat::UserProperty ? 0 : MaxHelpLength;
    }
}

// The largest number a property value holds (a length, a list of lengths, a pen's width).
double Magnitude(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
        return std::fabs(value.toDouble());
    default:
        break;
    }
    if (value.typeId() == qMetaTypeId<QTextLength>())
        return std::fabs(value.value<QTextLength>().rawValue());
    if (value.typeId() == qMetaTypeId<QList<QTextLength>>()) {
        double largest = 0;
        for (const QTextLength& length : value.value<QList<QTextLength>>())
            largest = std::fmax(largest, std::fabs(length.rawValue()));
        return largest;
    }
    if (value.typeId() == QMetaType::QPen)
        return std::fabs(value.value<QPen>().widthF());
    return 0;
}

// Sizes far beyond any page: Qt lays text out in 26.6 fixed point and loops or overflows on them.
QString CheckSizes(const QTextDocument& document) {
    for (const QTextFormat& format : document.allFormats()) {
        const QMap<int, QVariant> properties = format.properties();
        for (auto it = properties.cbegin(); it != properties.cend(); ++it) {
            const double limit = LimitOf(it.key());
            const double magnitude = Magnitude(it.value());
            if (limit <= 0 || magnitude <= limit || std::isnan(magnitude))
                continue;
            if (it.key() == QTextFormat::ListIndent)
                return u"its lists are nested more than %1 deep"_s.arg(MaxHelpListDepth);
            return u"it asks for a size of %1"_s.arg(magnitude, 0, 'g', 6);
        }
    }
    return {};
}

QImage DecodePicture(const QByteArray& data, qint64& pixelsLeft) {
    // JPEG pictures are decoded by the program's own decoder; the rest (PNG, GIF, BMP) by Qt.
    QImage image;
    if (data.startsWith("\xFF\xD8")) {
        const JpegDecodeResult decoded = DecodeJpeg(data);
        if (decoded.ok())
            image = ToQImage(decoded.image);
    } else {
        QBuffer buffer;
        buffer.setData(data);
        QImageReader reader(&buffer);
        const QSize size = reader.size();
        if (size.isValid() && qint64(size.width()) * size.height() <= pixelsLeft)
            image = reader.read();
    }
    const qint64 pixels = qint64(image.width()) * image.height();
    if (pixels > pixelsLeft)
        return {};
    pixelsLeft -= pixels;
    return image;
}

// Reads the pictures the page shows; those the help file lacks, cannot give or that go beyond
// the page's share of pixels stay out (the browser shows them as missing).
void ReadPictures(const QStringList& paths, const FetchHelpObjects& fetch, PreparedPage& page) {
    if (paths.isEmpty())
        return;
    const std::vector<HelpObject> pictures = fetch(paths);
    qint64 pixelsLeft = MaxHelpPicturePixels;
    for (qsizetype i = 0; i < paths.size() && std::size_t(i) < pictures.size(); ++i) {
        if (!pictures[std::size_t(i)].ok())
            continue;
        const QImage image = DecodePicture(pictures[std::size_t(i)].data, pixelsLeft);
        if (!image.isNull())
            page.resources.insert(paths[i], image);
    }
}

} // namespace

QUrl HelpUrl(const QString& path) {
    QUrl url;
    url.setScheme(HelpUrlScheme);
    url.setPath(NormalizeHelpPath(path));
    const qsizetype hash = path.indexOf(u'#');
    if (hash >= 0 && hash + 1 < path.size())
        url.setFragment(path.mid(hash + 1));
    return url;
}

QString HelpErrorPage(const QString& title, const QString& text) {
    return u"<html><head><title>%1</title></head><body><h1>%1</h1><p>%2</p></body></html>"_s.arg(
        title.toHtmlEscaped(), text.toHtmlEscaped());
}

PreparedPage PrepareHelpPage(const QUrl& url, const FetchHelpObjects& fetch) {
    PreparedPage page;
    page.path = ObjectName(url);
    const HelpObject object = fetch({url.path(QUrl::FullyDecoded)}).front();
    if (!object.ok()) {
        page.html = HelpErrorPage(u"Page not found"_s, object.error);
        return page;
    }
    const auto refuse = [&page](const QString& html, const QString& reason) {
        page.refusal = reason;
        page.html = PlainHelpPage(html, reason);
        page.resources.clear();
        return page;
    };
    if (object.data.size() > MaxHelpPageBytes)
        return refuse(DecodeHelpPage(object.data.left(MaxHelpPageBytes)),
                      u"it is longer than %1 KiB"_s.arg(MaxHelpPageBytes / 1024));
    page.html = DecodeHelpPage(object.data);
    const HelpPageTextCheck text = CheckHelpPageText(page.html);
    if (!text.refusal.isEmpty())
        return refuse(page.html, text.refusal);

    PageDocument document(fetch, page, text);
    QUrl base = url;
    base.setFragment(QString());
    document.setBaseUrl(base);
    document.setHtml(page.html);
    QString reason = document.refusal;
    if (reason.isEmpty())
        reason = CheckTables(document);
    if (reason.isEmpty())
        reason = CheckSizes(document);

    QStringList pictures = document.backgrounds;
    int shown = 0;
    for (QTextBlock block = document.begin(); block.isValid() && reason.isEmpty();
         block = block.next()) {
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            shown += it.fragment().length();
            const QUrl picture = base.resolved(QUrl(format.toImageFormat().name()));
            if (picture.scheme() == HelpUrlScheme)
                pictures.append(ObjectName(picture));
        }
    }
    if (reason.isEmpty() && shown + document.backgrounds.size() > MaxHelpPictures)
        reason = u"it has more than %1 pictures"_s.arg(MaxHelpPictures);
    if (!reason.isEmpty())
        return refuse(page.html, reason);

    pictures.removeDuplicates();
    pictures.removeAll(QString());
    ReadPictures(pictures, fetch, page);
    return page;
}

} // namespace kestro
