#pragma once

#include "planning/CommonRotations.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace kestro {

// The common rotations by name, and a rotation made from what one platoon works. Choosing a row
// or making a rotation sets the rotation to use; Use returns it.
class CommonRotationsDialog final : public QDialog {
    Q_OBJECT

public:
    explicit CommonRotationsDialog(QWidget* parent);

    QTableWidget* rotations;
    QLineEdit* pattern;
    QSpinBox* platoons;
    QPushButton* make;
    QLabel* outcome; // the rotation to use, or why none could be made
    QPushButton* use;
    std::optional<RotationFields> chosen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RowChosen();
    void Make();
    void SetChosen(std::optional<RotationFields> fields, const QString& text);
};

std::optional<RotationFields> ChooseCommonRotation(QWidget* owner);

} // namespace kestro
