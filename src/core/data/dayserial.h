#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

// Dates and times are stored as day serials: days since 1899-12-30 00:00, the fraction being
// the time of day. This is the one place that converts them, and that formats amounts.
// The wall-clock date and time of a QDateTime are stored as they are, without any time-zone
// conversion. Before the base day the whole part counts back while the fraction still counts
// forward from midnight (-1.25 is 1899-12-29 06:00), as Windows dates do. An invalid date gives
// 0; a serial that is not a finite, plausible number gives an invalid date.
namespace DaySerial {
double fromDateTime(const QDateTime& dt);
double fromDate(const QDate& d);
QDateTime toDateTime(double serial);
QDate toDate(double serial);
// "0.00": at least one integer digit, two decimals, "." always, no thousands separator,
// rounded half away from zero on the decimal value (2.675 gives "2.68"); never "-0.00".
QString formatAmount(double value);
// The user's short date format; empty for a serial that is no date.
QString formatDate(double serial);
} // namespace DaySerial
