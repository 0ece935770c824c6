#pragma once

#include "colors/ColorNames.h"

#include <QString>

#include <optional>

namespace kestro {

// What a file dialog is opened with.
struct FileDialogRequest {
    QString title;
    QString folder;   // where it starts; the current folder when empty
    QString fileName; // filled in
    QString filter;   // e.g. "Ini Files (*.ini)"
    QString defaultSuffix;
};

// What the Set Color dialog shows when it opens.
struct ColorDialogRequest {
    QString normalHeading;  // over the left sample
    QString inverseHeading; // over the right sample
    QString normalCaption;  // caption of the left sample
    ColorValue normalFill = 0;
    ColorValue normalCaptionColor = 0;
    QString inverseCaption; // caption of the right sample
    ColorValue inverseFill = 0;
    ColorValue inverseCaptionColor = 0;
    QString normalListLabel;  // over the first pick list
    QString inverseListLabel; // over the second pick list
    ColorValue normalSelection = 0;
    ColorValue inverseSelection = 0;
};

struct ColorDialogResult {
    bool ok = false;
    // The selections when the dialog closed; nullopt for a list with nothing selected.
    std::optional<ColorValue> normal;
    std::optional<ColorValue> inverse;
};

// Everything that waits for the user in a modal window. The program shows real dialogs; tests
// answer from a queue of expected prompts.
class Prompts {
public:
    virtual ~Prompts() = default;
    // A plain message box: caption "Kestro", no icon, an OK button.
    virtual void ShowMessage(const QString& text) = 0;
    // The error box of a failed conversion: caption "Kestro", the error icon, an OK button.
    virtual void ShowError(const QString& text) = 0;
    // A question with Yes and No and no icon; true for Yes.
    virtual bool AskYesNo(const QString& title, const QString& text) = 0;
    // The chosen file's name, or nothing when the user cancels.
    virtual std::optional<QString> AskOpenFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> AskSaveFileName(const FileDialogRequest& request) = 0;
    virtual ColorDialogResult PickColors(const ColorDialogRequest& request) = 0;
    // Shows the table of contents of a compiled help file; false when it cannot be opened.
    virtual bool ShowHelpContents(const QString& helpFile) = 0;
    virtual void ShowAbout() = 0;
};

} // namespace kestro
