#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;

namespace kestro {

// Alt and a letter or digit in a window: acts on the buttons, the fields (by their labels'
// captions) and the menus of the menu bar as ChooseAccessAction says, from the captions they
// have at that moment, so that controls and menus added later take part without more. Such a
// key is never typed into a field, also when it does nothing. Keys for an open menu or a dialog
// are left alone; while the menu bar holds the keyboard (after Alt alone) it takes the letter.
class AccessKeys final : public QObject {
public:
    // Made for a window and owned by it; it sees the window's keys before its controls do.
    explicit AccessKeys(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsAccessKey(QObject* receiver, const QKeyEvent& key) const;
    void Act(QChar letter);

    QWidget* window_;
};

} // namespace kestro
