#include <QString>
#include <QtCore/QDate>
#include <QWidget>
