// The window's fonts: the window font asked for by the face it resolves to, and the day numbers'
// font kept from cell to cell and drawn without laying a caption out again.
#include "widgets/WindowFonts.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QTest>

using namespace kestro;

namespace {

// A grid cell's worth of image, the caption drawn at its top left on an opaque background.
QImage Drawn(const std::function<void(QPainter&, const QRect&)>& draw, const QFont& font,
             const QRect& rect) {
    QImage image(64, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setClipRect(QRect(2, 2, 40, 30)); // the cell, as the grid clips each one
    painter.setFont(font);
    painter.setPen(Qt::darkBlue);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::yellow);
    draw(painter, rect);
    return image;
}

} // namespace

class WindowFontsTest : public QObject {
    Q_OBJECT

private slots:
    void WindowFontIsTheFaceItsFirstNameResolvesTo() {
        const QFont window = WindowFont();
        QFont asked(QStringLiteral("MS Sans Serif")); // with the substitutes WindowFont set
        asked.setStyleHint(QFont::SansSerif);
        asked.setPixelSize(11);
        const QFontInfo got(window), expected(asked);
        QCOMPARE(got.family(), expected.family());
        QCOMPARE(got.pixelSize(), 11);
        QCOMPARE(got.bold(), expected.bold());
        QCOMPARE(got.italic(), expected.italic());
        QVERIFY(QFontInfo(BoldWindowFont()).bold());
    }

    void CellCaptionsMeasureAndDrawAsDrawTextDoes() {
        struct Face {
            const char* name;
            bool bold;
            bool italic;
            int points;
        };
        const Face faces[] = {
            {"Arial", true, false, 12},          {"Arial", false, true, 12},
            {"Liberation Serif", true, true, 9}, {"DejaVu Sans Mono", false, false, 20},
            {"No Such Face", true, false, 14},   {"", false, false, 12}};
        QStringList captions = {QStringLiteral("iW"), QStringLiteral("fj")};
        for (int day = 1; day <= 31; ++day)
            captions.append(QStringLiteral("%1").arg(day, 2, 10, QLatin1Char(' ')));

        CellFontCache cache; // one cache for every face: it must follow the description
        for (const Face& face : faces) {
            const FontDescription description{
                QString::fromLatin1(face.name), {face.bold, face.italic}, face.points};
            const QFont& font = cache.Font(description);
            QCOMPARE(font, PreviewFont(description));
            const QFontMetrics metrics(PreviewFont(description));
            QCOMPARE(cache.Height(), metrics.height());
            for (const QString& caption : captions) {
                const QString what = QStringLiteral("%1 %2pt \"%3\"")
                                         .arg(QString::fromLatin1(face.name))
                                         .arg(face.points)
                                         .arg(caption);
                QVERIFY2(cache.Width(caption) == metrics.horizontalAdvance(caption),
                         qPrintable(what));
                const QRect rect(5, 4, cache.Width(caption), cache.Height());
                const QImage expected = Drawn(
                    [&caption](QPainter& p, const QRect& r) {
                        p.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption);
                    },
                    font, rect);
                const QImage got = Drawn(
                    [&cache, &caption](QPainter& p, const QRect& r) { cache.Draw(p, r, caption); },
                    font, rect);
                QVERIFY2(got == expected, qPrintable(what));
            }
        }
    }
};

QTEST_MAIN(WindowFontsTest)
#include "WindowFontsTest.moc"
