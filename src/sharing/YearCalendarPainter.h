#pragma once

#include "export/YearCalendar.h"

#include <QByteArray>

class QPagedPaintDevice;
class QPainter;
class QWidget;

namespace kestro {

// Draws a laid-out page with the painter, at `scale` device pixels per point from the device's
// top-left corner. Colors are painted as on the desktop (system colors by the palette); a fill
// or text of no color is left out; a text too wide for its box is made smaller, and cut short
// with "..." where it would become too small.
void PaintYearCalendarPage(QPainter& painter, const YearCalendarPage& page, double scale);

// Paints the years of the source on the device, a PDF writer or a printer, one page each, laid
// out for the device's sheet whatever its size and orientation. False when the device cannot be
// painted on.
bool PaintYearCalendars(QPagedPaintDevice& device, const YearCalendarSource& source);

// The PDF of the source's years on landscape sheets of the source's paper, with the text as text;
// empty when it cannot be made.
QByteArray YearCalendarPdf(const YearCalendarSource& source);

// Qt's print preview of the source's years, on landscape sheets of its paper, from which the user
// prints; it comes from the print module beside the program (PrintModuleFile), opened the first
// time. Without the module the user is told why printing is not available.
QString PrintModuleFile();
void ShowYearCalendarPrintPreview(QWidget* owner, const YearCalendarSource& source);

} // namespace kestro
