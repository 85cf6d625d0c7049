// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own texts (standard buttons, the edit menu) are Chinese like the rest of the program.
#include "Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include <gtest/gtest.h>

#include <memory>

namespace {

void RemoveTranslators() {
    for (auto* t : QCoreApplication::instance()->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

QString CancelText() {
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    return box.button(QMessageBox::Cancel)->text();
}

QStringList EditMenuTexts() {
    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (QAction* a : menu->actions())
        texts << a->text();
    return texts;
}

TEST(QtTranslations, StandardButtonsAndEditMenuAreChinese) {
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QDir(dir).exists(QStringLiteral("qtbase_zh_CN.qm")))
        GTEST_SKIP() << "qt6-translations-l10n is not installed";
    EXPECT_EQ(Platform::InstallQtTranslations(), 2);
    EXPECT_EQ(CancelText(), QStringLiteral("取消"));
    EXPECT_TRUE(EditMenuTexts().filter(QStringLiteral("粘贴")).size() == 1)
        << EditMenuTexts().join(' ').toStdString();
    RemoveTranslators();
}

TEST(QtTranslations, AMissingCatalogueLeavesTheEnglishTexts) {
    EXPECT_EQ(Platform::InstallQtTranslations(QStringLiteral("/nonexistent")), 0);
    EXPECT_EQ(CancelText(), QStringLiteral("Cancel"));
    EXPECT_TRUE(QCoreApplication::instance()->findChildren<QTranslator*>().isEmpty());
}

} // namespace
