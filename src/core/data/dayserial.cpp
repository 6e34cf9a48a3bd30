#include "data/dayserial.h"

#include <QLocale>
#include <cmath>

namespace {
constexpr qint64 kMsPerDay = 86400000;
// Beyond this the value is garbage rather than a date (the year 9999 is serial 2958465).
constexpr double kMaxSerial = 1.0e8;

qint64 baseJulianDay() {
    return QDate(1899, 12, 30).toJulianDay();
}
} // namespace

namespace DaySerial {

// Before the base day the whole part counts back and the fraction still counts forward from
// midnight: -1.25 is 1899-12-29 06:00, as Windows dates have it.
double fromDateTime(const QDateTime& dt) {
    if (!dt.isValid())
        return 0;
    const double day = fromDate(dt.date());
    const double time = dt.time().msecsSinceStartOfDay() / double(kMsPerDay);
    return day < 0 ? day - time : day + time;
}

double fromDate(const QDate& d) {
    if (!d.isValid())
        return 0;
    return double(d.toJulianDay() - baseJulianDay());
}

QDateTime toDateTime(double serial) {
    if (!std::isfinite(serial) || std::fabs(serial) > kMaxSerial)
        return QDateTime();
    double whole = std::trunc(serial);
    qint64 ms = std::llround(std::fabs(serial - whole) * kMsPerDay);
    if (ms >= kMsPerDay) { // rounding reached the next midnight, which is a day later
        ms -= kMsPerDay;
        whole += 1;
    }
    const QDate date = QDate::fromJulianDay(baseJulianDay() + qint64(whole));
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(ms)));
}

QDate toDate(double serial) {
    return toDateTime(serial).date();
}

QString formatAmount(double value) {
    // Rounded on the decimal value as typed (2.675 → 2.68), not on its binary approximation,
    // and half away from zero so that credits and debits round alike.
    const double cents = std::round(QString::number(value * 100.0, 'g', 15).toDouble());
    if (cents == 0)
        return QStringLiteral("0.00");
    return QString::number(cents / 100.0, 'f', 2);
}

QString formatDate(double serial) {
    const QDate d = toDate(serial);
    if (!d.isValid())
        return QString();
    const QLocale locale = QLocale::system();
    return locale.toString(d, locale.dateFormat(QLocale::ShortFormat));
}

} // namespace DaySerial
