// Shows the Set Color dialog for platoon A (red on white over white) and saves screen shots:
// closed, with the first pick list open, and with the second one open. For looking at the dialog
// on a real display: setcolor_shot OUTPUT_FOLDER
#include "colordialog/SetColor.h"

#include <QApplication>
#include <QComboBox>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");

    kestro::ColorDialogRequest request;
    request.normalHeading = QStringLiteral("Normal");
    request.inverseHeading = QStringLiteral("Inverse");
    request.normalCaption = QStringLiteral("A Plt");
    request.normalFill = 0x00FFFFFF;
    request.normalCaptionColor = 0x000000FF;
    request.inverseCaption = QStringLiteral("A Inv");
    request.inverseFill = 0x000000FF;
    request.inverseCaptionColor = 0x00FFFFFF;
    request.normalListLabel = QStringLiteral("A Platoon Color:");
    request.inverseListLabel = QStringLiteral("A Platoon Inverse");
    request.normalSelection = 0x000000FF;
    request.inverseSelection = 0x00FFFFFF;

    kestro::TColorDlg dialog;
    dialog.Fill(request);
    dialog.show();
    QTest::qWait(500);
    bool saved = dialog.grab().save(folder + QStringLiteral("/setcolor-dialog.png"));
    const auto shoot = [&](const char* name) {
        QTest::qWait(500);
        saved = QGuiApplication::primaryScreen()->grabWindow(0).save(folder + QLatin1Char('/') +
                                                                     QLatin1String(name)) &&
                saved;
    };
    shoot("setcolor-screen.png");
    dialog.cbColor->showPopup();
    shoot("setcolor-list1.png");
    dialog.cbColor->hidePopup();
    dialog.cbInverse->setCurrentIndex(30); // the longest name
    dialog.cbInverse->showPopup();
    shoot("setcolor-list2.png");
    dialog.cbInverse->hidePopup();
    if (!saved)
        std::fputs("could not save the pictures\n", stderr);
    return saved ? 0 : 1;
}
