#pragma once

#include "app/Prompts.h"

namespace kestro {

// The real modal windows: message boxes captioned "Kestro" and the desktop's file dialogs, all
// over whichever window of the program is active.
class QtPrompts final : public Prompts {
public:
    void ShowMessage(const QString& text) override;
    void ShowError(const QString& text) override;
    bool AskYesNo(const QString& title, const QString& text) override;
    std::optional<QString> AskOpenFileName(const FileDialogRequest& request) override;
    std::optional<QString> AskSaveFileName(const FileDialogRequest& request) override;
    ColorDialogResult PickColors(const ColorDialogRequest& request) override;
    bool ShowHelpContents(const QString& helpFile) override;
    void ShowAbout() override;
};

} // namespace kestro
