#pragma once

#include <QProxyStyle>

// The application's style: Fusion, with check-box, item-view check and
// radio indicators painted in the theme's colours at the moment of painting,
// so they follow the mode and accent without a restyle.
class CalendarProxyStyle : public QProxyStyle
{
    Q_OBJECT
public:
    CalendarProxyStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;

private:
    static void drawCheck(const QStyleOption *option, QPainter *painter);
    static void drawRadio(const QStyleOption *option, QPainter *painter);
};
