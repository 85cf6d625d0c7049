// SPDX-License-Identifier: GPL-3.0-or-later
// Velmora: fortune telling and the Chinese calendar.
#include "Unt_Main.h"

#include "Application.h"
#include "LinuxFacilities.h"
#include "Platform.h"
#include "Translations.h"
#include "WebEngineEnv.h"
#include "WindowOwner.h"

#include <QIcon>

int main(int argc, char** argv) {
    Platform::UseLinuxFacilities();
    Platform::PrepareWebEngine();
    Platform::Application app(argc, argv);
    Platform::Application::setTitle(QStringLiteral("Velmora"));
    Platform::InstallQtTranslations();

    QIcon icon;
    for (int size : {16, 24, 32, 48, 128})
        icon.addFile(QStringLiteral(":/images/icons/velmora-%1.png").arg(size), QSize(size, size));
    app.setWindowIcon(icon);

    Frmmain = new TFrmmain();
    Platform::Own(Frmmain);
    Platform::CentreOnScreen(Frmmain);
    Frmmain->show();
    const int code = app.exec();
    Platform::DestroyOwnedWindows();
    return code;
}
