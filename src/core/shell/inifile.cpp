#include "shell/inifile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace {
// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unassigned bytes map to the
// C1 controls of the same value, as Windows itself does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeCp1252(const QByteArray& bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        d[i] = (b >= 0x80 && b < 0xA0) ? QChar(kCp1252High[b - 0x80]) : QChar(char16_t(b));
    }
    return out;
}

bool needsQuotes(const QString& value) {
    if (value.isEmpty())
        return false;
    return value.front().isSpace() || value.back().isSpace() ||
           (value.size() >= 2 && value.front() == QLatin1Char('"') &&
            value.back() == QLatin1Char('"'));
}
} // namespace

TIniFile::TIniFile(const QString& path) : m_path(path) {}

QString TIniFile::decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return decodeCp1252(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

bool TIniFile::load(QString* error) {
    m_lines.clear();
    QFile file(m_path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    setText(decode(file.readAll()));
    return true;
}

bool TIniFile::save(QString* error) const {
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.write(text().toUtf8());
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

void TIniFile::setText(const QString& text) {
    m_lines.clear();
    // Keep the file's own line breaks when it is rewritten.
    const qsizetype lf = text.indexOf(QLatin1Char('\n'));
    m_newline = (lf > 0 && text.at(lf - 1) == QLatin1Char('\r')) ? QStringLiteral("\r\n")
                                                                 : QStringLiteral("\n");
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the break after the last line
    for (QString& l : lines) {
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
        m_lines.append(parse(l));
    }
}

QString TIniFile::text() const {
    QString out;
    for (const Line& l : m_lines) {
        out += l.text;
        out += m_newline;
    }
    return out;
}

TIniFile::Line TIniFile::parse(const QString& text) {
    Line line;
    line.text = text;
    const QString t = text.trimmed();
    if (t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#')))
        return line;
    if (t.startsWith(QLatin1Char('['))) {
        const qsizetype close = t.indexOf(QLatin1Char(']'));
        if (close > 0) {
            line.kind = Line::Section;
            line.name = t.mid(1, close - 1).trimmed();
        }
        return line;
    }
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    if (eq > 0) {
        line.kind = Line::Key;
        line.name = t.left(eq).trimmed();
    }
    return line;
}

int TIniFile::sectionStart(const QString& section) const {
    for (int i = 0; i < m_lines.size(); ++i) {
        const Line& l = m_lines[i];
        if (l.kind == Line::Section && l.name.compare(section, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int TIniFile::sectionEnd(int start) const {
    int i = start + 1;
    while (i < m_lines.size() && m_lines[i].kind != Line::Section)
        ++i;
    return i;
}

int TIniFile::findKey(const QString& section, const QString& key) const {
    const int start = sectionStart(section);
    if (start < 0)
        return -1;
    const int end = sectionEnd(start);
    for (int i = start + 1; i < end; ++i) {
        const Line& l = m_lines[i];
        if (l.kind == Line::Key && l.name.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool TIniFile::hasSection(const QString& section) const {
    return sectionStart(section) >= 0;
}

bool TIniFile::hasKey(const QString& section, const QString& key) const {
    return findKey(section, key) >= 0;
}

static QString valueOf(const QString& line) {
    QString v = line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
    if (v.size() >= 2 && v.front() == QLatin1Char('"') && v.back() == QLatin1Char('"'))
        v = v.mid(1, v.size() - 2);
    return v;
}

QString TIniFile::readString(const QString& section, const QString& key, const QString& def) const {
    const int i = findKey(section, key);
    return i < 0 ? def : valueOf(m_lines[i].text);
}

QStringList TIniFile::readSectionValues(const QString& section) const {
    QStringList values;
    const int start = sectionStart(section);
    if (start < 0)
        return values;
    const int end = sectionEnd(start);
    for (int i = start + 1; i < end; ++i) {
        if (m_lines[i].kind == Line::Key)
            values.append(valueOf(m_lines[i].text));
    }
    return values;
}

QString TIniFile::keyLine(const QString& key, const QString& value) {
    QString v = value;
    v.replace(QLatin1String("\r\n"), QLatin1String(" "));
    v.replace(QLatin1Char('\r'), QLatin1Char(' '));
    v.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (needsQuotes(v))
        v = QLatin1Char('"') + v + QLatin1Char('"');
    return key + QLatin1Char('=') + v;
}

void TIniFile::writeString(const QString& section, const QString& key, const QString& value) {
    const int existing = findKey(section, key);
    if (existing >= 0) {
        // The key keeps the spelling it has in the file.
        m_lines[existing] = parse(keyLine(m_lines[existing].name, value));
        return;
    }
    const QString text = keyLine(key, value);
    const int start = sectionStart(section);
    if (start >= 0) {
        // After the section's last key, so blank lines that separate sections stay between them.
        int at = start + 1;
        const int end = sectionEnd(start);
        for (int i = start + 1; i < end; ++i) {
            if (m_lines[i].kind == Line::Key)
                at = i + 1;
        }
        m_lines.insert(at, parse(text));
        return;
    }
    if (!m_lines.isEmpty() && !m_lines.last().text.trimmed().isEmpty())
        m_lines.append(parse(QString()));
    m_lines.append(parse(QLatin1Char('[') + section + QLatin1Char(']')));
    m_lines.append(parse(text));
}

void TIniFile::eraseSectionKeys(const QString& section) {
    bool inside = false;
    for (int i = 0; i < m_lines.size();) {
        const Line& l = m_lines[i];
        if (l.kind == Line::Section)
            inside = l.name.compare(section, Qt::CaseInsensitive) == 0;
        if (inside && l.kind == Line::Key)
            m_lines.removeAt(i);
        else
            ++i;
    }
}
