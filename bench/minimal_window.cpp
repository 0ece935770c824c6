// The anchor for the start-up figures: the least Qt Widgets program that shows a main window,
// built with the same compiler, flags and Qt as kestro. bench/startup.sh times both to their
// first painted frame.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Minimal"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    auto* label = new QLabel(QStringLiteral("Minimal window"), &window);
    window.setCentralWidget(label);
    window.resize(253, 400);
    window.show();
    return QApplication::exec();
}
