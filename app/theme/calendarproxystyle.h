#pragma once

#include <QProxyStyle>

// The application's style: Fusion, with check-box, item-view check and
// radio indicators painted in the theme's colours at the moment of painting,
// so they follow the mode and accent without a restyle. Dialog buttons carry
// text only: stock icons do not belong in the flat look.
class CalendarProxyStyle : public QProxyStyle
{
    Q_OBJECT
public:
    // Over Fusion unless another base is given.
    explicit CalendarProxyStyle(QStyle *base = nullptr);

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption *option = nullptr, const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;

private:
    static void drawCheck(const QStyleOption *option, QPainter *painter);
    static void drawRadio(const QStyleOption *option, QPainter *painter);
};
