// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for start-up time and idle memory: a plain Qt Widgets window of the main window's size
// with its two large pictures, and nothing else. With --text it also shows a line of Chinese, which
// costs what any window with Chinese text pays (the font configuration and a CJK face).
// run-bench.py starts it alternately with velmora.
#include <QApplication>
#include <QByteArray>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("BareWindow"));
    window.resize(792, 566);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const char* name : {":/images/banner.jpg", ":/images/scene.jpg"}) {
        auto* picture = new QLabel(&window);
        picture->setPixmap(QPixmap(QString::fromLatin1(name)));
        picture->setScaledContents(true);
        layout->addWidget(picture, name[9] == 'b' ? 0 : 1);
    }
    if (argc > 1 && QByteArray(argv[1]) == "--text")
        layout->addWidget(new QLabel(QStringLiteral("指纹测字 看手相 万年历"), &window));
    window.show();
    return app.exec();
}
