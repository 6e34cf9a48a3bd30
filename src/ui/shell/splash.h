#pragma once

#include <QWidget>

class QTimer;

// The start-up splash: a borderless window on top of the others that closes itself two
// seconds after it was created. Nothing waits for it.
class TfrmSplash : public QWidget {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget* parent = nullptr);

    QTimer* Timer1() const { return m_timer; }

private slots:
    void Timer1Timer();

private:
    QTimer* m_timer = nullptr;
};
