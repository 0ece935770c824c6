#pragma once

#include "colors/ColorDialogRequest.h"

#include <QDialog>

class QComboBox;
class QKeyEvent;
class QLabel;
class QPushButton;

namespace kestro {

// The Set Color dialog: two pick lists, one for a normal and one for an inverse color, over two
// samples that preview the picks. Created once, hidden, and reused for every color command.
class TColorDlg : public QDialog {
    Q_OBJECT

public:
    explicit TColorDlg(QWidget* parent = nullptr);

    // Shows the request, waits for the user and returns the selections the dialog closed with.
    ColorDialogResult Execute(const ColorDialogRequest& request);

    // Puts every caption, color and selection of the request into the controls. Selecting here is
    // the program's doing and runs no change handler.
    void Fill(const ColorDialogRequest& request);

    // The user picked in cbColor / cbInverse: the samples follow.
    void cbColorChange(int index);
    void cbInverseChange(int index);
    // A key pressed while bCancel has the focus; true when it was handled.
    bool bCancelKeyDown(QKeyEvent* event);

    QLabel* lblPCol;
    QLabel* lblPInv;
    QLabel* pColor;
    QLabel* pInverse;
    QLabel* lblColor;
    QComboBox* cbColor;
    QLabel* lblInverse;
    QComboBox* cbInverse;
    QPushButton* bOk;
    QPushButton* bCancel;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void PaintSwatches();
    void PaintPanel(QLabel* panel, ColorValue fill, ColorValue caption);
    void PlaceOnScreen();
};

} // namespace kestro
