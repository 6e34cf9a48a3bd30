#pragma once

#include "rtf/codepages.h"
#include "rtf/rtfkeywords.h"
#include "rtf/rtfprops.h"
#include "rtf/rtfreader.h"
#include "rtf/rtftables.h"

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QPointer>
#include <QSet>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextList>
#include <future>
#include <map>
#include <memory>
#include <vector>

class QTextDocument;

// Reads RTF into a QTextDocument in one pass over the bytes. Groups are kept on an explicit
// stack (capped, so deep nesting cannot exhaust the call stack or memory); text is gathered
// into runs and inserted a run at a time.
class TRtfParser {
public:
    TRtfParser(const QByteArray& rtf, QTextDocument* doc);
    ~TRtfParser();
    TRtfReadResult run();

    // Outlook's mails nest a group for every HTML element left open, thousands deep; 10,000
    // groups take a few megabytes at most.
    static constexpr int MaxGroupDepth = 10000;
    static constexpr int MaxFieldDepth = 32;

private:
    enum class Dest : quint8 {
        Text,
        Skip,
        FontTable,
        ColorTable,
        StyleSheet,
        ListTable,
        List,
        ListLevel,
        LevelText,
        ListOverrideTable,
        ListOverride,
        Pict,
        FieldInst,
        Background,
        ShapeName,
        ShapeValue,
        OldList,
        OldListBefore, // \pntxtb: text before the number, or the bullet
        OldListAfter   // \pntxta: text after the number
    };
    struct Group {
        Dest dest = Dest::Text;
        TRtfCharProps ch;
        TRtfParaProps para;
        int uc = 1;
        bool field = false;
        bool destOwner = false; // a destination word started here
    };
    struct ListLevel {
        TRtfListKind kind = TRtfListKind::Decimal;
        int start = 1;
        QString text;
        QString prefix, suffix;
        QChar bullet;
    };
    struct ListDef {
        QList<ListLevel> levels;
    };
    struct Field {
        QString inst;
    };
    struct Picture {
        QByteArray data;
        int format = 0; // 0 unknown, 1 PNG, 2 JPEG, 3 metafile, 4 bitmap
        int w = 0, h = 0, goalW = 0, goalH = 0, scaleX = 100, scaleY = 100;
        int nibble = -1;
    };

    Group& top() { return m_stack.back(); }
    void openGroup();
    void closeGroup();
    void endDestination(const Group& closing);
    void controlWord(std::string_view word, bool hasParam, int param);
    bool destinationWord(TRtfKw kw, bool starred);
    void charOrParaWord(TRtfKw kw, bool hasParam, int param);
    void tableWord(TRtfKw kw, bool hasParam, int param);
    void textBytes(const char* data, qsizetype size);
    void binary(qsizetype size);

    int currentCodePage();
    void flushBytes();
    void appendText(const QString& text);
    void appendChar(char16_t c);
    void flushText();
    void insertRun();
    void finishParagraph(bool newBlock, int minLevel = 0);
    void attachList(const TRtfParaProps& para);
    QTextList* listFor(const TRtfParaProps& para);
    void insertPicture();
    void addDecodedPictures();
    void commitFont();
    void commitStyle();
    void commitLevelText();
    QString destText();
    QString hyperlinkTarget(const QString& inst) const;

    const QByteArray& m_data;
    QTextDocument* m_doc;
    QTextCursor m_cursor;
    TRtfTableBuilder m_tables;
    std::vector<Group> m_stack;
    int m_overflow = 0; // groups beyond MaxGroupDepth, counted but not kept
    bool m_star = false;
    bool m_finished = false; // the document's outermost group has closed
    int m_ucSkip = 0;

    // Text waiting to be inserted, in one format.
    QByteArray m_bytes;
    int m_bytesCodePage = 0;
    QString m_text;
    // Character formats made so far, most recent first. Reusing the same format object keeps
    // the hash Qt caches inside it, and a letter switches between only a few formats.
    struct CachedCharFormat {
        TRtfCharProps props;
        QTextCharFormat format;
    };
    static constexpr int CharFormatCacheSize = 8;
    std::vector<CachedCharFormat> m_charFormats;
    const QTextCharFormat& charFormat(const TRtfCharProps& props);
    void forgetCharFormats() { m_charFormats.clear(); }
    // The last paragraph format made and what it was made from.
    TRtfParaProps m_blockProps;
    int m_blockList = -1; // object index of the paragraph's list, -1 for none
    QTextBlockFormat m_blockFmt;
    bool m_blockFmtValid = false;
    const QTextBlockFormat& blockFormat(const TRtfParaProps& para, QTextList* list);
    // The formats this reader gave the paragraph the cursor is in, while the table builder
    // has not moved it since (m_marksMoves) and no list has taken the paragraph.
    bool m_marksKnown = false;
    int m_marksMoves = 0;
    QTextBlockFormat m_knownBlock;
    QTextCharFormat m_knownMark;
    TRtfCharProps m_textProps;
    bool m_blockHasContent = false;
    bool m_breakNext = false;

    // Decoders by code page, so each is created once per document.
    std::map<int, std::unique_ptr<TCodePageDecoder>> m_decoders;
    int m_docCodePage = CodePage::Ansi;
    int m_defaultFont = -1;

    QHash<int, TRtfFont> m_fonts;
    int m_fontNum = -1;
    TRtfFont m_font;
    QList<QColor> m_colors;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorSet = false;
    QHash<int, Group> m_styles;
    int m_styleNum = 0;
    bool m_styleUsable = true;
    bool m_styleIsChar = false; // the style being read is a character style (\cs)
    QHash<int, TRtfCharProps> m_charStyles;

    QHash<int, ListDef> m_lists; // by \listid
    QHash<int, int> m_overrides; // \ls -> \listid
    ListDef m_list;
    ListLevel m_level;
    int m_listId = 0;
    int m_overrideLs = 0;
    QHash<quint64, QPointer<QTextList>> m_textLists;
    QPointer<QTextList> m_oldList;
    TRtfListKind m_oldListKind = TRtfListKind::None;
    QString m_oldListBefore, m_oldListAfter;
    TRtfListKind m_pnKind = TRtfListKind::None;
    int m_pnStart = 1;
    QString m_pnBefore, m_pnAfter;

    QByteArray m_destBytes; // text of a font, style, level text, field instruction ...
    QString m_destText;

    TRtfRowDef m_rowDef;
    int m_borderSide = -1;

    std::vector<Field> m_fields;
    Picture m_pict;
    // Pictures being decoded on the thread pool, added to the document when reading ends.
    struct PendingPicture {
        QString name;
        QByteArray data;
        std::future<QImage> image;
    };
    std::vector<PendingPicture> m_pendingPictures;
    QSet<QString> m_pictureNames; // every picture resource added or on its way
    QString m_shapeName;
    QColor m_background;

    int m_paperW = 0, m_paperH = 0;
    int m_margin[4] = {0, 0, 0, 0}; // left, top, right, bottom
    int m_sectMargin[4] = {0, 0, 0, 0};
    bool m_pageSetupSeen = false;
};
