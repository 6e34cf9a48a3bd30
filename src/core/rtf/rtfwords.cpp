// The reader's handling of control words, by destination.
#include "rtf/rtfparser.h"

namespace {

int Clamp(int v, int lo, int hi) {
    return qBound(lo, v, hi);
}

// Lengths beyond 22 inches (the largest RTF page) are damage, not layout.
int Twips(int v) {
    return Clamp(v, -31680, 31680);
}

bool On(bool hasParam, int param) {
    return !hasParam || param != 0;
}

} // namespace

void TRtfParser::controlWord(std::string_view word, bool hasParam, int param) {
    const TRtfKw kw = LookupRtfKeyword(word);
    const bool starred = m_star;
    m_star = false;
    if (top().dest == Dest::Skip || m_overflow > 0)
        return;
    if (m_ucSkip > 0 && kw != TRtfKw::k_u) {
        // A fallback character written as a control word is part of what \uc skips.
        switch (kw) {
        case TRtfKw::k_emdash:
        case TRtfKw::k_endash:
        case TRtfKw::k_bullet:
        case TRtfKw::k_lquote:
        case TRtfKw::k_rquote:
        case TRtfKw::k_ldblquote:
        case TRtfKw::k_rdblquote:
        case TRtfKw::k_emspace:
        case TRtfKw::k_enspace:
        case TRtfKw::k_tab:
            --m_ucSkip;
            return;
        default:
            m_ucSkip = 0;
        }
    }
    if (kw != TRtfKw::k_u)
        flushBytes();
    if (destinationWord(kw, starred))
        return;
    // Character styles are written {\*\cs10 ...} so older readers skip them; we read them.
    if (starred && !(kw == TRtfKw::k_cs && top().dest == Dest::StyleSheet)) {
        top().dest = Dest::Skip;
        return;
    }
    Group& g = top();
    switch (kw) {
    case TRtfKw::k_u: {
        int v = param;
        if (v < 0)
            v += 65536;
        appendChar(v >= 0 && v <= 0xFFFF ? char16_t(v) : char16_t(0xFFFD));
        m_ucSkip = g.uc;
        return;
    }
    case TRtfKw::k_uc:
        g.uc = Clamp(param, 0, 16);
        return;
    default:
        break;
    }

    switch (g.dest) {
    case Dest::FontTable:
        if (kw == TRtfKw::k_f) {
            m_fontNum = Clamp(param, 0, 1 << 20);
        } else if (kw == TRtfKw::k_fcharset) {
            if (m_font.codepage == 0)
                m_font.codepage = CodePageForCharset(param);
        } else if (kw == TRtfKw::k_cpg && IsCodePageSupported(param)) {
            m_font.codepage = param;
        }
        return;
    case Dest::ColorTable:
        if (kw == TRtfKw::k_red || kw == TRtfKw::k_green || kw == TRtfKw::k_blue) {
            const int v = Clamp(param, 0, 255);
            (kw == TRtfKw::k_red ? m_red : kw == TRtfKw::k_green ? m_green : m_blue) = v;
            m_colorSet = true;
        }
        return;
    case Dest::ListTable:
    case Dest::List:
    case Dest::ListLevel:
        if (kw == TRtfKw::k_listid)
            m_listId = param;
        else if (kw == TRtfKw::k_levelnfc || kw == TRtfKw::k_levelnfcn)
            m_level.kind = ListKindForNfc(param);
        else if (kw == TRtfKw::k_levelstartat)
            m_level.start = param;
        return;
    case Dest::ListOverrideTable:
    case Dest::ListOverride:
        if (kw == TRtfKw::k_listid)
            m_listId = param;
        else if (kw == TRtfKw::k_ls)
            m_overrideLs = param;
        return;
    case Dest::OldList:
        switch (kw) {
        case TRtfKw::k_pnlvlblt:
            m_pnKind = TRtfListKind::Bullet;
            break;
        case TRtfKw::k_pndec:
            m_pnKind = TRtfListKind::Decimal;
            break;
        case TRtfKw::k_pnucltr:
            m_pnKind = TRtfListKind::UpperAlpha;
            break;
        case TRtfKw::k_pnlcltr:
            m_pnKind = TRtfListKind::LowerAlpha;
            break;
        case TRtfKw::k_pnucrm:
            m_pnKind = TRtfListKind::UpperRoman;
            break;
        case TRtfKw::k_pnlcrm:
            m_pnKind = TRtfListKind::LowerRoman;
            break;
        case TRtfKw::k_pnstart:
            m_pnStart = param;
            break;
        default:
            break;
        }
        return;
    case Dest::Pict:
        switch (kw) {
        case TRtfKw::k_pngblip:
            m_pict.format = 1;
            break;
        case TRtfKw::k_jpegblip:
            m_pict.format = 2;
            break;
        case TRtfKw::k_emfblip:
        case TRtfKw::k_wmetafile:
        case TRtfKw::k_macpict:
        case TRtfKw::k_pmmetafile:
            m_pict.format = 3;
            break;
        case TRtfKw::k_dibitmap:
        case TRtfKw::k_wbitmap:
            m_pict.format = 4;
            break;
        case TRtfKw::k_picw:
            m_pict.w = param;
            break;
        case TRtfKw::k_pich:
            m_pict.h = param;
            break;
        case TRtfKw::k_picwgoal:
            m_pict.goalW = param;
            break;
        case TRtfKw::k_pichgoal:
            m_pict.goalH = param;
            break;
        case TRtfKw::k_picscalex:
            m_pict.scaleX = param;
            break;
        case TRtfKw::k_picscaley:
            m_pict.scaleY = param;
            break;
        default:
            break;
        }
        return;
    case Dest::StyleSheet:
        if (kw == TRtfKw::k_s) {
            m_styleNum = param;
            return;
        }
        if (kw == TRtfKw::k_cs) {
            m_styleNum = param;
            m_styleIsChar = true;
            return;
        }
        if (kw == TRtfKw::k_ds || kw == TRtfKw::k_ts) {
            m_styleUsable = false; // section and table styles are not applied
            return;
        }
        charOrParaWord(kw, hasParam, param);
        return;
    case Dest::Text:
        break;
    default:
        return;
    }

    switch (kw) {
    case TRtfKw::k_par:
    case TRtfKw::k_sect:
    case TRtfKw::k_column:
        finishParagraph(true);
        return;
    case TRtfKw::k_page:
        if (m_tables.depth() == 0 && g.para.tableLevel() == 0) {
            finishParagraph(true);
            m_breakNext = true;
        }
        return;
    case TRtfKw::k_line:
        appendChar(0x2028);
        return;
    case TRtfKw::k_tab:
        appendChar(u'\t');
        return;
    case TRtfKw::k_emdash:
        appendChar(0x2014);
        return;
    case TRtfKw::k_endash:
        appendChar(0x2013);
        return;
    case TRtfKw::k_bullet:
        appendChar(0x2022);
        return;
    case TRtfKw::k_lquote:
        appendChar(0x2018);
        return;
    case TRtfKw::k_rquote:
        appendChar(0x2019);
        return;
    case TRtfKw::k_ldblquote:
        appendChar(0x201C);
        return;
    case TRtfKw::k_rdblquote:
        appendChar(0x201D);
        return;
    case TRtfKw::k_emspace:
        appendChar(0x2003);
        return;
    case TRtfKw::k_enspace:
        appendChar(0x2002);
        return;
    case TRtfKw::k_qmspace:
        appendChar(0x2005);
        return;
    case TRtfKw::k_zwj:
        appendChar(0x200D);
        return;
    case TRtfKw::k_zwnj:
        appendChar(0x200C);
        return;
    case TRtfKw::k_zwbo:
        appendChar(0x200B);
        return;
    case TRtfKw::k_ltrmark:
        appendChar(0x200E);
        return;
    case TRtfKw::k_rtlmark:
        appendChar(0x200F);
        return;
    case TRtfKw::k_ansi:
        m_docCodePage = CodePage::Ansi;
        return;
    case TRtfKw::k_mac:
        m_docCodePage = 10000;
        return;
    case TRtfKw::k_pc:
        m_docCodePage = 437;
        return;
    case TRtfKw::k_pca:
        m_docCodePage = 850;
        return;
    case TRtfKw::k_ansicpg:
        if (IsCodePageSupported(param))
            m_docCodePage = param;
        return;
    case TRtfKw::k_deff:
        // It belongs to the header; deeper down it would cost a pass over every open group.
        if (m_stack.size() > 2)
            return;
        m_defaultFont = Clamp(param, 0, 1 << 20);
        for (Group& grp : m_stack)
            if (grp.ch.font < 0)
                grp.ch.font = m_defaultFont;
        return;
    case TRtfKw::k_paperw:
    case TRtfKw::k_pgwsxn:
        if (param > 0 && param <= 31680 && (kw == TRtfKw::k_paperw || m_paperW == 0)) {
            m_paperW = param;
            m_pageSetupSeen = true;
        }
        return;
    case TRtfKw::k_paperh:
    case TRtfKw::k_pghsxn:
        if (param > 0 && param <= 31680 && (kw == TRtfKw::k_paperh || m_paperH == 0)) {
            m_paperH = param;
            m_pageSetupSeen = true;
        }
        return;
    case TRtfKw::k_margl:
    case TRtfKw::k_margt:
    case TRtfKw::k_margr:
    case TRtfKw::k_margb:
    case TRtfKw::k_marglsxn:
    case TRtfKw::k_margtsxn:
    case TRtfKw::k_margrsxn:
    case TRtfKw::k_margbsxn: {
        if (param < 0 || param > 31680)
            return;
        const bool sect = kw == TRtfKw::k_marglsxn || kw == TRtfKw::k_margtsxn ||
                          kw == TRtfKw::k_margrsxn || kw == TRtfKw::k_margbsxn;
        const int side = (kw == TRtfKw::k_margl || kw == TRtfKw::k_marglsxn)   ? 0
                         : (kw == TRtfKw::k_margt || kw == TRtfKw::k_margtsxn) ? 1
                         : (kw == TRtfKw::k_margr || kw == TRtfKw::k_margrsxn) ? 2
                                                                               : 3;
        (sect ? m_sectMargin : m_margin)[side] = param;
        m_pageSetupSeen = true;
        return;
    }
    case TRtfKw::k_cs: {
        // A character style changes only what it sets; the text around it keeps the rest.
        const auto it = m_charStyles.constFind(param);
        if (it == m_charStyles.cend())
            return;
        TRtfCharProps plain;
        plain.font = m_defaultFont;
        const TRtfCharProps& st = *it;
        TRtfCharProps& ch = g.ch;
        if (st.font != plain.font)
            ch.font = st.font;
        if (st.halfPoints != plain.halfPoints)
            ch.halfPoints = st.halfPoints;
        ch.bold = ch.bold || st.bold;
        ch.italic = ch.italic || st.italic;
        ch.strike = ch.strike || st.strike;
        ch.hidden = ch.hidden || st.hidden;
        if (st.underline != plain.underline)
            ch.underline = st.underline;
        if (st.foreground != plain.foreground)
            ch.foreground = st.foreground;
        if (st.background != plain.background)
            ch.background = st.background;
        if (st.underlineColor != plain.underlineColor)
            ch.underlineColor = st.underlineColor;
        if (st.vAlign != plain.vAlign)
            ch.vAlign = st.vAlign;
        if (st.caps != plain.caps)
            ch.caps = st.caps;
        return;
    }
    case TRtfKw::k_s: {
        const auto it = m_styles.constFind(param);
        if (it == m_styles.cend())
            return;
        const TRtfParaProps keep = g.para;
        const QString href = g.ch.href;
        g.para = it->para;
        g.para.inTable = keep.inTable;
        g.para.nestLevel = keep.nestLevel;
        g.para.listOverride = keep.listOverride;
        g.para.listLevel = keep.listLevel;
        g.ch = it->ch;
        g.ch.href = href;
        return;
    }
    default:
        break;
    }
    tableWord(kw, hasParam, param);
    charOrParaWord(kw, hasParam, param);
}

bool TRtfParser::destinationWord(TRtfKw kw, bool starred) {
    Group& g = top();
    const Dest d = g.dest;
    auto enter = [&](Dest dest) {
        g.dest = dest;
        g.destOwner = true;
        m_destBytes.clear();
        m_destText.clear();
        return true;
    };
    switch (kw) {
    case TRtfKw::k_fonttbl:
        m_fontNum = -1;
        m_font = TRtfFont();
        return enter(Dest::FontTable);
    case TRtfKw::k_colortbl:
        m_red = m_green = m_blue = 0;
        m_colorSet = false;
        return enter(Dest::ColorTable);
    case TRtfKw::k_stylesheet:
        return enter(Dest::StyleSheet);
    case TRtfKw::k_listtable:
        return enter(Dest::ListTable);
    case TRtfKw::k_list:
        if (d != Dest::ListTable)
            return enter(Dest::Skip);
        m_list = ListDef();
        m_listId = 0;
        return enter(Dest::List);
    case TRtfKw::k_listlevel:
        if (d != Dest::List)
            return enter(Dest::Skip);
        m_level = ListLevel();
        return enter(Dest::ListLevel);
    case TRtfKw::k_leveltext:
        return enter(d == Dest::ListLevel ? Dest::LevelText : Dest::Skip);
    case TRtfKw::k_levelnumbers:
    case TRtfKw::k_listname:
    case TRtfKw::k_lfolevel:
        return enter(Dest::Skip);
    case TRtfKw::k_listoverridetable:
        return enter(Dest::ListOverrideTable);
    case TRtfKw::k_listoverride:
        if (d != Dest::ListOverrideTable)
            return enter(Dest::Skip);
        m_listId = 0;
        m_overrideLs = 0;
        return enter(Dest::ListOverride);
    case TRtfKw::k_pn:
        if (d != Dest::Text)
            return enter(Dest::Skip);
        m_pnKind = TRtfListKind::None;
        m_pnStart = 1;
        m_pnBefore.clear();
        m_pnAfter.clear();
        return enter(Dest::OldList);
    case TRtfKw::k_pntxtb:
    case TRtfKw::k_pntxta:
        if (d != Dest::OldList)
            return enter(Dest::Skip);
        return enter(kw == TRtfKw::k_pntxtb ? Dest::OldListBefore : Dest::OldListAfter);
    case TRtfKw::k_pict:
        m_pict = Picture();
        return enter(d == Dest::Text ? Dest::Pict : Dest::Skip);
    case TRtfKw::k_field:
        if (d != Dest::Text)
            return enter(Dest::Skip);
        if (int(m_fields.size()) >= MaxFieldDepth)
            return true; // too deep to track: its result still shows as text
        g.field = true;
        m_fields.push_back(Field());
        return true;
    case TRtfKw::k_fldinst:
        return enter(d == Dest::Text && m_stack.size() >= 2 && m_stack[m_stack.size() - 2].field
                         ? Dest::FieldInst
                         : Dest::Skip);
    case TRtfKw::k_fldrslt:
        if (d != Dest::Text)
            return enter(Dest::Skip);
        if (!m_fields.empty()) {
            const QString href = hyperlinkTarget(m_fields.back().inst);
            if (!href.isEmpty())
                g.ch.href = href;
        }
        return true;
    case TRtfKw::k_background:
        return enter(starred && d == Dest::Text ? Dest::Background : Dest::Skip);
    case TRtfKw::k_shpinst:
    case TRtfKw::k_sp:
    case TRtfKw::k_shp:
        if (d == Dest::Background)
            return true;
        if (kw == TRtfKw::k_shp)
            return false; // its text and picture fallbacks come in \shprslt or \shpinst
        return enter(Dest::Skip);
    case TRtfKw::k_sn:
        return enter(d == Dest::Background ? Dest::ShapeName : Dest::Skip);
    case TRtfKw::k_sv:
        return enter(d == Dest::Background ? Dest::ShapeValue : Dest::Skip);
    case TRtfKw::k_shppict:
    case TRtfKw::k_nesttableprops:
    case TRtfKw::k_object:
    case TRtfKw::k_result:
    case TRtfKw::k_upr:
        return true; // their content is read as usual
    case TRtfKw::k_nonshppict:
    case TRtfKw::k_shprslt:
    case TRtfKw::k_nonesttables:
    case TRtfKw::k_info:
    case TRtfKw::k_header:
    case TRtfKw::k_headerl:
    case TRtfKw::k_headerr:
    case TRtfKw::k_headerf:
    case TRtfKw::k_footer:
    case TRtfKw::k_footerl:
    case TRtfKw::k_footerr:
    case TRtfKw::k_footerf:
    case TRtfKw::k_footnote:
    case TRtfKw::k_annotation:
    case TRtfKw::k_xe:
    case TRtfKw::k_tc:
    case TRtfKw::k_txe:
    case TRtfKw::k_rxe:
    case TRtfKw::k_private:
    case TRtfKw::k_listtext:
    case TRtfKw::k_pntext:
    case TRtfKw::k_ud:
    case TRtfKw::k_do:
    case TRtfKw::k_comment:
    case TRtfKw::k_template:
    case TRtfKw::k_docvar:
    case TRtfKw::k_ftnsep:
    case TRtfKw::k_ftnsepc:
    case TRtfKw::k_aftnsep:
    case TRtfKw::k_aftnsepc:
    case TRtfKw::k_revtbl:
    case TRtfKw::k_filetbl:
    case TRtfKw::k_pgdsctbl:
    case TRtfKw::k_mmathPr:
    case TRtfKw::k_xmlnstbl:
    case TRtfKw::k_listpicture:
    case TRtfKw::k_generator:
    case TRtfKw::k_htmltag:
    case TRtfKw::k_mhtmltag:
        return enter(Dest::Skip);
    default:
        return false;
    }
}

void TRtfParser::charOrParaWord(TRtfKw kw, bool hasParam, int param) {
    TRtfCharProps& ch = top().ch;
    TRtfParaProps& para = top().para;
    switch (kw) {
    case TRtfKw::k_plain: {
        const QString href = ch.href;
        ch = TRtfCharProps();
        ch.font = m_defaultFont;
        ch.href = href;
        break;
    }
    case TRtfKw::k_f:
        ch.font = Clamp(param, 0, 1 << 20);
        break;
    case TRtfKw::k_fs:
        ch.halfPoints = hasParam ? Clamp(param, 2, 3276) : 24;
        break;
    case TRtfKw::k_b:
        ch.bold = On(hasParam, param);
        break;
    case TRtfKw::k_i:
        ch.italic = On(hasParam, param);
        break;
    case TRtfKw::k_strike:
    case TRtfKw::k_striked:
        ch.strike = On(hasParam, param);
        break;
    case TRtfKw::k_v:
        ch.hidden = On(hasParam, param);
        break;
    case TRtfKw::k_ul:
    case TRtfKw::k_uldb:
    case TRtfKw::k_ulth:
    case TRtfKw::k_ulw:
        ch.underline =
            On(hasParam, param) ? QTextCharFormat::SingleUnderline : QTextCharFormat::NoUnderline;
        break;
    case TRtfKw::k_ulnone:
        ch.underline = QTextCharFormat::NoUnderline;
        break;
    case TRtfKw::k_uld:
    case TRtfKw::k_ulthd:
        ch.underline = QTextCharFormat::DotLine;
        break;
    case TRtfKw::k_uldash:
    case TRtfKw::k_ulthdash:
    case TRtfKw::k_ulldash:
        ch.underline = QTextCharFormat::DashUnderline;
        break;
    case TRtfKw::k_uldashd:
        ch.underline = QTextCharFormat::DashDotLine;
        break;
    case TRtfKw::k_uldashdd:
        ch.underline = QTextCharFormat::DashDotDotLine;
        break;
    case TRtfKw::k_ulwave:
    case TRtfKw::k_ulhwave:
    case TRtfKw::k_ululdbwave:
        ch.underline = QTextCharFormat::WaveUnderline;
        break;
    case TRtfKw::k_ulc:
        ch.underlineColor = Clamp(param, 0, 1 << 16);
        break;
    case TRtfKw::k_cf:
        ch.foreground = Clamp(param, 0, 1 << 16);
        break;
    case TRtfKw::k_cb:
    case TRtfKw::k_highlight:
    case TRtfKw::k_chcbpat:
        ch.background = Clamp(param, 0, 1 << 16);
        break;
    case TRtfKw::k_super:
        ch.vAlign = QTextCharFormat::AlignSuperScript;
        break;
    case TRtfKw::k_sub:
        ch.vAlign = QTextCharFormat::AlignSubScript;
        break;
    case TRtfKw::k_nosupersub:
        ch.vAlign = QTextCharFormat::AlignNormal;
        break;
    case TRtfKw::k_up:
        ch.vAlign = param > 0 ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignNormal;
        break;
    case TRtfKw::k_dn:
        ch.vAlign = param > 0 ? QTextCharFormat::AlignSubScript : QTextCharFormat::AlignNormal;
        break;
    case TRtfKw::k_caps:
        ch.caps = On(hasParam, param) ? QFont::AllUppercase : QFont::MixedCase;
        break;
    case TRtfKw::k_scaps:
        ch.caps = On(hasParam, param) ? QFont::SmallCaps : QFont::MixedCase;
        break;

    case TRtfKw::k_pard: {
        para = TRtfParaProps();
        break;
    }
    case TRtfKw::k_ql:
        para.align = Qt::AlignLeft;
        break;
    case TRtfKw::k_qr:
        para.align = Qt::AlignRight;
        break;
    case TRtfKw::k_qc:
        para.align = Qt::AlignHCenter;
        break;
    case TRtfKw::k_qj:
    case TRtfKw::k_qd:
        para.align = Qt::AlignJustify;
        break;
    case TRtfKw::k_li:
    case TRtfKw::k_lin:
        para.left = Twips(param);
        break;
    case TRtfKw::k_ri:
    case TRtfKw::k_rin:
        para.right = Twips(param);
        break;
    case TRtfKw::k_fi:
        para.firstLine = Twips(param);
        break;
    case TRtfKw::k_sb:
        para.spaceBefore = Twips(param);
        break;
    case TRtfKw::k_sa:
        para.spaceAfter = Twips(param);
        break;
    case TRtfKw::k_sl:
        para.lineSpacing = Twips(param);
        break;
    case TRtfKw::k_slmult:
        para.lineMultiple = On(hasParam, param);
        break;
    case TRtfKw::k_keep:
        para.keepTogether = On(hasParam, param);
        break;
    case TRtfKw::k_pagebb:
        para.breakBefore = On(hasParam, param);
        break;
    case TRtfKw::k_outlinelevel:
        // Outline levels 0-8 are headings 1-9; 9 and beyond mean body text.
        para.heading = hasParam && param >= 0 && param < 9 ? param + 1 : 0;
        break;
    case TRtfKw::k_intbl:
        para.inTable = On(hasParam, param);
        break;
    case TRtfKw::k_itap:
        para.nestLevel = Clamp(param, 0, TRtfTableBuilder::MaxDepth);
        break;
    case TRtfKw::k_ls:
        para.listOverride = Clamp(param, 0, 1 << 20);
        break;
    case TRtfKw::k_ilvl:
        para.listLevel = Clamp(param, 0, 8);
        break;
    case TRtfKw::k_tqr:
        para.nextTabType = QTextOption::RightTab;
        break;
    case TRtfKw::k_tqc:
        para.nextTabType = QTextOption::CenterTab;
        break;
    case TRtfKw::k_tqdec:
        para.nextTabType = QTextOption::DelimiterTab;
        break;
    case TRtfKw::k_tx:
    case TRtfKw::k_tb:
        if (para.tabs.size() < 64 && param >= 0) {
            QTextOption::Tab tab(TwipsToPx(Twips(param)), para.nextTabType);
            if (para.nextTabType == QTextOption::DelimiterTab)
                tab.delimiter = QLatin1Char('.');
            para.tabs.append(tab);
        }
        para.nextTabType = QTextOption::LeftTab;
        break;
    default:
        break;
    }
}

void TRtfParser::tableWord(TRtfKw kw, bool hasParam, int param) {
    Q_UNUSED(hasParam);
    TRtfCellDef& cell = m_rowDef.pending;
    auto setBorder = [&](int width) {
        if (m_borderSide >= 0)
            cell.border[m_borderSide] = width;
    };
    switch (kw) {
    case TRtfKw::k_trowd:
        m_rowDef = TRtfRowDef();
        m_borderSide = -1;
        break;
    case TRtfKw::k_trgaph:
        m_rowDef.gap = Twips(param);
        break;
    case TRtfKw::k_trleft:
        m_rowDef.left = Twips(param);
        break;
    case TRtfKw::k_trhdr:
        m_rowDef.header = On(hasParam, param);
        break;
    case TRtfKw::k_trql:
    case TRtfKw::k_trqc:
    case TRtfKw::k_trqr:
        m_rowDef.align = kw == TRtfKw::k_trqc   ? Qt::AlignHCenter
                         : kw == TRtfKw::k_trqr ? Qt::AlignRight
                                                : Qt::AlignLeft;
        break;
    case TRtfKw::k_cellx:
        cell.rightEdge = Twips(param);
        if (m_rowDef.cells.size() < TRtfTableBuilder::MaxColumns)
            m_rowDef.cells.append(cell);
        cell = TRtfCellDef();
        m_borderSide = -1;
        break;
    case TRtfKw::k_clmgf:
        cell.mergeFirst = true;
        break;
    case TRtfKw::k_clmrg:
        cell.mergeNext = true;
        break;
    case TRtfKw::k_clvmgf:
        cell.vMergeFirst = true;
        break;
    case TRtfKw::k_clvmrg:
        cell.vMergeNext = true;
        break;
    case TRtfKw::k_clcbpat:
        cell.background = param > 0 && param < m_colors.size() ? m_colors.at(param) : QColor();
        break;
    case TRtfKw::k_clvertalt:
        cell.vAlign = 0;
        break;
    case TRtfKw::k_clvertalc:
        cell.vAlign = 1;
        break;
    case TRtfKw::k_clvertalb:
        cell.vAlign = 2;
        break;
    case TRtfKw::k_clbrdrt:
        m_borderSide = 0;
        break;
    case TRtfKw::k_clbrdrl:
        m_borderSide = 1;
        break;
    case TRtfKw::k_clbrdrb:
        m_borderSide = 2;
        break;
    case TRtfKw::k_clbrdrr:
        m_borderSide = 3;
        break;
    case TRtfKw::k_brdrt:
    case TRtfKw::k_brdrl:
    case TRtfKw::k_brdrb:
    case TRtfKw::k_brdrr:
    case TRtfKw::k_box:
        m_borderSide = -1; // paragraph borders: QTextDocument cannot draw them
        break;
    case TRtfKw::k_brdrs:
    case TRtfKw::k_brdrth:
    case TRtfKw::k_brdrdb:
    case TRtfKw::k_brdrdot:
    case TRtfKw::k_brdrdash:
    case TRtfKw::k_brdrhair:
    case TRtfKw::k_brdrsh:
        if (m_borderSide >= 0 && cell.border[m_borderSide] < 0)
            setBorder(15);
        break;
    case TRtfKw::k_brdrnone:
        setBorder(-1);
        break;
    case TRtfKw::k_brdrw:
        if (m_borderSide >= 0 && cell.border[m_borderSide] >= 0)
            setBorder(Clamp(param, 1, 300));
        break;
    case TRtfKw::k_brdrcf:
        if (m_borderSide >= 0 && param > 0 && param < m_colors.size())
            cell.borderColor[m_borderSide] = m_colors.at(param);
        break;
    case TRtfKw::k_cell:
        finishParagraph(false, 1);
        m_tables.endCell(1, m_rowDef);
        break;
    case TRtfKw::k_nestcell: {
        const int level = qMax(2, top().para.tableLevel());
        finishParagraph(false, level);
        m_tables.endCell(level, m_rowDef);
        break;
    }
    case TRtfKw::k_row:
        flushText();
        m_tables.endRow(1, m_rowDef);
        break;
    case TRtfKw::k_nestrow:
        flushText();
        m_tables.endRow(qMax(2, top().para.tableLevel()), m_rowDef);
        break;
    default:
        break;
    }
}
