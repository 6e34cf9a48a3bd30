#include "data/dayserial.h"

#include <QtTest>
#include <cmath>
#include <limits>

// Day serials are what the database stores for every date, so both directions must agree.
class TestDaySerial : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void fromDateTime_data();
    void fromDateTime();
    void toDateTime_data();
    void toDateTime();
    void roundTripEveryMinuteOfADay();
    void formatAmount_data();
    void formatAmount();
    void formatDateOfNothing();
};

void TestDaySerial::fromDateTime_data() {
    QTest::addColumn<QDateTime>("dateTime");
    QTest::addColumn<double>("serial");

    auto dt = [](int y, int m, int d, int h = 0, int min = 0, int s = 0) {
        return QDateTime(QDate(y, m, d), QTime(h, min, s));
    };
    QTest::newRow("base day") << dt(1899, 12, 30) << 0.0;
    QTest::newRow("unix epoch") << dt(1970, 1, 1) << 25569.0;
    QTest::newRow("1900-03-01 (no 1900 leap day)") << dt(1900, 3, 1) << 61.0;
    QTest::newRow("noon") << dt(2000, 1, 1, 12) << 36526.5;
    QTest::newRow("leap day evening") << dt(2024, 2, 29, 18) << 45351.75;
    QTest::newRow("last second of a day") << dt(2024, 1, 1, 23, 59, 59) << 45292 + 86399.0 / 86400;
    QTest::newRow("year 9999") << dt(9999, 12, 31) << 2958465.0;
    QTest::newRow("day before base") << dt(1899, 12, 29) << -1.0;
    QTest::newRow("before base with time: fraction counts forward") << dt(1899, 12, 29, 6) << -1.25;
    QTest::newRow("a century before base") << dt(1800, 1, 1, 18) << -36522.75;
    QTest::newRow("invalid") << QDateTime() << 0.0;
}

void TestDaySerial::fromDateTime() {
    QFETCH(QDateTime, dateTime);
    QFETCH(double, serial);
    QCOMPARE(DaySerial::fromDateTime(dateTime), serial);
    if (dateTime.isValid()) {
        QCOMPARE(DaySerial::toDateTime(serial), dateTime);
        QCOMPARE(DaySerial::fromDate(dateTime.date()), std::trunc(serial));
        QCOMPARE(DaySerial::toDate(serial), dateTime.date());
    }
}

void TestDaySerial::toDateTime_data() {
    QTest::addColumn<double>("serial");
    QTest::addColumn<QDateTime>("dateTime"); // invalid: no date

    QTest::newRow("minus a half is noon of the base day")
        << -0.5 << QDateTime(QDate(1899, 12, 30), QTime(12, 0));
    QTest::newRow("rounds to the millisecond")
        << 45292.0 + 1.0 / 86400000 * 0.6 << QDateTime(QDate(2024, 1, 1), QTime(0, 0, 0, 1));
    QTest::newRow("a hair before midnight is midnight")
        << 45292.99999999999 << QDateTime(QDate(2024, 1, 2), QTime(0, 0));
    QTest::newRow("same before base")
        << -1.99999999999 << QDateTime(QDate(1899, 12, 30), QTime(0, 0));
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << QDateTime();
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << QDateTime();
    QTest::newRow("absurdly large") << 1e300 << QDateTime();
}

void TestDaySerial::toDateTime() {
    QFETCH(double, serial);
    QFETCH(QDateTime, dateTime);
    QCOMPARE(DaySerial::toDateTime(serial), dateTime);
    QCOMPARE(DaySerial::toDate(serial), dateTime.date());
}

void TestDaySerial::roundTripEveryMinuteOfADay() {
    // Floating-point drift would show up as a minute off somewhere in the day.
    const QDate day(2031, 7, 15);
    for (int minute = 0; minute < 24 * 60; ++minute) {
        const QDateTime dt(day, QTime(0, 0).addSecs(minute * 60));
        QCOMPARE(DaySerial::toDateTime(DaySerial::fromDateTime(dt)), dt);
    }
}

void TestDaySerial::formatAmount_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << QStringLiteral("0.00");
    QTest::newRow("negative zero") << -0.0 << QStringLiteral("0.00");
    QTest::newRow("tiny negative is no -0.00") << -0.004 << QStringLiteral("0.00");
    QTest::newRow("fraction keeps a leading zero") << 0.5 << QStringLiteral("0.50");
    QTest::newRow("negative") << -12.5 << QStringLiteral("-12.50");
    QTest::newRow("no thousands separator") << 1234567.891 << QStringLiteral("1234567.89");
    QTest::newRow("half a penny rounds up: 2.675") << 2.675 << QStringLiteral("2.68");
    QTest::newRow("half a penny rounds up: 1.005") << 1.005 << QStringLiteral("1.01");
    QTest::newRow("negative half rounds away from zero") << -2.675 << QStringLiteral("-2.68");
    QTest::newRow("sum of tenths") << 0.1 + 0.2 << QStringLiteral("0.30");
    QTest::newRow("large") << 98765432109.99 << QStringLiteral("98765432109.99");
}

void TestDaySerial::formatAmount() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(DaySerial::formatAmount(value), text);
    // A "," locale must not leak into stored or printed amounts.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(DaySerial::formatAmount(value), text);
}

void TestDaySerial::formatDateOfNothing() {
    QCOMPARE(DaySerial::formatDate(std::numeric_limits<double>::quiet_NaN()), QString());
    QVERIFY(DaySerial::formatDate(45351).contains(QStringLiteral("29")));
}

QTEST_GUILESS_MAIN(TestDaySerial)
#include "tst_dayserial.moc"
