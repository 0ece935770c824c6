#pragma once

class QDialog;
class QDialogButtonBox;
class QLabel;

namespace kestro {

// The red line under a dialog's fields that says what is wrong with them; hidden until then.
QLabel* MakeProblemLabel(QDialog* dialog);

// Ok and Cancel, which accept and reject the dialog.
QDialogButtonBox* MakeOkCancel(QDialog* dialog);

} // namespace kestro
