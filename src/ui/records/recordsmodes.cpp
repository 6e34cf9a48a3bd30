#include "records/recordsmodes.h"

#include <QCoreApplication>

namespace {
using A = TClientAction;
using T = TTabsShown;
constexpr int kSearchPage = 0;
constexpr int kDetailsPage = 1;

// Blank offers "Add", so its fields are editable (a blank page reached by cancelling a new
// entry would otherwise offer Add on fields that cannot be typed into).
constexpr TRecordsModeRow kRows[] = {
    // mode                  new     edit      editOn print  readOnly tabs              page
    {TRecordsMode::Start, A::Add, A::Cancel, false, false, false, T::SearchAndDetails, kSearchPage},
    {TRecordsMode::Blank, A::Add, A::Cancel, false, false, false, T::SearchAndDetails,
     kDetailsPage},
    {TRecordsMode::New, A::Add, A::Cancel, true, false, false, T::None, kDetailsPage},
    {TRecordsMode::Viewing, A::New, A::Edit, true, true, true, T::All, kDetailsPage},
    {TRecordsMode::Editing, A::Cancel, A::Save, true, false, false, T::None, kDetailsPage},
    {TRecordsMode::Deleted, A::New, A::Cancel, false, false, true, T::SearchAndDetails,
     kDetailsPage},
};
} // namespace

const TRecordsModeRow& TRecordsModes::Row(TRecordsMode mode) {
    for (const TRecordsModeRow& row : kRows) {
        if (row.mode == mode)
            return row;
    }
    Q_UNREACHABLE();
}

QString TRecordsModes::Caption(TClientAction action) {
    switch (action) {
    case A::Add:
        return QCoreApplication::translate("TfmeRecords", "Add");
    case A::New:
        return QCoreApplication::translate("TfmeRecords", "New");
    case A::Cancel:
        return QCoreApplication::translate("TfmeRecords", "Cancel");
    case A::Edit:
        return QCoreApplication::translate("TfmeRecords", "Edit");
    case A::Save:
        return QCoreApplication::translate("TfmeRecords", "Save");
    }
    return {};
}

QString TRecordsModes::Hint(TClientAction action) {
    switch (action) {
    case A::Add:
        return QCoreApplication::translate("TfmeRecords", "Store this new client");
    case A::New:
        return QCoreApplication::translate("TfmeRecords", "Add new client");
    case A::Cancel:
        return QCoreApplication::translate("TfmeRecords", "Discard the changes");
    case A::Edit:
        return QCoreApplication::translate("TfmeRecords", "Edit this clients details");
    case A::Save:
        return QCoreApplication::translate("TfmeRecords", "Save the changes");
    }
    return {};
}

QString TRecordsModes::Name(TRecordsMode mode) {
    static const char* const names[] = {"Start", "Blank", "New", "Viewing", "Editing", "Deleted"};
    return QString::fromLatin1(names[int(mode)]);
}
