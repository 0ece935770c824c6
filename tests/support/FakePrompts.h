#pragma once

#include "app/Prompts.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
#include <memory>

namespace kestro::test {

enum class PromptKind {
    Message,
    Error,
    YesNo,
    OpenFile,
    SaveFile,
    Colors,
    HelpContents,
    About,
    Years,
    CalendarExport,
    PrintPreview,
    YearSummary,
    CommonRotations,
    RotationChange
};

// One modal window a test expects, in order, with the user's answer.
struct ExpectedPrompt {
    PromptKind kind = PromptKind::Message;
    QString text;     // message text, question text, dialog title or help file name
    bool yes = false; // AskYesNo's answer; ShowHelpContents's success
    std::optional<QString> fileName;
    ColorDialogResult colors;
};

// Answers prompts from a queue of expected ones. A prompt that is not the next one expected fails
// the running test (and is answered No / Cancel so that the program goes on); expected prompts
// that never came fail it in VerifyAllShown.
class FakePrompts final : public Prompts {
public:
    void Expect(ExpectedPrompt prompt) {
        queue_.push_back(std::make_unique<ExpectedPrompt>(std::move(prompt)));
    }
    void ExpectMessage(const QString& text) { Expect(Prompt(PromptKind::Message, text)); }
    void ExpectError(const QString& text) { Expect(Prompt(PromptKind::Error, text)); }
    // A file dialog of that title, answered with a name or cancelled (nullopt).
    void ExpectOpenFile(std::optional<QString> answer) {
        ExpectedPrompt prompt = Prompt(PromptKind::OpenFile, QStringLiteral("Open INI File"));
        prompt.fileName = std::move(answer);
        Expect(std::move(prompt));
    }
    void ExpectSaveFile(std::optional<QString> answer,
                        const QString& title = QStringLiteral("Save INI File")) {
        ExpectedPrompt prompt = Prompt(PromptKind::SaveFile, title);
        prompt.fileName = std::move(answer);
        Expect(std::move(prompt));
    }
    void ExpectYesNo(const QString& title, const QString& text, bool yes) {
        ExpectedPrompt prompt = Prompt(PromptKind::YesNo, title + QStringLiteral(" | ") + text);
        prompt.yes = yes;
        Expect(std::move(prompt));
    }
    // The color dialog, known by the label over its first pick list.
    void ExpectColors(const QString& normalListLabel, ColorDialogResult answer) {
        ExpectedPrompt prompt = Prompt(PromptKind::Colors, normalListLabel);
        prompt.colors = answer;
        Expect(std::move(prompt));
    }
    void ExpectAbout() { Expect(Prompt(PromptKind::About, QString())); }
    // The years dialog of that title, answered with years or cancelled.
    void ExpectYears(const QString& title, std::optional<YearRange> answer) {
        Expect(Prompt(PromptKind::Years, title));
        yearAnswers_.push_back(answer);
    }
    void ExpectCalendarExport(std::optional<CalendarExportChoice> answer) {
        Expect(Prompt(PromptKind::CalendarExport, QString()));
        exportAnswers_.push_back(std::move(answer));
    }
    // The year summary window, left with the user's choice.
    void ExpectYearSummary(YearSummaryChoice answer) {
        Expect(Prompt(PromptKind::YearSummary, QString()));
        summaryAnswers_.push_back(answer);
    }
    // The common rotations, left with a rotation to use or cancelled.
    void ExpectCommonRotation(std::optional<RotationFields> answer) {
        Expect(Prompt(PromptKind::CommonRotations, QString()));
        rotationAnswers_.push_back(std::move(answer));
    }
    void ExpectRotationChange() { Expect(Prompt(PromptKind::RotationChange, QString())); }
    void ExpectPrintPreview() { Expect(Prompt(PromptKind::PrintPreview, QString())); }
    void ExpectHelpContents(const QString& helpFile, bool opens) {
        ExpectedPrompt prompt = Prompt(PromptKind::HelpContents, helpFile);
        prompt.yes = opens;
        Expect(std::move(prompt));
    }

    // Every prompt shown so far, as "kind: text", for failure messages.
    QStringList shown;
    // What the file dialogs and the color dialog were opened with, in order.
    QList<FileDialogRequest> fileDialogs;
    QList<ColorDialogRequest> colorDialogs;
    // What the dialogs and the print preview of the sharing commands were opened with.
    QList<YearsDialogRequest> yearDialogs;
    QList<CalendarExportRequest> exportDialogs;
    QList<YearCalendarSource> printPreviews;
    QList<YearSummaryRequest> summaries;
    QList<RotationChangeReport> rotationChanges;

    // Fails the running test when expected prompts never came.
    void VerifyAllShown();

    void ShowMessage(const QString& text) override { Take(PromptKind::Message, text); }
    void ShowError(const QString& text) override { Take(PromptKind::Error, text); }
    bool AskYesNo(const QString& title, const QString& text) override {
        const auto p = Take(PromptKind::YesNo, title + QStringLiteral(" | ") + text);
        return p && p->yes;
    }
    std::optional<QString> AskOpenFileName(const FileDialogRequest& request) override {
        fileDialogs.append(request);
        const auto p = Take(PromptKind::OpenFile, request.title);
        return p ? p->fileName : std::nullopt;
    }
    std::optional<QString> AskSaveFileName(const FileDialogRequest& request) override {
        fileDialogs.append(request);
        const auto p = Take(PromptKind::SaveFile, request.title);
        return p ? p->fileName : std::nullopt;
    }
    ColorDialogResult PickColors(const ColorDialogRequest& request) override {
        colorDialogs.append(request);
        const auto p = Take(PromptKind::Colors, request.normalListLabel);
        return p ? p->colors : ColorDialogResult{};
    }
    bool ShowHelpContents(const QString& helpFile) override {
        const auto p = Take(PromptKind::HelpContents, helpFile);
        return p && p->yes;
    }
    void ShowAbout() override { Take(PromptKind::About, QString()); }
    std::optional<YearRange> AskYears(const YearsDialogRequest& request) override {
        yearDialogs.append(request);
        if (!Take(PromptKind::Years, request.title))
            return std::nullopt;
        return Next(yearAnswers_);
    }
    std::optional<CalendarExportChoice>
    AskCalendarExport(const CalendarExportRequest& request) override {
        exportDialogs.append(request);
        if (!Take(PromptKind::CalendarExport, QString()))
            return std::nullopt;
        return Next(exportAnswers_);
    }
    void ShowPrintPreview(const YearCalendarSource& source) override {
        printPreviews.append(source);
        Take(PromptKind::PrintPreview, QString());
    }

    YearSummaryChoice ShowYearSummary(const YearSummaryRequest& request) override {
        summaries.append(request);
        if (!Take(PromptKind::YearSummary, QString()))
            return {false, request.year};
        return *Next(summaryAnswers_);
    }

    std::optional<RotationFields> ChooseCommonRotation() override {
        if (!Take(PromptKind::CommonRotations, QString()))
            return std::nullopt;
        return Next(rotationAnswers_);
    }
    void ShowRotationChange(const RotationChangeReport& report) override {
        rotationChanges.append(report);
        Take(PromptKind::RotationChange, QString());
    }

private:
    static ExpectedPrompt Prompt(PromptKind kind, const QString& text) {
        ExpectedPrompt prompt;
        prompt.kind = kind;
        prompt.text = text;
        return prompt;
    }

    static QString Describe(PromptKind kind, const QString& text);

    // The expected prompt, or nullptr when this one was not expected.
    std::unique_ptr<ExpectedPrompt> Take(PromptKind kind, const QString& text);

    // The answer of the next expected dialog of its kind.
    template <typename T> static std::optional<T> Next(std::deque<std::optional<T>>& answers) {
        std::optional<T> answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }

    std::deque<std::unique_ptr<ExpectedPrompt>> queue_;
    // The answers of the sharing commands' dialogs, in the order expected.
    std::deque<std::optional<YearRange>> yearAnswers_;
    std::deque<std::optional<CalendarExportChoice>> exportAnswers_;
    std::deque<std::optional<YearSummaryChoice>> summaryAnswers_;
    std::deque<std::optional<RotationFields>> rotationAnswers_;
};

} // namespace kestro::test
