#include "widgets/DesktopIdentity.h"

#include <QGuiApplication>

namespace kestro {

QString DesktopId() {
    return QStringLiteral(KESTRO_APP_ID);
}

void IdentifyToDesktop() {
    QGuiApplication::setDesktopFileName(DesktopId());
    QGuiApplication::setWindowIcon(ProgramIcon());
}

QIcon ProgramIcon() {
    return QIcon::fromTheme(DesktopId(), QIcon(QStringLiteral(":/kestro/kestro.svg")));
}

} // namespace kestro
