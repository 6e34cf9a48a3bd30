#pragma once

#include <QString>
#include <memory>

class QPainter;
class QPagedPaintDevice;

// A PDF file drawn page by page: a painter per page, page size in points, document
// information and an outline tree (bookmarks) pointing at pages. The pages are drawn in
// memory; EndDoc writes the finished file in one step, so a failed export never leaves a
// half-written file behind.
class TRolePDF {
public:
    enum TPageSize { psCustom, psA4, psLetter, psLegal };
    enum TPageOrientation { poPortrait, poLandscape };

    TRolePDF();
    ~TRolePDF();
    TRolePDF(const TRolePDF&) = delete;
    TRolePDF& operator=(const TRolePDF&) = delete;

    QString FileName;
    // Document information; empty entries are left out of the file.
    QString Author, Title, Subject, Keywords, Creator;
    bool AutoLaunch = false; // open the finished file with its associated program

    TPageSize PageSize() const { return m_pageSize; }
    void SetPageSize(TPageSize size);
    // The page size in points (1/72 inch).
    int PageWidth() const { return m_width; }
    int PageHeight() const { return m_height; }
    void SetPageWidth(int points) { m_width = points; }
    void SetPageHeight(int points) { m_height = points; }
    TPageOrientation Orientation() const { return m_width > m_height ? poLandscape : poPortrait; }
    void SetOrientation(TPageOrientation orientation);
    int PageCount() const { return m_pageCount; }

    // Starts the document with the current page size; false (with ErrorString) on failure.
    bool BeginDoc();
    void NewPage();
    // The painter of the current page, in the device units of Device().
    QPainter* Canvas();
    QPagedPaintDevice* Device();
    // Adds an outline entry on a 1-based page under parent (-1: top level); returns its id.
    int AddOutline(const QString& title, int parent, int page);
    // Finishes the pages and writes FileName; false (with ErrorString) when it cannot be written.
    bool EndDoc();
    QString ErrorString() const { return m_error; }

private:
    struct Pages;
    std::unique_ptr<Pages> m_pages;
    TPageSize m_pageSize = psA4;
    int m_width = 595;
    int m_height = 842;
    int m_pageCount = 0;
    QString m_error;
};
