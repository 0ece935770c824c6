#include "app/PlaceholderWindow.h"

#include <QLabel>

namespace kestro {

PlaceholderWindow::PlaceholderWindow(const StartupState& state, const ShortDateFormat& dateFormat,
                                     QWidget* parent)
    : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Kestro"));
    const QString file =
        state.SettingsPath.isEmpty() ? QStringLiteral("(none)") : state.SettingsPath;
    auto* label = new QLabel(QStringLiteral("Settings file: ") + file +
                                 QStringLiteral("\nShort date format: ") + dateFormat.pattern,
                             this);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMargin(16);
    setCentralWidget(label);
}

} // namespace kestro
