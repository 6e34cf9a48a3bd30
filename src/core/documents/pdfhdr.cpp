#include "documents/pdfhdr.h"

#include <QBuffer>
#include <QDesktopServices>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QUrl>

// qpdf 11 warns unless told which PointerHolder it should be; we use std::shared_ptr.
#define POINTERHOLDER_TRANSITION 4
#include <exception>
#include <functional>
#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <utility>
#include <vector>

namespace {

struct Outline {
    QString title;
    int parent; // index of the parent entry, -1 at the top level
    int page;   // 1-based
};

} // namespace

struct TRolePDF::Pages {
    QByteArray data;
    QBuffer buffer{&data};
    std::unique_ptr<QPdfWriter> writer;
    QPainter painter;
    std::vector<Outline> outlines;
};

namespace {

QPDFObjectHandle unicode(const QString& s) {
    return QPDFObjectHandle::newUnicodeString(s.toStdString());
}

// Adds the outline tree and the document information that QPdfWriter cannot write.
QByteArray addOutlinesAndInfo(const QByteArray& pdfData,
                              const std::vector<std::pair<QString, QString>>& info,
                              const std::vector<Outline>& outlines) {
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processMemoryFile("document", pdfData.constData(), size_t(pdfData.size()));
    const std::vector<QPDFPageObjectHelper> allPages = QPDFPageDocumentHelper(pdf).getAllPages();

    const int n = int(outlines.size());
    std::vector<QPDFObjectHandle> items;
    items.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
        QPDFObjectHandle item = QPDFObjectHandle::newDictionary();
        item.replaceKey("/Title", unicode(outlines[size_t(i)].title));
        const int page = qBound(1, outlines[size_t(i)].page, int(allPages.size()));
        if (!allPages.empty()) {
            QPDFObjectHandle dest = QPDFObjectHandle::newArray();
            dest.appendItem(allPages.at(size_t(page - 1)).getObjectHandle());
            dest.appendItem(QPDFObjectHandle::newName("/Fit"));
            item.replaceKey("/Dest", dest);
        }
        items.push_back(pdf.makeIndirectObject(item));
    }

    QPDFObjectHandle root = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
    root.replaceKey("/Type", QPDFObjectHandle::newName("/Outlines"));
    // Links the children of one parent (-1: the root) and returns how many entries are
    // visible below it, every entry being open.
    std::function<int(int, QPDFObjectHandle&)> link = [&](int parent, QPDFObjectHandle& node) {
        int visible = 0;
        QPDFObjectHandle previous;
        for (int i = 0; i < n; ++i) {
            if (outlines[size_t(i)].parent != parent)
                continue;
            QPDFObjectHandle& item = items[size_t(i)];
            item.replaceKey("/Parent", node);
            if (previous.isInitialized()) {
                previous.replaceKey("/Next", item);
                item.replaceKey("/Prev", previous);
            } else {
                node.replaceKey("/First", item);
            }
            node.replaceKey("/Last", item);
            previous = item;
            const int below = link(i, item);
            if (below > 0)
                item.replaceKey("/Count", QPDFObjectHandle::newInteger(below));
            visible += 1 + below;
        }
        return visible;
    };
    const int visible = link(-1, root);
    if (visible > 0) {
        root.replaceKey("/Count", QPDFObjectHandle::newInteger(visible));
        pdf.getRoot().replaceKey("/Outlines", root);
        pdf.getRoot().replaceKey("/PageMode", QPDFObjectHandle::newName("/UseOutlines"));
    }

    if (!info.empty()) {
        QPDFObjectHandle trailer = pdf.getTrailer();
        QPDFObjectHandle dict = trailer.getKey("/Info");
        if (!dict.isDictionary()) {
            dict = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
            trailer.replaceKey("/Info", dict);
        }
        for (const auto& [key, value] : info)
            dict.replaceKey(key.toStdString(), unicode(value));
    }

    QPDFWriter writer(pdf);
    writer.setOutputMemory();
    writer.write();
    std::shared_ptr<Buffer> out = writer.getBufferSharedPointer();
    return QByteArray(reinterpret_cast<const char*>(out->getBuffer()), qsizetype(out->getSize()));
}

} // namespace

TRolePDF::TRolePDF() = default;
TRolePDF::~TRolePDF() = default;

void TRolePDF::SetPageSize(TPageSize size) {
    m_pageSize = size;
    switch (size) {
    case psA4:
        m_width = 595;
        m_height = 842;
        break;
    case psLetter:
        m_width = 612;
        m_height = 792;
        break;
    case psLegal:
        m_width = 612;
        m_height = 1008;
        break;
    case psCustom:
        break;
    }
}

void TRolePDF::SetOrientation(TPageOrientation orientation) {
    if ((orientation == poLandscape && m_width < m_height) ||
        (orientation == poPortrait && m_height < m_width))
        std::swap(m_width, m_height);
}

bool TRolePDF::BeginDoc() {
    m_error.clear();
    m_pageCount = 0;
    m_pages = std::make_unique<Pages>();
    m_pages->buffer.open(QIODevice::WriteOnly);
    m_pages->writer = std::make_unique<QPdfWriter>(&m_pages->buffer);
    QPdfWriter& w = *m_pages->writer;
    w.setPageSize(QPageSize(QSizeF(qMax(1, m_width), qMax(1, m_height)), QPageSize::Point,
                            QString(), QPageSize::ExactMatch));
    w.setPageMargins(QMarginsF(0, 0, 0, 0));
    w.setTitle(Title);
    w.setCreator(Creator);
    if (!m_pages->painter.begin(&w)) {
        m_error = QStringLiteral("The PDF document could not be started.");
        m_pages.reset();
        return false;
    }
    m_pageCount = 1;
    return true;
}

void TRolePDF::NewPage() {
    if (m_pages && m_pages->writer->newPage())
        ++m_pageCount;
}

QPainter* TRolePDF::Canvas() {
    return m_pages ? &m_pages->painter : nullptr;
}

QPagedPaintDevice* TRolePDF::Device() {
    return m_pages ? m_pages->writer.get() : nullptr;
}

int TRolePDF::AddOutline(const QString& title, int parent, int page) {
    if (!m_pages)
        return -1;
    const int count = int(m_pages->outlines.size());
    m_pages->outlines.push_back({title, parent >= 0 && parent < count ? parent : -1, page});
    return count;
}

bool TRolePDF::EndDoc() {
    if (!m_pages) {
        m_error = QStringLiteral("The PDF document was not started.");
        return false;
    }
    m_pages->painter.end();
    QByteArray pdf = m_pages->data;

    std::vector<std::pair<QString, QString>> info;
    const std::pair<const char*, const QString*> fields[] = {
        {"/Author", &Author}, {"/Subject", &Subject}, {"/Keywords", &Keywords}};
    for (const auto& [key, value] : fields)
        if (!value->isEmpty())
            info.emplace_back(QString::fromLatin1(key), *value);
    if (!m_pages->outlines.empty() || !info.empty()) {
        try {
            pdf = addOutlinesAndInfo(pdf, info, m_pages->outlines);
        } catch (const std::exception& e) {
            m_error = QStringLiteral("The PDF outlines could not be added: %1")
                          .arg(QString::fromLocal8Bit(e.what()));
            m_pages.reset();
            return false;
        }
    }
    m_pages.reset();

    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size() || !file.commit()) {
        m_error = QStringLiteral("The PDF file \"%1\" could not be written: %2")
                      .arg(QFileInfo(FileName).absoluteFilePath(), file.errorString());
        return false;
    }
    if (AutoLaunch)
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(FileName).absoluteFilePath()));
    return true;
}
