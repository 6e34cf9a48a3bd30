#include "rtf/rtfparser.h"

#include "documents/pictures.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QImageReader>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QThreadPool>

namespace {

constexpr qsizetype kMaxDestText = 64 * 1024; // names, field instructions, level texts
constexpr int kMaxListLevels = 9;
constexpr qsizetype kMaxColors = 10000;
constexpr int kMaxPictureSide = 20000; // px, for the shown size only
constexpr qint64 kMaxImagePixels = 64LL * 1024 * 1024;

// What a picture that cannot be shown is drawn as: a light grey box of the picture's size.
QImage BlankPicture() {
    QImage image(1, 1, QImage::Format_ARGB32);
    image.fill(QColor(0xF0, 0xF0, 0xF0));
    return image;
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

qreal Mm(int twips) {
    return twips * 25.4 / 1440.0;
}

QTextListFormat::Style StyleFor(TRtfListKind kind, QChar bullet) {
    switch (kind) {
    case TRtfListKind::UpperRoman:
        return QTextListFormat::ListUpperRoman;
    case TRtfListKind::LowerRoman:
        return QTextListFormat::ListLowerRoman;
    case TRtfListKind::UpperAlpha:
        return QTextListFormat::ListUpperAlpha;
    case TRtfListKind::LowerAlpha:
        return QTextListFormat::ListLowerAlpha;
    case TRtfListKind::Decimal:
        return QTextListFormat::ListDecimal;
    default:
        break;
    }
    const char16_t b = bullet.unicode();
    if (b == u'o' || b == 0x25E6 || b == 0x25CB)
        return QTextListFormat::ListCircle;
    if (b == 0xF0A7 || b == 0xF06E || b == 0x25AA || b == 0x25A0 || b == u'\u00A7')
        return QTextListFormat::ListSquare;
    return QTextListFormat::ListDisc;
}

} // namespace

TRtfParser::TRtfParser(const QByteArray& rtf, QTextDocument* doc)
    : m_data(rtf), m_doc(doc), m_tables(&m_cursor) {}

TRtfParser::~TRtfParser() = default;

TRtfReadResult TRtfParser::run() {
    TRtfReadResult result;
    const char* p = m_data.constData();
    const char* const end = p + m_data.size();
    if (end - p >= 3 && static_cast<unsigned char>(p[0]) == 0xEF &&
        static_cast<unsigned char>(p[1]) == 0xBB && static_cast<unsigned char>(p[2]) == 0xBF)
        p += 3;
    while (p < end && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n'))
        ++p;
    if (end - p < 5 || std::string_view(p, 5) != std::string_view("{\\rtf")) {
        result.error = QStringLiteral("The file is not a rich-text (RTF) document.");
        return result;
    }

    const bool undo = m_doc->isUndoRedoEnabled();
    m_doc->setUndoRedoEnabled(false);
    m_doc->clear();
    m_cursor = QTextCursor(m_doc);
    // One edit block: the document tells its layout about the changes once, at the end,
    // instead of laying out text after every insertion.
    QTextCursor editBlock(m_doc);
    editBlock.beginEditBlock();
    m_stack.reserve(64);
    m_stack.push_back(Group());

    while (p < end && !m_finished) {
        const char c = *p;
        if (c == '{') {
            openGroup();
            ++p;
        } else if (c == '}') {
            closeGroup();
            ++p;
        } else if (c == '\\') {
            ++p;
            if (p >= end)
                break;
            if (IsLetter(*p)) {
                const char* w = p;
                while (p < end && IsLetter(*p))
                    ++p;
                // Longer words are not RTF; keep them unknown rather than truncated.
                std::string_view word(w, qMin<qsizetype>(p - w, 40));
                bool negative = false, hasParam = false;
                qint64 value = 0;
                if (p < end && *p == '-' && p + 1 < end && p[1] >= '0' && p[1] <= '9') {
                    negative = true;
                    ++p;
                }
                while (p < end && *p >= '0' && *p <= '9') {
                    hasParam = true;
                    if (value < 10'000'000'000LL)
                        value = value * 10 + (*p - '0');
                    ++p;
                }
                if (p < end && *p == ' ')
                    ++p;
                if (negative)
                    value = -value;
                const int param = int(qBound<qint64>(qint64(INT_MIN) + 1, value, qint64(INT_MAX)));
                if (word == "bin" && hasParam) {
                    const qsizetype n = qBound<qsizetype>(0, qsizetype(param), qsizetype(end - p));
                    flushBytes();
                    if (m_overflow == 0 && top().dest == Dest::Pict &&
                        m_pict.data.size() + n <= m_data.size())
                        m_pict.data.append(p, n);
                    p += n;
                    m_star = false;
                    continue;
                }
                controlWord(word, hasParam, param);
            } else {
                const char s = *p++;
                switch (s) {
                case '\'': {
                    const int hi = p < end ? HexValue(p[0]) : -1;
                    const int lo = p + 1 < end ? HexValue(p[1]) : -1;
                    if (hi < 0 || lo < 0) {
                        p += (hi >= 0 ? 1 : 0); // a broken escape; drop it
                        break;
                    }
                    p += 2;
                    const char byte = char(hi * 16 + lo);
                    textBytes(&byte, 1);
                    break;
                }
                case '\\':
                case '{':
                case '}':
                    textBytes(&s, 1);
                    break;
                case '*':
                    m_star = true;
                    break;
                case '~':
                    appendChar(0x00A0);
                    break;
                case '-':
                    appendChar(0x00AD);
                    break;
                case '_':
                    appendChar(0x2011);
                    break;
                case '\r':
                case '\n':
                    controlWord("par", false, 0);
                    break;
                case '\t':
                    controlWord("tab", false, 0);
                    break;
                default:
                    break; // \| \: and unknown symbols
                }
            }
        } else if (c == '\r' || c == '\n' || c == '\0') {
            ++p;
        } else {
            const char* s = p;
            while (p < end && *p != '{' && *p != '}' && *p != '\\' && *p != '\r' && *p != '\n' &&
                   *p != '\0')
                ++p;
            textBytes(s, p - s);
        }
    }

    // End of input, balanced or not: finish what is open.
    while (m_stack.size() > 1)
        closeGroup();
    flushText();
    if (m_blockHasContent || m_cursor.block().length() > 1)
        finishParagraph(false);
    else if (m_cursor.blockFormat() != QTextBlockFormat())
        m_cursor.setBlockFormat(QTextBlockFormat()); // the format given ahead, never used
    m_tables.finish();
    addDecodedPictures();
    editBlock.endEditBlock();
    // The final \par leaves an empty paragraph no writer meant as content.
    QTextCursor last(m_doc);
    last.movePosition(QTextCursor::End);
    const QTextBlock lastBlock = last.block();
    const QTextBlock prev = lastBlock.previous();
    if (lastBlock.length() == 1 && prev.isValid() && !lastBlock.textList() &&
        last.currentFrame() == m_doc->rootFrame() &&
        QTextCursor(prev).currentFrame() == m_doc->rootFrame() &&
        lastBlock.blockFormat().pageBreakPolicy() == QTextFormat::PageBreak_Auto) {
        last.deletePreviousChar();
    }

    // The document's own font is the default font (\deff) in the Normal style's size: text
    // and paragraph marks without a font of their own show in it, as where they were written.
    if (const auto font = m_fonts.constFind(m_defaultFont);
        font != m_fonts.cend() && !font->name.isEmpty()) {
        QFont base = m_doc->defaultFont();
        base.setFamily(font->name);
        const auto normal = m_styles.constFind(0);
        base.setPointSizeF((normal != m_styles.cend() ? normal->ch.halfPoints : 24) / 2.0);
        m_doc->setDefaultFont(base);
    }
    if (m_background.isValid()) {
        QTextFrameFormat ff = m_doc->rootFrame()->frameFormat();
        ff.setBackground(m_background);
        m_doc->rootFrame()->setFrameFormat(ff);
    }
    m_doc->setUndoRedoEnabled(undo);
    m_doc->setModified(false);

    result.ok = true;
    if (m_pageSetupSeen) {
        const int w = m_paperW > 0 ? m_paperW : 12240;
        const int h = m_paperH > 0 ? m_paperH : 15840;
        result.paperSizeMm = QSizeF(Mm(w), Mm(h));
        int m[4];
        const int defaults[4] = {1800, 1440, 1800, 1440};
        for (int i = 0; i < 4; ++i)
            m[i] = m_margin[i] > 0 ? m_margin[i]
                                   : (m_sectMargin[i] > 0 ? m_sectMargin[i] : defaults[i]);
        result.marginsMm = QMarginsF(Mm(m[0]), Mm(m[1]), Mm(m[2]), Mm(m[3]));
    }
    return result;
}

void TRtfParser::openGroup() {
    flushBytes();
    m_ucSkip = 0;
    m_star = false;
    if (int(m_stack.size()) >= MaxGroupDepth) {
        ++m_overflow;
        return;
    }
    m_stack.push_back(m_stack.back());
    Group& g = m_stack.back();
    g.field = false;
    g.destOwner = false;
    switch (g.dest) {
    case Dest::StyleSheet:
        // Each style starts from plain text and a plain paragraph.
        g.ch = TRtfCharProps();
        g.ch.font = m_defaultFont;
        g.para = TRtfParaProps();
        m_styleNum = 0;
        m_styleUsable = true;
        m_styleIsChar = false;
        m_destBytes.clear();
        m_destText.clear();
        break;
    case Dest::FontTable:
        m_destBytes.clear();
        m_destText.clear();
        m_fontNum = -1;
        m_font = TRtfFont();
        break;
    default:
        break;
    }
}

void TRtfParser::closeGroup() {
    flushBytes();
    m_ucSkip = 0;
    m_star = false;
    if (m_overflow > 0) {
        --m_overflow;
        return;
    }
    if (m_stack.size() <= 1)
        return; // a stray closing brace
    const Group closing = std::move(m_stack.back());
    m_stack.pop_back();
    // What follows the document's closing brace is not part of it.
    if (m_stack.size() == 1)
        m_finished = true;
    if (closing.destOwner) {
        endDestination(closing);
    } else if (closing.dest == Dest::FontTable && top().dest == Dest::FontTable) {
        if (m_fontNum >= 0)
            commitFont(); // an entry without its ';'
    } else if (closing.dest == Dest::StyleSheet && top().dest == Dest::StyleSheet) {
        if (!m_destBytes.isEmpty() || !m_destText.isEmpty())
            commitStyle();
    }
    if (closing.field && !m_fields.empty())
        m_fields.pop_back();
}

void TRtfParser::endDestination(const Group& closing) {
    const Dest parent = top().dest;
    switch (closing.dest) {
    case Dest::FontTable:
        if (m_fontNum >= 0)
            commitFont();
        break;
    case Dest::LevelText:
        commitLevelText();
        break;
    case Dest::ListLevel:
        if (parent == Dest::List && m_list.levels.size() < kMaxListLevels) {
            m_level.prefix.clear();
            m_list.levels.append(m_level);
        }
        break;
    case Dest::List:
        if (parent == Dest::ListTable && m_lists.size() < 10000)
            m_lists.insert(m_listId, m_list);
        break;
    case Dest::ListOverride:
        if (parent == Dest::ListOverrideTable && m_overrides.size() < 10000)
            m_overrides.insert(m_overrideLs, m_listId);
        break;
    case Dest::Pict:
        if (parent == Dest::Text)
            insertPicture();
        m_pict = Picture();
        break;
    case Dest::FieldInst:
        if (!m_fields.empty())
            m_fields.back().inst = destText();
        m_destBytes.clear();
        m_destText.clear();
        break;
    case Dest::OldList:
        top().para.oldListKind = m_pnKind;
        top().para.oldListStart = m_pnStart;
        top().para.oldListBefore = m_pnBefore;
        top().para.oldListAfter = m_pnAfter;
        break;
    case Dest::OldListBefore:
    case Dest::OldListAfter:
        // Short by nature; anything longer is damage.
        (closing.dest == Dest::OldListBefore ? m_pnBefore : m_pnAfter) = destText().left(32);
        m_destBytes.clear();
        m_destText.clear();
        break;
    case Dest::ShapeName:
        m_shapeName = destText().trimmed();
        break;
    case Dest::ShapeValue:
        if (m_shapeName == QLatin1String("fillColor")) {
            // Shape colours are BGR numbers.
            bool ok = false;
            const uint v = destText().trimmed().toUInt(&ok);
            if (ok)
                m_background = QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
        }
        break;
    default:
        break;
    }
}

int TRtfParser::currentCodePage() {
    const int font = top().ch.font;
    if (font >= 0) {
        const auto it = m_fonts.constFind(font);
        if (it != m_fonts.cend() && it->codepage != 0)
            return it->codepage;
    }
    return m_docCodePage;
}

void TRtfParser::textBytes(const char* data, qsizetype size) {
    m_star = false;
    if (m_overflow > 0)
        return; // content nested deeper than any real document is dropped
    if (m_ucSkip > 0) {
        const qsizetype n = qMin<qsizetype>(m_ucSkip, size);
        m_ucSkip -= int(n);
        data += n;
        size -= n;
    }
    if (size <= 0)
        return;
    Group& g = top();
    switch (g.dest) {
    case Dest::Skip:
        return;
    case Dest::Pict: {
        // Written straight into the grown buffer: pictures are most of the bytes of many files.
        QByteArray& out = m_pict.data;
        const qsizetype at = out.size();
        out.resize(at + (size + 1) / 2);
        char* dst = out.data() + at;
        int nibble = m_pict.nibble;
        for (qsizetype i = 0; i < size; ++i) {
            const int v = HexValue(data[i]);
            if (v < 0)
                continue;
            if (nibble < 0) {
                nibble = v;
            } else {
                *dst++ = char(nibble * 16 + v);
                nibble = -1;
            }
        }
        m_pict.nibble = nibble;
        out.resize(dst - out.constData());
        return;
    }
    case Dest::ColorTable:
        for (qsizetype i = 0; i < size; ++i) {
            if (data[i] == ';') {
                // Real tables hold a few dozen colours; a file of semicolons must not make
                // millions.
                if (m_colors.size() < kMaxColors)
                    m_colors.append(m_colorSet ? QColor(m_red, m_green, m_blue) : QColor());
                forgetCharFormats();
                m_red = m_green = m_blue = 0;
                m_colorSet = false;
            }
        }
        return;
    case Dest::Text:
        if (g.ch.hidden)
            return;
        break;
    default:
        break;
    }
    const int cp = g.dest == Dest::Text ? currentCodePage() : m_docCodePage;
    if (g.dest == Dest::Text) {
        if (!m_bytes.isEmpty() && cp != m_bytesCodePage)
            flushBytes();
        m_bytesCodePage = cp;
        m_bytes.append(data, size);
        return;
    }
    if (g.dest == Dest::FontTable) {
        // Font names end at ';'.
        for (qsizetype i = 0; i < size; ++i) {
            if (data[i] == ';') {
                if (m_fontNum >= 0)
                    commitFont();
            } else if (m_destBytes.size() < kMaxDestText) {
                m_destBytes.append(data[i]);
            }
        }
        return;
    }
    if (g.dest == Dest::StyleSheet) {
        for (qsizetype i = 0; i < size; ++i) {
            if (data[i] == ';')
                commitStyle();
            else if (m_destBytes.size() < kMaxDestText)
                m_destBytes.append(data[i]);
        }
        return;
    }
    if (m_destBytes.size() + size <= kMaxDestText)
        m_destBytes.append(data, size);
}

void TRtfParser::flushBytes() {
    if (m_bytes.isEmpty())
        return;
    auto& decoder = m_decoders[m_bytesCodePage];
    if (!decoder)
        decoder = std::make_unique<TCodePageDecoder>(m_bytesCodePage);
    const Group& g = top();
    if (g.dest == Dest::Text && !g.ch.hidden) {
        // Decoded straight into the waiting run: no string per piece of text.
        if (!m_text.isEmpty() && !(m_textProps == g.ch))
            insertRun();
        if (m_text.isEmpty())
            m_textProps = g.ch;
        decoder->decodeAppend(m_bytes.constData(), m_bytes.size(), m_text);
    } else {
        appendText(decoder->decode(m_bytes));
    }
    decoder->reset();
    m_bytes.resize(0); // keeps the buffer for the next piece
}

void TRtfParser::appendText(const QString& text) {
    if (text.isEmpty())
        return;
    const Group& g = top();
    if (g.dest != Dest::Text) {
        if (g.dest != Dest::Skip && g.dest != Dest::Pict && m_destText.size() < kMaxDestText)
            m_destText += text;
        return;
    }
    if (g.ch.hidden)
        return;
    if (!m_text.isEmpty() && !(m_textProps == g.ch))
        insertRun();
    if (m_text.isEmpty())
        m_textProps = g.ch;
    m_text += text;
}

void TRtfParser::appendChar(char16_t c) {
    if (m_overflow > 0)
        return;
    flushBytes();
    const Dest d = top().dest;
    if (d != Dest::Text) {
        // Other destinations collect bytes; keep the order of bytes and characters.
        if (d != Dest::Skip && d != Dest::Pict && d != Dest::ColorTable) {
            m_destText = destText(); // the bytes so far, decoded, then the character
            m_destBytes.clear();
            if (m_destText.size() < kMaxDestText)
                m_destText += QChar(c);
        }
        return;
    }
    const Group& g = top();
    if (g.ch.hidden)
        return;
    if (!m_text.isEmpty() && !(m_textProps == g.ch))
        insertRun();
    if (m_text.isEmpty())
        m_textProps = g.ch;
    m_text += QChar(c);
}

QString TRtfParser::destText() {
    QString text = m_destText + DecodeCodePage(m_docCodePage, m_destBytes);
    return text;
}

void TRtfParser::flushText() {
    flushBytes();
    insertRun();
}

void TRtfParser::insertRun() {
    if (m_text.isEmpty())
        return;
    m_tables.ensureLevel(top().para.tableLevel(), m_rowDef);
    m_cursor.insertText(m_text, charFormat(m_textProps));
    m_text.resize(0); // keeps the buffer for the next run
    m_blockHasContent = true;
}

void TRtfParser::finishParagraph(bool newBlock, int minLevel) {
    flushText();
    const TRtfParaProps& para = top().para;
    m_tables.ensureLevel(qMax(minLevel, para.tableLevel()), m_rowDef);
    TRtfParaProps p = para;
    if (m_breakNext) {
        p.breakBefore = true;
        m_breakNext = false;
    }
    QTextList* list = listFor(p);
    if (!list)
        m_oldList = nullptr;
    const QTextBlockFormat& bf = blockFormat(p, list);
    // The paragraph's formats are known without asking the document while the cursor is still
    // in the paragraph this reader began with them.
    const bool known = m_marksKnown && m_marksMoves == m_tables.moves();
    if (known ? !(m_knownBlock == bf) : m_cursor.blockFormat() != bf)
        m_cursor.setBlockFormat(bf);
    // The character format in force at the mark is the format of the paragraph it ends (its
    // empty-line height, what typing at its end continues with), not of the next one.
    QTextCharFormat mark = charFormat(top().ch);
    const QTextCharFormat held = known ? m_knownMark : m_cursor.blockCharFormat();
    if (held.isTableCellFormat()) {
        // A cell's first paragraph carries the cell's own format: keep it and its shading.
        QTextCharFormat cell = held;
        mark.clearBackground();
        cell.merge(mark);
        mark = cell;
    }
    // Setting it is costly (it re-formats the block's mark); most marks already have it.
    if (held != mark)
        m_cursor.setBlockCharFormat(mark);
    if (newBlock) {
        // Paragraphs mostly keep the format of the one before: giving it to the new paragraph
        // now spares setting it when that paragraph ends (checked there all the same).
        m_knownMark = charFormat(top().ch);
        m_cursor.insertBlock(bf, m_knownMark);
        m_knownBlock = bf;
        m_marksKnown = true;
        m_marksMoves = m_tables.moves();
    }
    m_blockHasContent = false;
}

const QTextCharFormat& TRtfParser::charFormat(const TRtfCharProps& props) {
    for (size_t i = 0; i < m_charFormats.size(); ++i) {
        if (m_charFormats[i].props == props) {
            if (i > 0)
                std::swap(m_charFormats[i], m_charFormats[i - 1]); // frequent ones move up
            return m_charFormats[i > 0 ? i - 1 : 0].format;
        }
    }
    if (m_charFormats.size() >= CharFormatCacheSize)
        m_charFormats.pop_back();
    m_charFormats.insert(m_charFormats.begin(),
                         CachedCharFormat{props, MakeCharFormat(props, m_fonts, m_colors)});
    return m_charFormats.front().format;
}

const QTextBlockFormat& TRtfParser::blockFormat(const TRtfParaProps& para, QTextList* list) {
    const int listIndex = list ? list->objectIndex() : -1;
    if (!m_blockFmtValid || m_blockList != listIndex || !(m_blockProps == para)) {
        m_blockFmt = MakeBlockFormat(para, list != nullptr);
        // Joining by object index keeps the block in its list: a list left empty even for a
        // moment is deleted by the document.
        if (list)
            m_blockFmt.setObjectIndex(listIndex);
        m_blockProps = para;
        m_blockList = listIndex;
        m_blockFmtValid = true;
    }
    return m_blockFmt;
}

QTextList* TRtfParser::listFor(const TRtfParaProps& para) {
    if (para.oldListKind != TRtfListKind::None && para.listOverride <= 0) {
        // Legacy numbering has no list identity: consecutive paragraphs of one kind form a list.
        if (!m_oldList || m_oldListKind != para.oldListKind ||
            m_oldListBefore != para.oldListBefore || m_oldListAfter != para.oldListAfter) {
            QTextListFormat f;
            const QChar bullet =
                para.oldListBefore.isEmpty() ? QChar(0x2022) : para.oldListBefore.at(0);
            f.setStyle(StyleFor(para.oldListKind, bullet));
            f.setIndent(1);
            if (para.oldListKind != TRtfListKind::Bullet) {
                // The file gives all the text around the number; none means none.
                f.setNumberPrefix(para.oldListBefore);
                f.setNumberSuffix(para.oldListAfter);
            }
            m_oldList = m_cursor.createList(f);
            m_marksKnown = false; // the paragraph is in the new list now
            m_oldListKind = para.oldListKind;
            m_oldListBefore = para.oldListBefore;
            m_oldListAfter = para.oldListAfter;
        }
        return m_oldList;
    }
    if (para.listOverride <= 0)
        return nullptr;
    const int level = qBound(0, para.listLevel, kMaxListLevels - 1);
    const quint64 key = (quint64(quint32(para.listOverride)) << 8) | quint64(level);
    if (QTextList* list = m_textLists.value(key)) {
        for (int deeper = level + 1; deeper < kMaxListLevels; ++deeper)
            m_textLists.remove((quint64(quint32(para.listOverride)) << 8) | quint64(deeper));
        return list;
    }
    QTextListFormat f;
    f.setIndent(level + 1);
    f.setStyle(QTextListFormat::ListDisc);
    const auto ov = m_overrides.constFind(para.listOverride);
    const int listId = ov != m_overrides.cend() ? *ov : para.listOverride;
    const auto def = m_lists.constFind(listId);
    if (def == m_lists.cend())
        return nullptr; // a list nobody defined shows no marker
    // A new item of a level restarts the numbering of the levels below it.
    for (int deeper = level + 1; deeper < kMaxListLevels; ++deeper)
        m_textLists.remove((quint64(quint32(para.listOverride)) << 8) | quint64(deeper));
    if (level < def->levels.size()) {
        const ListLevel& lv = def->levels.at(level);
        if (lv.kind == TRtfListKind::None)
            return nullptr;
        f.setStyle(StyleFor(lv.kind, lv.bullet));
        if (lv.kind != TRtfListKind::Bullet) {
            f.setNumberPrefix(lv.prefix);
            f.setNumberSuffix(lv.suffix);
        }
    }
    if (m_textLists.size() > 10000)
        return nullptr;
    QTextList* list = m_cursor.createList(f);
    m_marksKnown = false; // the paragraph is in the new list now
    m_textLists.insert(key, list);
    return list;
}

void TRtfParser::commitFont() {
    QString name = destText().trimmed();
    if (m_font.codepage != 0 && !m_destBytes.isEmpty())
        name = (m_destText + DecodeCodePage(m_font.codepage, m_destBytes)).trimmed();
    m_font.name = name;
    forgetCharFormats();
    if (m_fonts.size() < 10000 || m_fonts.contains(m_fontNum))
        m_fonts.insert(m_fontNum, m_font);
    m_destBytes.clear();
    m_destText.clear();
    m_fontNum = -1;
    m_font = TRtfFont();
}

void TRtfParser::commitStyle() {
    const QString name = destText().trimmed();
    m_destBytes.clear();
    m_destText.clear();
    if (!m_styleUsable || m_styles.size() + m_charStyles.size() > 10000)
        return;
    if (m_styleIsChar) {
        m_charStyles.insert(m_styleNum, top().ch);
        return;
    }
    Group g = top();
    g.para.style = m_styleNum;
    g.para.heading = 0;
    static const QLatin1String heading("heading ");
    if (name.startsWith(heading, Qt::CaseInsensitive)) {
        const int level = name.mid(heading.size()).toInt();
        if (level >= 1 && level <= 6)
            g.para.heading = level;
    }
    m_styles.insert(m_styleNum, g);
}

void TRtfParser::commitLevelText() {
    const QString text = destText();
    m_destBytes.clear();
    m_destText.clear();
    if (text.isEmpty())
        return;
    // The first character is the length; characters below 10 stand for level numbers.
    const int len = qMin(int(text.at(0).unicode()), int(text.size()) - 1);
    const QString body = text.mid(1, len);
    int first = -1, last = -1;
    for (int i = 0; i < body.size(); ++i) {
        if (body.at(i).unicode() < 10) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first < 0) {
        m_level.bullet = body.isEmpty() ? QChar(0x2022) : body.at(0);
        if (m_level.kind != TRtfListKind::None)
            m_level.kind = TRtfListKind::Bullet;
    } else {
        m_level.text = body;
        m_level.suffix = body.mid(last + 1);
        m_level.prefix = body.left(first);
    }
}

QString TRtfParser::hyperlinkTarget(const QString& inst) const {
    // HYPERLINK "target" \l "anchor" ...; arguments may be quoted or bare.
    QStringList args;
    QString cur;
    bool quoted = false, any = false;
    for (qsizetype i = 0; i < inst.size(); ++i) {
        const QChar c = inst.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                quoted = false;
            } else if (c == QLatin1Char('\\') && i + 1 < inst.size() &&
                       (inst.at(i + 1) == QLatin1Char('\\') ||
                        inst.at(i + 1) == QLatin1Char('"'))) {
                cur += inst.at(++i);
            } else {
                cur += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            any = true;
        } else if (c.isSpace()) {
            if (any || !cur.isEmpty())
                args.append(cur);
            cur.clear();
            any = false;
        } else {
            cur += c;
        }
    }
    if (any || !cur.isEmpty())
        args.append(cur);
    if (args.isEmpty() ||
        args.first().compare(QLatin1String("HYPERLINK"), Qt::CaseInsensitive) != 0)
        return {};
    QString target, anchor;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a.startsWith(QLatin1Char('\\')) && a.size() == 2) {
            const QChar sw = a.at(1).toLower();
            if (i + 1 < args.size() && sw != QLatin1Char('m') && sw != QLatin1Char('n') &&
                sw != QLatin1Char('h')) {
                if (sw == QLatin1Char('l'))
                    anchor = args.at(i + 1);
                ++i;
            }
        } else if (target.isEmpty()) {
            target = a;
        }
    }
    if (!anchor.isEmpty())
        target += QLatin1Char('#') + anchor;
    return target;
}

void TRtfParser::insertPicture() {
    Picture& pic = m_pict;
    // Only the header is read here; the picture itself is decoded beside the reading.
    QSize own;
    if (pic.format == 1 || pic.format == 2) {
        QBuffer buffer(&pic.data);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, pic.format == 1 ? "png" : "jpeg");
        const QSize size = reader.size();
        if (size.isValid() && qint64(size.width()) * size.height() <= kMaxImagePixels)
            own = size;
    }
    // Shown size: the goal size (twips) if given, else the picture's own.
    auto shown = [](int goal, int own, int scale, bool metafile) -> qreal {
        qreal twips = goal > 0 ? goal : (metafile ? own * 1440.0 / 2540.0 : own * 15.0);
        twips = twips * qBound(1, scale, 10000) / 100.0;
        return qBound<qreal>(1.0, TwipsToPx(int(qMin<qreal>(twips, 1e8))), kMaxPictureSide);
    };
    const bool metafile = pic.format == 3;
    int ownW = pic.w, ownH = pic.h;
    if (own.isValid() && (pic.goalW <= 0 || pic.goalH <= 0)) {
        ownW = own.width();
        ownH = own.height();
    }
    qreal w = shown(pic.goalW, qMax(0, ownW), pic.scaleX, metafile);
    qreal h = shown(pic.goalH, qMax(0, ownH), pic.scaleY, metafile);
    QString name;
    if (!own.isValid()) {
        // Something we cannot show: keep its place blank.
        if (w <= 1 && h <= 1)
            w = h = 16;
        name = QStringLiteral("rtfimage:blank");
        if (!m_pictureNames.contains(name)) {
            m_pictureNames.insert(name);
            m_doc->addResource(QTextDocument::ImageResource, QUrl(name), BlankPicture());
        }
    } else {
        name = QStringLiteral("rtfimage:") +
               QString::fromLatin1(
                   QCryptographicHash::hash(pic.data, QCryptographicHash::Md5).toHex());
        if (!m_pictureNames.contains(name)) {
            m_pictureNames.insert(name);
            auto task = std::make_shared<std::packaged_task<QImage()>>(
                [data = pic.data, format = pic.format == 1 ? "png" : "jpeg"] {
                    return QImage::fromData(data, format);
                });
            m_pendingPictures.push_back({name, pic.data, task->get_future()});
            QThreadPool::globalInstance()->start([task] { (*task)(); });
        }
    }
    flushText();
    m_tables.ensureLevel(top().para.tableLevel(), m_rowDef);
    QTextImageFormat f;
    f.setName(name);
    f.setWidth(w);
    f.setHeight(h);
    m_cursor.insertImage(f);
    m_blockHasContent = true;
}

void TRtfParser::addDecodedPictures() {
    for (PendingPicture& pending : m_pendingPictures) {
        // A picture whose header read well but whose data is damaged shows as a blank.
        QImage image = pending.image.get();
        if (image.isNull()) {
            m_doc->addResource(QTextDocument::ImageResource, QUrl(pending.name), BlankPicture());
            continue;
        }
        m_doc->addResource(QTextDocument::ImageResource, QUrl(pending.name), image);
        // The file data too: writing the document again keeps it as it came.
        m_doc->addResource(QTextDocument::ImageResource, PictureDataName(pending.name),
                           pending.data);
    }
    m_pendingPictures.clear();
}
