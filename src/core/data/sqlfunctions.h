#pragma once

#include <QString>

struct sqlite3;

// What SQLite lacks and Quillon's queries use: a Unicode case-folding collation for "=" and
// ORDER BY on text columns, a LIKE that ignores case for every letter, and the date and null
// helpers of the reports. Registered on every connection that reads a Quillon file.
namespace SqlFunctions {
// Name of the collation the schema gives every text column.
inline constexpr const char* CollationName = "QNOCASE";

// False with the engine's message when a registration fails.
bool registerAll(sqlite3* db, QString* error);

// The comparisons themselves, exposed so tests and benchmarks can check them directly.
int compareFolded(const QString& a, const QString& b);
bool likeMatch(const QString& pattern, const QString& text, char32_t escape = 0);
} // namespace SqlFunctions
