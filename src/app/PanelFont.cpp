// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PanelFont.h"

#include <QApplication>
#include <QFontDatabase>

namespace {
const QString kFamily = QStringLiteral("Liberation Sans");
constexpr int kPixelSize = 10;
} // namespace

QFont PanelFont()
{
    QFont font = QApplication::font();
    if (QFontDatabase::hasFamily(kFamily))
        font.setFamilies({kFamily});
    font.setPixelSize(kPixelSize);
    return font;
}
