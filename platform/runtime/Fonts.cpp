// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fonts.h"

#include <QFont>
#include <QStringList>

namespace Platform {

void InstallFontSubstitutes() {
    // WenQuanYi Zen Hei Mono (fonts-wqy-zenhei) has half-width Latin like the classic families;
    // the others are fallbacks for systems that have only them.
    const QStringList substitutes = {
        QStringLiteral("WenQuanYi Zen Hei Mono"), QStringLiteral("WenQuanYi Zen Hei"),
        QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("Noto Sans CJK SC")};
    for (const char* family : {"宋体", "SimSun", "新宋体", "NSimSun", "黑体", "SimHei"}) {
        const QString name = QString::fromUtf8(family);
        if (QFont::substitutes(name) != substitutes)
            QFont::insertSubstitutions(name, substitutes);
    }
    // The clerical-script family (the calendar's zodiac figure) looks closest in a brush font.
    QStringList brush = {QStringLiteral("AR PL UKai CN")};
    brush += substitutes;
    // The regular-script families (the About dialog's maker line) are brush faces too: AR PL UKai
    // (fonts-arphic-ukai) is one.
    for (const char* family : {"隶书", "LiSu", "楷体_GB2312", "楷体", "KaiTi", "KaiTi_GB2312"}) {
        const QString name = QString::fromUtf8(family);
        if (QFont::substitutes(name) != brush)
            QFont::insertSubstitutions(name, brush);
    }
}

} // namespace Platform
