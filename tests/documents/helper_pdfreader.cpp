#include "pdfreader.h"

#define POINTERHOLDER_TRANSITION 4
#include <exception>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFOutlineDocumentHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

namespace {

QList<TPdfOutline> convert(std::vector<QPDFOutlineObjectHelper> items,
                           std::vector<QPDFPageObjectHelper>& pages) {
    QList<TPdfOutline> result;
    for (QPDFOutlineObjectHelper& item : items) {
        TPdfOutline o;
        o.title = QString::fromStdString(item.getTitle());
        QPDFObjectHandle dest = item.getDestPage();
        for (size_t i = 0; i < pages.size(); ++i)
            if (dest.isInitialized() && !dest.isNull() &&
                dest.getObjGen() == pages[i].getObjectHandle().getObjGen())
                o.page = int(i) + 1;
        o.kids = convert(item.getKids(), pages);
        result.append(o);
    }
    return result;
}

} // namespace

TPdfFacts ReadPdfFacts(const QString& path) {
    TPdfFacts facts;
    try {
        QPDF pdf;
        pdf.processFile(path.toLocal8Bit().constData());
        std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(pdf).getAllPages();
        facts.pages = int(pages.size());
        if (!pages.empty()) {
            QPDFPageObjectHelper first = pages.front();
            const QPDFObjectHandle::Rectangle box =
                first.getAttribute("/MediaBox", false).getArrayAsRectangle();
            facts.firstPageSize = QSizeF(box.urx - box.llx, box.ury - box.lly);
            facts.imagesOnFirstPage = int(first.getImages().size());
        }
        QPDFOutlineDocumentHelper outlines(pdf);
        facts.outlines = convert(outlines.getTopLevelOutlines(), pages);
        QPDFObjectHandle info = pdf.getTrailer().getKey("/Info");
        if (info.isDictionary() && info.hasKey("/Author"))
            facts.author = QString::fromStdString(info.getKey("/Author").getUTF8Value());
        facts.ok = true;
    } catch (const std::exception&) {
        facts.ok = false;
    }
    return facts;
}
