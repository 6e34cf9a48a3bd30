#pragma once

#include <QUrl>
#include <QWidget>

class QLabel;

// The web page view. Until the embedded browser lands it shows the home address and offers
// to open it in the user's web browser.
class TfmeLindenway : public QWidget {
    Q_OBJECT
public:
    explicit TfmeLindenway(QWidget* parent = nullptr);

    // Loads the home page: the LinkWebsite URL setting.
    void NavigateHome();
    QUrl CurrentUrl() const { return m_url; }

private:
    QUrl m_url;
    QLabel* m_address = nullptr;
};
