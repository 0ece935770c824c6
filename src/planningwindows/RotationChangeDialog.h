#pragma once

#include "planning/RotationChange.h"

#include <QDialog>

class QLabel;
class QTableWidget;

namespace kestro {

// What the rotation typed in the fields would change against the one in force: the two
// rotations, the days compared, and per platoon the days and weekend days gained and lost.
class RotationChangeDialog final : public QDialog {
    Q_OBJECT

public:
    RotationChangeDialog(const RotationChangeReport& report, QWidget* parent);

    QLabel* heading;
    QTableWidget* platoons; // hidden when nothing changes
};

void ShowRotationChange(QWidget* owner, const RotationChangeReport& report);

} // namespace kestro
