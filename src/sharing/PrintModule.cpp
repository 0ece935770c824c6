// The print module: Qt Print Support, loaded by the program only when the user first prints.
#include "sharing/PrintModule.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

extern "C" Q_DECL_EXPORT void KestroShowPrintPreview(QWidget* owner, const kestro::PrintJob& job) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(job.pageSize);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setFullPage(true);
    printer.setDocName(job.title);
    QPrintPreviewDialog dialog(&printer, owner);
    dialog.setWindowTitle(QStringLiteral("Print"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&job](QPrinter* target) { job.paint(*target); });
    dialog.exec();
}
