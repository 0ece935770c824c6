#pragma once

#include <QImage>
#include <QString>

#include <optional>

namespace kestro::test {

// poppler-utils, the independent reader of the PDFs the program writes. Each answer is nothing
// when the tool is missing or fails.
bool HavePdfTools(); // pdfinfo, pdftotext and pdftoppm are all installed
inline constexpr const char* MissingPdfTools =
    "pdfinfo, pdftotext or pdftoppm is missing (Debian package poppler-utils, which "
    "scripts/deps.sh installs): the PDF is not checked by an independent reader";

std::optional<QString> PdfInfo(const QString& pdf); // pdfinfo's report
std::optional<QString> PdfText(const QString& pdf); // pdftotext -layout
// The first page rendered at dpi dots per inch.
std::optional<QImage> PdfPage(const QString& pdf, int dpi);

} // namespace kestro::test
