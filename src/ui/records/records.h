#pragma once

#include <QWidget>

class QTabWidget;
class QPushButton;
class TClient;

// The client records view: the client list with quick search, the client details page and
// the client's documents, notes, contacts and account pages.
class TfmeRecords : public QWidget {
    Q_OBJECT
public:
    explicit TfmeRecords(QWidget* parent = nullptr);
    ~TfmeRecords() override;

    TClient& Client();           // the current client; id > 0 while one is loaded
    QTabWidget* pcRecords() const { return m_pcRecords; }
    QPushButton* btnEditClient() const { return m_btnEditClient; }

    void OpenClient(int id);
    void ShowBlankClient();
    void RefreshAfterSettings();

public slots:
    void btnNewClientClick();
    void btnNewContactClick();
    void Newfromtemplate1Click();
    void Linkexternalfile1Click();
    void btnNewNotesClick();
    void btnNewAccountClick();

private:
    QTabWidget* m_pcRecords = nullptr;
    QPushButton* m_btnEditClient = nullptr;
    TClient* m_client = nullptr;
};
