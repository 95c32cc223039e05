#include "FontConversion.h"

#include <QtTest>

using namespace pelmora;
using namespace pelmora::ui;

class FontConversionTest : public QObject {
    Q_OBJECT

private slots:
    void storedFontSurvivesTheFontDialog() {
        velmet::FontSpec spec;
        spec.height = -17;
        spec.weight = 700;
        spec.italic = 1;
        spec.underline = 1;
        spec.setFace(u"DejaVu Sans");
        const velmet::FontSpec back = toFontSpec(toQFont(spec));
        QCOMPARE(back, spec);
        // Through the 92 stored bytes too.
        QCOMPARE(velmet::FontSpec::fromBytes(back.toBytes()), spec);
    }

    void pointSizedFontIsStoredInPixels() {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSize(12);
        QCOMPARE(toFontSpec(font).height, -16);
        QCOMPARE(toQFont(toFontSpec(font)).pixelSize(), 16);
    }

    void coloursKeepTheirStoredByteOrder() {
        QCOMPARE(toQColor(0x0000FF), QColor(255, 0, 0));
        QCOMPARE(toColorValue(QColor(0x12, 0x34, 0x56)), velmet::ColorValue(0x563412));
        QCOMPARE(toColorValue(toQColor(0xC83232)), velmet::ColorValue(0xC83232));
    }
};

QTEST_MAIN(FontConversionTest)
#include "FontConversionTest.moc"
