#pragma once

// The application's look for the standard widgets it uses: thin scroll bars
// without arrows whose handle lightens under the pointer, rounded tool tips
// with room around their text (a translucent window cut to the rounded
// shape, so the corners show what lies behind with or without a compositing
// window manager), borderless scroll
// areas, plain editors (marked with the property "studioPlain") sized to their
// text alone, and the dialog background, drawn by the style itself. Menus,
// whose rows and separators are simplest said in a style sheet, get theirs
// each when they are polished, so the rest of the application never pays for
// style sheet matching.

#include <QProxyStyle>

namespace studio {

class AppStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Takes ownership of base.
    explicit AppStyle(QStyle* base);

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget = nullptr) const override;
    SubControl hitTestComplexControl(ComplexControl control, const QStyleOptionComplex* option, const QPoint& pos,
                                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget = nullptr) const override;
    QRect subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    void polish(QWidget* widget) override;
    using QProxyStyle::polish;
};

} // namespace studio
