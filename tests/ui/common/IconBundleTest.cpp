// Icons with a picture of their own for the disabled state.
#include "IconBundle.h"

#include <QPixmap>
#include <QTest>

using namespace pelmora::ui;

class IconBundleTest : public QObject {
    Q_OBJECT

private slots:
    void disabledPictures_data() {
        QTest::addColumn<int>("disabledNumber");
        QTest::addColumn<bool>("ownPicture");
        QTest::newRow("held by the bundle") << 26 << true;
        QTest::newRow("missing: the normal picture greyed") << 27 << false;
    }

    void disabledPictures() {
        QFETCH(int, disabledNumber);
        QFETCH(bool, ownPicture);
        IconBundle bundle;
        QVERIFY(bundle.load(QStringLiteral(ICON_TEST_BUNDLE)));
        const QIcon icon = bundle.icon(24, disabledNumber);
        const QImage disabled = icon.pixmap(32, QIcon::Disabled).toImage();
        const QImage own = bundle.icon(26).pixmap(32).toImage();
        QVERIFY(!disabled.isNull());
        QCOMPARE(disabled == own, ownPicture);
        // Never blank: some pixel of the disabled picture is drawn.
        bool drawn = false;
        for (int y = 0; y < disabled.height() && !drawn; ++y)
            for (int x = 0; x < disabled.width() && !drawn; ++x)
                drawn = qAlpha(disabled.pixel(x, y)) != 0;
        QVERIFY(drawn);
    }
};

QTEST_MAIN(IconBundleTest)
#include "IconBundleTest.moc"
