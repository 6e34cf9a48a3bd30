#include "shell/apppaths.h"
#include "shell/splash.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestSplash : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { TAppPaths::setInstalledDir(QStringLiteral(QUILLON_SHARE_DIR)); }

    void looks() {
        TfrmSplash splash;
        QCOMPARE(splash.size(), QSize(559, 301));
        QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(splash.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(splash.palette().color(QPalette::Window), QColor(Qt::white));
        auto* line = splash.findChild<QLabel*>(u"lblTagline"_s);
        QVERIFY(line);
        QCOMPARE(line->text(), u"Powerful database solution  without the cost"_s);
        QCOMPARE(line->font().pixelSize(), 19);
        QCOMPARE(line->palette().color(QPalette::WindowText), QColor(244, 121, 31));
    }

    void closesItselfAfterTwoSeconds() {
        TfrmSplash splash;
        // The clock runs from creation, not from the moment it is shown.
        QVERIFY(splash.Timer1()->isActive());
        QCOMPARE(splash.Timer1()->interval(), 2000);
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        QTRY_VERIFY_WITH_TIMEOUT(!splash.isVisible(), 5000);
        QVERIFY(!splash.Timer1()->isActive());
    }
};

QTEST_MAIN(TestSplash)
#include "tst_splash.moc"
