// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PageTabBar.h"

#include <QProxyStyle>

namespace {

constexpr int kCaptionPadding = 12;
constexpr int kTabHeight = 21;

class NarrowTabStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_TabBarTabHSpace)
            return kCaptionPadding;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

PageTabBar::PageTabBar(QWidget* parent) : QTabBar(parent)
{
    auto* style = new NarrowTabStyle;
    style->setParent(this);
    setStyle(style);
    setDrawBase(false);
    setExpanding(false);
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
}

QSize PageTabBar::tabSizeHint(int index) const
{
    return {QTabBar::tabSizeHint(index).width(), kTabHeight};
}
