#pragma once

// What the program and its print module agree on. Qt Print Support is a large library that binds
// thousands of symbols when loaded; only the print preview needs it, so it lives in a module of
// its own (PrintModuleName, beside the program's file) that the first print opens.

#include <QPageSize>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QWidget;

namespace kestro {

inline constexpr const char* PrintModuleName = "kestro-print.so";
inline constexpr const char* PrintPreviewSymbol = "KestroShowPrintPreview";

struct PrintJob {
    QPageSize pageSize; // laid landscape, the whole sheet
    QString title;
    std::function<void(QPagedPaintDevice&)> paint; // paints every page
};

// Qt's print preview of the job, from which the user prints.
using ShowPrintPreviewFunction = void(QWidget* owner, const PrintJob& job);

} // namespace kestro
