#include "data/sqlfunctions.h"

#include "data/dayserial.h"

#include <QChar>
#include <QDate>
#include <QVarLengthArray>
#include <cmath>
#include <sqlite3.h>

namespace {

bool isAscii(const unsigned char* s, int n) {
    for (int i = 0; i < n; ++i)
        if (s[i] & 0x80)
            return false;
    return true;
}

inline unsigned char asciiLower(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
}

// Case-folded code points of a UTF-8 text.
using Folded = QVarLengthArray<char32_t, 128>;
Folded fold(const QString& s) {
    Folded out;
    out.reserve(s.size());
    for (const char32_t c : s.toUcs4())
        out.append(QChar::toCaseFolded(c));
    return out;
}
Folded foldUtf8(const unsigned char* s, int n) {
    return fold(QString::fromUtf8(reinterpret_cast<const char*>(s), n));
}

int compareFoldedArrays(const Folded& a, const Folded& b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int collate(void*, int n1, const void* p1, int n2, const void* p2) {
    const auto* a = static_cast<const unsigned char*>(p1);
    const auto* b = static_cast<const unsigned char*>(p2);
    if (isAscii(a, n1) && isAscii(b, n2)) {
        const int n = std::min(n1, n2);
        for (int i = 0; i < n; ++i) {
            const unsigned char ca = asciiLower(a[i]), cb = asciiLower(b[i]);
            if (ca != cb)
                return ca < cb ? -1 : 1;
        }
        return n1 == n2 ? 0 : (n1 < n2 ? -1 : 1);
    }
    return compareFoldedArrays(foldUtf8(a, n1), foldUtf8(b, n2));
}

// LIKE with '%' (any run), '_' (one character) and an optional escape character. Greedy
// matching with one backtrack point: linear memory, O(n*m) time at worst.
template <typename Ch>
bool matchLike(const Ch* p, qsizetype np, const Ch* t, qsizetype nt, Ch escape, bool hasEscape) {
    qsizetype pi = 0, ti = 0, starP = -1, starT = 0;
    while (ti < nt) {
        if (pi < np) {
            const Ch pc = p[pi];
            if (pc == Ch('%') && !(hasEscape && pc == escape)) {
                starP = ++pi;
                starT = ti;
                continue;
            }
            if (pc == Ch('_') && !(hasEscape && pc == escape)) {
                ++pi;
                ++ti;
                continue;
            }
            Ch lit = pc;
            qsizetype step = 1;
            if (hasEscape && pc == escape && pi + 1 < np) {
                lit = p[pi + 1];
                step = 2;
            }
            if (lit == t[ti]) {
                pi += step;
                ++ti;
                continue;
            }
        }
        if (starP < 0)
            return false;
        pi = starP;
        ti = ++starT;
    }
    while (pi < np && p[pi] == Ch('%') && !(hasEscape && escape == Ch('%')))
        ++pi;
    return pi == np;
}

// Decodes UTF-8 and folds case in one pass, without building a QString per row.
void foldInto(const unsigned char* s, int n, Folded& out) {
    out.clear();
    for (int i = 0; i < n;) {
        char32_t c = s[i];
        int len = 1;
        if (c >= 0xF0 && i + 3 < n) {
            c = ((c & 0x07) << 18) | ((s[i + 1] & 0x3F) << 12) | ((s[i + 2] & 0x3F) << 6) |
                (s[i + 3] & 0x3F);
            len = 4;
        } else if (c >= 0xE0 && i + 2 < n) {
            c = ((c & 0x0F) << 12) | ((s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F);
            len = 3;
        } else if (c >= 0xC0 && i + 1 < n) {
            c = ((c & 0x1F) << 6) | (s[i + 1] & 0x3F);
            len = 2;
        }
        out.append(c < 0x80 ? char32_t(asciiLower(static_cast<unsigned char>(c)))
                            : QChar::toCaseFolded(c));
        i += len;
    }
}

// The folded pattern of a statement, computed once and kept by SQLite while the pattern
// argument stays the same.
struct PatternCache {
    Folded pattern;
};
void deletePattern(void* p) {
    delete static_cast<PatternCache*>(p);
}

void likeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
    }
    // like(X, Y) implements "Y LIKE X": the pattern comes first.
    char32_t escape = 0;
    if (argc == 3) {
        Folded esc;
        foldInto(sqlite3_value_text(argv[2]), sqlite3_value_bytes(argv[2]), esc);
        if (esc.size() != 1) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = esc[0];
    }
    // A constant pattern (a literal or a bound value) is folded once per statement; SQLite
    // drops the cache when the pattern varies by row.
    Folded local;
    const Folded* pattern = nullptr;
    if (auto* cache = static_cast<PatternCache*>(sqlite3_get_auxdata(ctx, 0))) {
        pattern = &cache->pattern;
    } else {
        foldInto(sqlite3_value_text(argv[0]), sqlite3_value_bytes(argv[0]), local);
        pattern = &local;
        auto* fresh = new PatternCache{local};
        sqlite3_set_auxdata(ctx, 0, fresh, deletePattern);
    }
    thread_local Folded text;
    foldInto(sqlite3_value_text(argv[1]), sqlite3_value_bytes(argv[1]), text);
    const bool match = matchLike<char32_t>(pattern->constData(), pattern->size(), text.constData(),
                                           text.size(), escape, argc == 3);
    sqlite3_result_int(ctx, match ? 1 : 0);
}

bool nullArgument(sqlite3_context* ctx, sqlite3_value* v) {
    if (sqlite3_value_type(v) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return true;
    }
    return false;
}

QDate dateOfSerial(double serial) {
    return DaySerial::toDate(serial);
}

void yearFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (nullArgument(ctx, argv[0]))
        return;
    sqlite3_result_int(ctx, dateOfSerial(sqlite3_value_double(argv[0])).year());
}

void monthFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (nullArgument(ctx, argv[0]))
        return;
    sqlite3_result_int(ctx, dateOfSerial(sqlite3_value_double(argv[0])).month());
}

// Whole days of a serial: the floor, so a time before midnight of day -1 stays on day -1.
void intFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (nullArgument(ctx, argv[0]))
        return;
    sqlite3_result_int64(ctx, sqlite3_int64(std::floor(sqlite3_value_double(argv[0]))));
}

void isnullFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    sqlite3_result_int(ctx, sqlite3_value_type(argv[0]) == SQLITE_NULL ? 1 : 0);
}
} // namespace

namespace SqlFunctions {

bool registerAll(sqlite3* db, QString* error) {
    constexpr int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    int rc = sqlite3_create_collation(db, CollationName, SQLITE_UTF8, nullptr, collate);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function(db, "like", 2, flags, nullptr, likeFunction, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function(db, "like", 3, flags, nullptr, likeFunction, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function(db, "year", 1, flags, nullptr, yearFunction, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function(db, "month", 1, flags, nullptr, monthFunction, nullptr,
                                     nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function(db, "int", 1, flags, nullptr, intFunction, nullptr, nullptr);
    // ISNULL is also an SQLite keyword: the function is reached as "isnull"(x).
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function(db, "isnull", 1, flags, nullptr, isnullFunction, nullptr,
                                     nullptr);
    if (rc != SQLITE_OK) {
        if (error)
            *error = QString::fromUtf8(sqlite3_errmsg(db));
        return false;
    }
    return true;
}

int compareFolded(const QString& a, const QString& b) {
    const QByteArray ua = a.toUtf8(), ub = b.toUtf8();
    return collate(nullptr, int(ua.size()), ua.constData(), int(ub.size()), ub.constData());
}

bool likeMatch(const QString& pattern, const QString& text, char32_t escape) {
    const Folded fp = fold(pattern), ft = fold(text);
    const char32_t e = escape ? QChar::toCaseFolded(escape) : 0;
    return matchLike<char32_t>(fp.constData(), fp.size(), ft.constData(), ft.size(), e,
                               escape != 0);
}

} // namespace SqlFunctions
