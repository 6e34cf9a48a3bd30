#pragma once

#include <QImage>
#include <QString>

// Loads a picture file (a logo chosen by the user, an installed default). JPEG files are
// decoded with libjpeg-turbo, others with Qt's image readers. A damaged, truncated or hostile
// file gives a null image and the reason in error; it never brings the program down.
QImage LoadPicture(const QString& path, QString* error = nullptr);
