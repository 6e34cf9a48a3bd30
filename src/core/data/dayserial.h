#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

// Dates and times are stored as day serials: days since 1899-12-30 00:00, the fraction being
// the time of day. This is the one place that converts them, and that formats amounts.
namespace DaySerial {
double fromDateTime(const QDateTime& dt);
double fromDate(const QDate& d);
QDateTime toDateTime(double serial);
QDate toDate(double serial);
// "0.00": at least one integer digit, two decimals, "." always, no thousands separator.
QString formatAmount(double value);
// The user's short date format.
QString formatDate(double serial);
} // namespace DaySerial
