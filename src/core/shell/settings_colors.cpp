// Colour values as the settings file holds them: the classic colour names, the Windows system
// colour names (0xFF000000 | element index), or a decimal or "$"-hexadecimal number.
#include "shell/settings.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>

namespace {
struct NamedColor {
    const char* name;
    quint32 value;
};

constexpr quint32 kSystem = 0xFF000000u;
constexpr quint32 kNone = 0x1FFFFFFFu;
constexpr quint32 kDefault = 0x20000000u;

// Plain colours are 0x00BBGGRR.
constexpr std::array<NamedColor, 52> kColors = {{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clScrollBar", kSystem | 0},
    {"clBackground", kSystem | 1},
    {"clActiveCaption", kSystem | 2},
    {"clInactiveCaption", kSystem | 3},
    {"clMenu", kSystem | 4},
    {"clWindow", kSystem | 5},
    {"clWindowFrame", kSystem | 6},
    {"clMenuText", kSystem | 7},
    {"clWindowText", kSystem | 8},
    {"clCaptionText", kSystem | 9},
    {"clActiveBorder", kSystem | 10},
    {"clInactiveBorder", kSystem | 11},
    {"clAppWorkSpace", kSystem | 12},
    {"clHighlight", kSystem | 13},
    {"clHighlightText", kSystem | 14},
    {"clBtnFace", kSystem | 15},
    {"clBtnShadow", kSystem | 16},
    {"clGrayText", kSystem | 17},
    {"clBtnText", kSystem | 18},
    {"clInactiveCaptionText", kSystem | 19},
    {"clBtnHighlight", kSystem | 20},
    {"cl3DDkShadow", kSystem | 21},
    {"cl3DLight", kSystem | 22},
    {"clInfoText", kSystem | 23},
    {"clInfoBk", kSystem | 24},
    {"clHotLight", kSystem | 26},
    {"clGradientActiveCaption", kSystem | 27},
    {"clGradientInactiveCaption", kSystem | 28},
    {"clMenuHighlight", kSystem | 29},
    {"clMenuBar", kSystem | 30},
    {"clNone", kNone},
    {"clDefault", kDefault},
}};

// The palette role that plays each Windows system element on this desktop.
QColor systemColor(quint32 index) {
    const QPalette pal = QGuiApplication::palette();
    switch (index) {
    case 0:  // scroll bar
    case 15: // button face
        return pal.color(QPalette::Button);
    case 5: // window background
        return pal.color(QPalette::Base);
    case 6:  // window frame
    case 21: // 3D dark shadow
        return pal.color(QPalette::Shadow);
    case 7: // menu text
        return pal.color(QPalette::WindowText);
    case 8: // window text
        return pal.color(QPalette::Text);
    case 2:  // active caption
    case 13: // highlight
    case 27: // gradient active caption
    case 29: // menu highlight
        return pal.color(QPalette::Highlight);
    case 9:  // caption text
    case 14: // highlight text
        return pal.color(QPalette::HighlightedText);
    case 12: // application work space
        return pal.color(QPalette::Mid);
    case 16: // button shadow
        return pal.color(QPalette::Dark);
    case 17: // grey text
        return pal.color(QPalette::Disabled, QPalette::Text);
    case 18: // button text
        return pal.color(QPalette::ButtonText);
    case 19: // inactive caption text
        return pal.color(QPalette::Disabled, QPalette::WindowText);
    case 20: // button highlight
        return pal.color(QPalette::Light);
    case 22: // 3D light
        return pal.color(QPalette::Midlight);
    case 23: // tooltip text
        return pal.color(QPalette::ToolTipText);
    case 24: // tooltip background
        return pal.color(QPalette::ToolTipBase);
    case 26: // hot-tracked item
        return pal.color(QPalette::Link);
    default: // desktop, inactive caption, menu, borders, menu bar
        return pal.color(QPalette::Window);
    }
}
} // namespace

quint32 TAppSettings::StringToColor(const QString& text, bool* ok) {
    const QString t = text.trimmed();
    if (ok)
        *ok = true;
    for (const NamedColor& c : kColors) {
        if (t.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return c.value;
    }

    // Numbers are 32-bit; system colours written as decimals are negative.
    bool good = false;
    qint64 value = 0;
    if (t.startsWith(QLatin1Char('$')))
        value = static_cast<qint64>(t.mid(1).toUInt(&good, 16));
    else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = static_cast<qint64>(t.mid(2).toUInt(&good, 16));
    else
        value = t.toLongLong(&good, 10);
    if (good && value >= -0x80000000LL && value <= 0xFFFFFFFFLL)
        return static_cast<quint32>(value);
    if (ok)
        *ok = false;
    return 0;
}

QString TAppSettings::ColorToString(quint32 color) {
    for (const NamedColor& c : kColors) {
        if (c.value == color)
            return QLatin1String(c.name);
    }
    return QLatin1Char('$') + QStringLiteral("%1").arg(color, 8, 16, QLatin1Char('0')).toUpper();
}

QColor TAppSettings::ToQColor(quint32 color) {
    if (color == kNone)
        return QColor(Qt::transparent);
    if (color == kDefault)
        return QGuiApplication::palette().color(QPalette::Window);
    if ((color & 0xFF000000u) == kSystem)
        return systemColor(color & 0x00FFFFFFu);
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}
