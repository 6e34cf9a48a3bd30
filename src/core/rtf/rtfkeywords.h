#pragma once

#include <string_view>

// The control words the reader acts on; every other word is ignored (or, after \*,
// its whole group skipped).
// clang-format off
#define QUILLON_RTF_KEYWORDS(X) \
    X(rtf) X(ansi) X(mac) X(pc) X(pca) X(ansicpg) X(deff) X(fonttbl) X(f) X(fcharset) X(cpg) \
    X(colortbl) X(red) X(green) X(blue) X(stylesheet) X(s) X(cs) X(ds) X(ts) X(plain) X(fs) \
    X(b) X(i) X(ul) X(ulnone) X(uld) X(uldash) X(uldashd) X(uldashdd) X(uldb) X(ulth) X(ulw) \
    X(ulwave) X(ulhwave) X(ululdbwave) X(ulthd) X(ulthdash) X(ulldash) X(ulc) X(strike) X(striked) \
    X(cf) X(cb) X(highlight) X(chcbpat) X(super) X(sub) X(nosupersub) X(up) X(dn) X(caps) \
    X(scaps) X(v) X(pard) X(ql) X(qr) X(qc) X(qj) X(qd) X(li) X(ri) X(lin) X(rin) X(fi) X(sb) \
    X(sa) X(sl) X(slmult) X(keep) X(pagebb) X(intbl) X(itap) X(ls) X(ilvl) X(tx) X(tb) X(tqr) \
    X(tqc) X(tqdec) X(par) X(sect) X(page) X(line) X(tab) X(emdash) X(endash) X(bullet) X(lquote) \
    X(rquote) X(ldblquote) X(rdblquote) X(emspace) X(enspace) X(qmspace) X(zwj) X(zwnj) X(zwbo) \
    X(zwnbo) X(ltrmark) X(rtlmark) X(u) X(uc) X(bin) X(column) X(paperw) X(paperh) X(margl) \
    X(margr) X(margt) X(margb) X(pgwsxn) X(pghsxn) X(marglsxn) X(margrsxn) X(margtsxn) X(margbsxn) \
    X(listtable) X(list) X(listlevel) X(leveltext) X(levelnumbers) X(listname) X(listid) X(levelnfc) \
    X(levelnfcn) X(levelstartat) X(listoverridetable) X(listoverride) X(lfolevel) X(listtext) \
    X(pntext) X(pn) X(pnlvlblt) X(pnlvlbody) X(pnlvlcont) X(pndec) X(pnucltr) X(pnlcltr) X(pnucrm) \
    X(pnlcrm) X(pnstart) X(pntxta) X(pntxtb) X(pict) X(shppict) X(nonshppict) X(pngblip) X(jpegblip) \
    X(emfblip) X(wmetafile) X(macpict) X(pmmetafile) X(dibitmap) X(wbitmap) X(picw) X(pich) \
    X(picwgoal) X(pichgoal) X(picscalex) X(picscaley) X(field) X(fldinst) X(fldrslt) X(info) \
    X(header) X(headerl) X(headerr) X(headerf) X(footer) X(footerl) X(footerr) X(footerf) \
    X(footnote) X(annotation) X(xe) X(tc) X(txe) X(rxe) X(private) X(nonesttables) X(background) \
    X(shp) X(shpinst) X(shprslt) X(sp) X(sn) X(sv) X(object) X(result) X(nesttableprops) X(trowd) \
    X(cellx) X(clmgf) X(clmrg) X(clvmgf) X(clvmrg) X(clcbpat) X(clbrdrt) X(clbrdrl) X(clbrdrb) \
    X(clbrdrr) X(brdrs) X(brdrth) X(brdrdb) X(brdrdot) X(brdrdash) X(brdrhair) X(brdrsh) X(brdrnone) \
    X(brdrw) X(trgaph) X(trleft) X(clvertalt) X(clvertalc) X(clvertalb) X(cell) X(nestcell) \
    X(row) X(nestrow) X(brdrt) X(brdrl) X(brdrb) X(brdrr) X(box) X(upr) X(ud) X(do) X(comment) \
    X(template) X(docvar) X(ftnsep) X(ftnsepc) X(aftnsep) X(aftnsepc) X(revtbl) X(filetbl) \
    X(pgdsctbl) X(mmathPr) X(xmlnstbl) X(listpicture) X(generator) X(htmltag) X(mhtmltag) \
    X(brdrcf) X(trqc) X(trqr) X(trql) X(outlinelevel) X(trhdr)
// clang-format on

enum class TRtfKw : unsigned short {
#define QUILLON_RTF_ENUM(name) k_##name,
    QUILLON_RTF_KEYWORDS(QUILLON_RTF_ENUM)
#undef QUILLON_RTF_ENUM
        Unknown
};

TRtfKw LookupRtfKeyword(std::string_view word);
