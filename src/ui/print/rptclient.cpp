#include "print/rptclient.h"

#include "print/client_sheet.h"
#include "print/pagewriter.h"
#include "print/reportoutput.h"
#include "shell/messages.h"
#include "shell/settings.h"

#include <QDate>
#include <QLocale>

void PrintClientSheet(QWidget* parent, int clientId) {
    if (clientId <= 0)
        return;
    TClientSheetData data;
    data.clientId = clientId;
    if (!TClientSheet::load(clientId, data.values)) {
        TMessages::error(parent, QStringLiteral("This client record no longer exists."));
        return;
    }
    const TAppSettings& settings = TAppSettings::instance();
    data.labels =
        TClientSheet::labels({settings.Other1Name, settings.Other2Name, settings.Other3Name});
    data.practiceName = settings.CompanyName;
    data.printedOn = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);

    TReportOutput::Run(parent, TClientSheet::title(data),
                       [&data](QPainter& painter, QPagedPaintDevice& device) {
                           TPageWriter writer(painter, device);
                           TClientSheet::draw(writer, data);
                       });
}
