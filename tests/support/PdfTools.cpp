#include "support/PdfTools.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace kestro::test {
namespace {

std::optional<QString> Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

bool HavePdfTools() {
    for (const char* tool : {"pdfinfo", "pdftotext", "pdftoppm"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            return false;
    }
    return true;
}

std::optional<QString> PdfInfo(const QString& pdf) {
    return Run(QStringLiteral("pdfinfo"), {pdf});
}

std::optional<QString> PdfText(const QString& pdf) {
    return Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

std::optional<QImage> PdfPage(const QString& pdf, int dpi) {
    QTemporaryDir dir;
    const QString stem = dir.filePath(QStringLiteral("page"));
    if (!Run(QStringLiteral("pdftoppm"),
             {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
              QStringLiteral("-singlefile"), pdf, stem}))
        return std::nullopt;
    QImage image(stem + QStringLiteral(".png"));
    if (image.isNull())
        return std::nullopt;
    return image;
}

} // namespace kestro::test
