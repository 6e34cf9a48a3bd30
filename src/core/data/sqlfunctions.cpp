#include "data/sqlfunctions.h"

#include "data/dayserial.h"

#include <QChar>
#include <QDate>
#include <QVarLengthArray>
#include <algorithm>
#include <cmath>
#include <memory>
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
// argument stays the same. The quick search's pattern is nearly always "%text%": that shape
// is answered by a substring search, on the raw bytes when both sides are ASCII.
struct PatternCache {
    Folded pattern;
    char32_t escape = 0;
    bool hasEscape = false;
    bool isContains = false; // "%literal%" with no other wildcard
    Folded literal;          // the folded literal of such a pattern
    QByteArray asciiLiteral; // the same in lower-case ASCII, when it is ASCII
};
void deletePattern(void* p) {
    delete static_cast<PatternCache*>(p);
}

void analysePattern(PatternCache& c) {
    const Folded& p = c.pattern;
    const auto isWild = [&](qsizetype i) {
        return (p[i] == U'%' || p[i] == U'_') && !(c.hasEscape && p[i] == c.escape);
    };
    if (p.size() < 2 || p[0] != U'%' || p[p.size() - 1] != U'%')
        return;
    Folded lit;
    for (qsizetype i = 1; i < p.size() - 1; ++i) {
        if (c.hasEscape && p[i] == c.escape) {
            if (i + 1 >= p.size())
                return;
            lit.append(p[++i]);
            continue;
        }
        if (isWild(i))
            return;
        lit.append(p[i]);
    }
    // The closing '%' must not itself be escaped.
    qsizetype escapes = 0;
    for (qsizetype i = p.size() - 2; i >= 1 && c.hasEscape && p[i] == c.escape; --i)
        ++escapes;
    if (escapes % 2 == 1)
        return;
    c.isContains = true;
    c.literal = lit;
    bool ascii = true;
    QByteArray bytes;
    for (const char32_t ch : lit) {
        if (ch >= 0x80) {
            ascii = false;
            break;
        }
        bytes.append(char(ch));
    }
    if (ascii)
        c.asciiLiteral = bytes;
}

// Case-insensitive search of an ASCII needle in a text that is ASCII so far: 1 found,
// 0 not found, -1 the text holds a non-ASCII byte (the caller folds it fully instead).
int asciiContains(const unsigned char* text, int n, const QByteArray& needle) {
    const int m = int(needle.size());
    const auto* nd = reinterpret_cast<const unsigned char*>(needle.constData());
    for (int i = 0; i < n; ++i) {
        if (text[i] & 0x80)
            return -1;
    }
    if (m == 0)
        return 1;
    for (int i = 0; i + m <= n; ++i) {
        if (asciiLower(text[i]) != nd[0])
            continue;
        int j = 1;
        while (j < m && asciiLower(text[i + j]) == nd[j])
            ++j;
        if (j == m)
            return 1;
    }
    return 0;
}

void likeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
    }
    // like(X, Y) implements "Y LIKE X": the pattern comes first. A constant pattern and escape
    // (a literal or a bound value) are analysed once per statement; SQLite drops the cache
    // when they vary by row.
    auto* cache = static_cast<PatternCache*>(sqlite3_get_auxdata(ctx, 0));
    if (!cache || (argc == 3 && !sqlite3_get_auxdata(ctx, 2))) {
        auto fresh = std::make_unique<PatternCache>();
        if (argc == 3) {
            Folded esc;
            foldInto(sqlite3_value_text(argv[2]), sqlite3_value_bytes(argv[2]), esc);
            if (esc.size() != 1) {
                sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
                return;
            }
            fresh->escape = esc[0];
            fresh->hasEscape = true;
        }
        foldInto(sqlite3_value_text(argv[0]), sqlite3_value_bytes(argv[0]), fresh->pattern);
        analysePattern(*fresh);
        cache = fresh.release();
        sqlite3_set_auxdata(ctx, 0, cache, deletePattern);
        if (argc == 3) // marks the escape argument as seen with this pattern
            sqlite3_set_auxdata(ctx, 2, cache, nullptr);
        cache = static_cast<PatternCache*>(sqlite3_get_auxdata(ctx, 0));
        if (!cache) { // SQLite could not keep it (out of memory): nothing to match with
            sqlite3_result_error_nomem(ctx);
            return;
        }
    }
    const auto* raw = sqlite3_value_text(argv[1]);
    const int n = sqlite3_value_bytes(argv[1]);
    int match = -1;
    if (cache->isContains && !cache->asciiLiteral.isNull())
        match = asciiContains(raw, n, cache->asciiLiteral);
    if (match < 0) {
        thread_local Folded text;
        foldInto(raw, n, text);
        if (cache->isContains) {
            match = std::search(text.cbegin(), text.cend(), cache->literal.cbegin(),
                                cache->literal.cend()) != text.cend();
        } else {
            match =
                matchLike<char32_t>(cache->pattern.constData(), cache->pattern.size(),
                                    text.constData(), text.size(), cache->escape, cache->hasEscape);
        }
    }
    sqlite3_result_int(ctx, match > 0 ? 1 : 0);
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
