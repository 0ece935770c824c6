#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace kestro {

// What screen readers see of a MonthGrid: a list of its 42 days, each named by the grid's
// cellName, the selected one selected and, while the grid has the focus, focused.
QAccessibleInterface* MonthGridAccessibleFactory(const QString& className, QObject* object);

} // namespace kestro
