#include "shell/splash.h"

#include "shell/apppaths.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int kWidth = 559;
constexpr int kHeight = 301;
constexpr int kShowMs = 2000;

QFont taglineFont() {
    // Verdana where the user has it; otherwise the desktop's sans serif.
    QFont font(QStringLiteral("Verdana"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(19);
    return font;
}
} // namespace

TfrmSplash::TfrmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setAccessibleName(QStringLiteral("Quillon"));
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imgSplash"));
    picture->setAlignment(Qt::AlignCenter);
    const QString artwork = TAppPaths::programFile(QStringLiteral("splash.png"));
    const QPixmap pixmap = QFileInfo::exists(artwork) ? QPixmap(artwork) : QPixmap();
    if (!pixmap.isNull()) {
        picture->setPixmap(pixmap.scaled(kWidth - 48, kHeight - 100, Qt::KeepAspectRatio,
                                         Qt::SmoothTransformation));
    } else {
        // Without the artwork the product name stands in its place.
        QFont big = taglineFont();
        big.setPixelSize(56);
        big.setBold(true);
        picture->setFont(big);
        picture->setText(QStringLiteral("Quillon"));
    }
    picture->setAccessibleName(QStringLiteral("Quillon"));
    layout->addWidget(picture, 1);

    auto* tagline =
        new QLabel(QStringLiteral("Powerful database solution  without the cost"), this);
    tagline->setObjectName(QStringLiteral("lblTagline"));
    tagline->setAlignment(Qt::AlignCenter);
    tagline->setFont(taglineFont());
    QPalette orange = tagline->palette();
    orange.setColor(QPalette::WindowText, QColor(244, 121, 31));
    tagline->setPalette(orange);
    layout->addWidget(tagline);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // Runs from creation, so the time spent opening the database counts towards the two
    // seconds.
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &TfrmSplash::Timer1Timer);
    m_timer->start(kShowMs);
}

void TfrmSplash::Timer1Timer() {
    m_timer->stop();
    close();
}
