#pragma once

#include "app/Prompts.h"

#include <QString>
#include <QStringList>
#include <QTest>

#include <deque>

namespace kestro::test {

enum class PromptKind { Message, Error, YesNo, OpenFile, SaveFile, Colors, HelpContents, About };

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
    void Expect(ExpectedPrompt prompt) { queue_.push_back(std::move(prompt)); }
    void ExpectMessage(const QString& text) { Expect(Prompt(PromptKind::Message, text)); }
    void ExpectError(const QString& text) { Expect(Prompt(PromptKind::Error, text)); }
    void ExpectHelpContents(const QString& helpFile, bool opens) {
        ExpectedPrompt prompt = Prompt(PromptKind::HelpContents, helpFile);
        prompt.yes = opens;
        Expect(std::move(prompt));
    }

    // Every prompt shown so far, as "kind: text", for failure messages.
    QStringList shown;

    void VerifyAllShown() {
        if (!queue_.empty()) {
            QString missing;
            for (const ExpectedPrompt& p : queue_)
                missing += QStringLiteral("\n  ") + Describe(p.kind, p.text);
            queue_.clear();
            QTest::qFail(qPrintable(QStringLiteral("Expected prompts never shown:") + missing),
                         __FILE__, __LINE__);
        }
    }

    void ShowMessage(const QString& text) override { Take(PromptKind::Message, text); }
    void ShowError(const QString& text) override { Take(PromptKind::Error, text); }
    bool AskYesNo(const QString& title, const QString& text) override {
        const auto p = Take(PromptKind::YesNo, title + QStringLiteral(" | ") + text);
        return p && p->yes;
    }
    std::optional<QString> AskOpenFileName(const FileDialogRequest& request) override {
        const auto p = Take(PromptKind::OpenFile, request.title);
        return p ? p->fileName : std::nullopt;
    }
    std::optional<QString> AskSaveFileName(const FileDialogRequest& request) override {
        const auto p = Take(PromptKind::SaveFile, request.title);
        return p ? p->fileName : std::nullopt;
    }
    ColorDialogResult PickColors(const ColorDialogRequest& request) override {
        const auto p = Take(PromptKind::Colors, request.normalListLabel);
        return p ? p->colors : ColorDialogResult{};
    }
    bool ShowHelpContents(const QString& helpFile) override {
        const auto p = Take(PromptKind::HelpContents, helpFile);
        return p && p->yes;
    }
    void ShowAbout() override { Take(PromptKind::About, QString()); }

private:
    static ExpectedPrompt Prompt(PromptKind kind, const QString& text) {
        ExpectedPrompt prompt;
        prompt.kind = kind;
        prompt.text = text;
        return prompt;
    }

    static QString Describe(PromptKind kind, const QString& text) {
        static const char* const names[] = {"message",     "error",  "question",      "open dialog",
                                            "save dialog", "colors", "help contents", "about"};
        return QString::fromLatin1(names[int(kind)]) + QStringLiteral(": \"") + text +
               QLatin1Char('"');
    }

    std::optional<ExpectedPrompt> Take(PromptKind kind, const QString& text) {
        shown.append(Describe(kind, text));
        if (queue_.empty() || queue_.front().kind != kind || queue_.front().text != text) {
            const QString expected = queue_.empty()
                                         ? QStringLiteral("nothing")
                                         : Describe(queue_.front().kind, queue_.front().text);
            QTest::qFail(qPrintable(QStringLiteral("Unexpected prompt ") + Describe(kind, text) +
                                    QStringLiteral(", expected ") + expected),
                         __FILE__, __LINE__);
            return std::nullopt;
        }
        ExpectedPrompt prompt = std::move(queue_.front());
        queue_.pop_front();
        return prompt;
    }

    std::deque<ExpectedPrompt> queue_;
};

} // namespace kestro::test
