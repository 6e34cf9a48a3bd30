#pragma once

#include <QString>
#include <QStringList>

// A Windows-style INI file kept line by line, so that saving it changes only the keys written:
// comments, blank lines, unknown sections and keys, and lines that make no sense stay exactly
// where they were. Section and key names are compared without regard to case; the first
// section of a name and the first key of a name in it are the ones read and written.
//
// The file is read as UTF-8 when it is valid UTF-8 and as Windows-1252 otherwise (files from
// Windows hold 8-bit text), and it is always written as UTF-8, atomically.
class TIniFile {
public:
    TIniFile() = default;
    explicit TIniFile(const QString& path);

    // Reads the file. A missing file is an empty one (true); a file present but unreadable
    // gives false with error, and the object is left empty.
    bool load(QString* error = nullptr);
    // Writes every line back; the old file stays in place unless the new one is complete.
    bool save(QString* error = nullptr) const;

    QString path() const { return m_path; }
    void setPath(const QString& path) { m_path = path; }

    // Parses text that has already been decoded.
    void setText(const QString& text);
    QString text() const;

    bool hasSection(const QString& section) const;
    bool hasKey(const QString& section, const QString& key) const;

    // The value: the text after the first "=", with surrounding blanks removed and, as Windows
    // does, one pair of enclosing double quotes taken off. def when the key is absent.
    QString readString(const QString& section, const QString& key,
                       const QString& def = QString()) const;
    // The values of a section's keys in file order (keys themselves ignored).
    QStringList readSectionValues(const QString& section) const;

    // Rewrites the key's line in place, or adds the key at the end of its section, or adds the
    // section at the end of the file. Values are written so that readString gives them back
    // unchanged; a line break inside a value becomes a space, since it would end the line.
    void writeString(const QString& section, const QString& key, const QString& value);
    // Removes every key line of the section (all sections of that name), keeping its header,
    // comments and blank lines.
    void eraseSectionKeys(const QString& section);

    // Decodes raw file bytes: UTF-8 (an initial byte-order mark is dropped) when valid,
    // otherwise Windows-1252.
    static QString decode(const QByteArray& bytes);

private:
    struct Line {
        enum Kind { Other, Section, Key };
        Kind kind = Other;
        QString text; // the line as it stands in the file, without its line break
        QString name; // section name or key name, trimmed
    };

    static Line parse(const QString& text);
    // Index of the header line of the first section named section, or -1.
    int sectionStart(const QString& section) const;
    // One past the last line belonging to the section starting at start.
    int sectionEnd(int start) const;
    int findKey(const QString& section, const QString& key) const;
    static QString keyLine(const QString& key, const QString& value);

    QString m_path;
    QList<Line> m_lines;
    QString m_newline = QStringLiteral("\n");
};
