#pragma once

#include <QWidget>

// The general documents view: documents that belong to no client.
class TfmeReports : public QWidget {
    Q_OBJECT
public:
    explicit TfmeReports(QWidget* parent = nullptr);

    void Refresh();

public slots:
    void Newfromtemplate1Click();
    void Linkexternalfile1Click();
};
