#include "support/FakePrompts.h"

#include <QTest>

namespace kestro::test {

void FakePrompts::VerifyAllShown() {
    yearAnswers_.clear();
    exportAnswers_.clear();
    rotationAnswers_.clear();
    if (queue_.empty())
        return;
    QString missing;
    for (const auto& p : queue_)
        missing += QStringLiteral("\n  ") + Describe(p->kind, p->text);
    queue_.clear();
    QTest::qFail(qPrintable(QStringLiteral("Expected prompts never shown:") + missing), __FILE__,
                 __LINE__);
}

QString FakePrompts::Describe(PromptKind kind, const QString& text) {
    static const char* const names[] = {"message",          "error",          "question",
                                        "open dialog",      "save dialog",    "colors",
                                        "help contents",    "about",          "years dialog",
                                        "calendar export",  "print preview",  "year summary",
                                        "common rotations", "rotation change"};
    return QString::fromLatin1(names[int(kind)]) + QStringLiteral(": \"") + text + QLatin1Char('"');
}

std::unique_ptr<ExpectedPrompt> FakePrompts::Take(PromptKind kind, const QString& text) {
    shown.append(Describe(kind, text));
    if (queue_.empty() || queue_.front()->kind != kind || queue_.front()->text != text) {
        const QString expected = queue_.empty()
                                     ? QStringLiteral("nothing")
                                     : Describe(queue_.front()->kind, queue_.front()->text);
        QTest::qFail(qPrintable(QStringLiteral("Unexpected prompt ") + Describe(kind, text) +
                                QStringLiteral(", expected ") + expected),
                     __FILE__, __LINE__);
        return nullptr;
    }
    std::unique_ptr<ExpectedPrompt> prompt = std::move(queue_.front());
    queue_.pop_front();
    return prompt;
}

} // namespace kestro::test
