#pragma once

#include <QString>

// The modes of the client details page and, for each, what its two mode buttons say and do,
// which controls are enabled, which tabs show and which page is in front. The one table of
// these rules; the view only applies a row.
enum class TRecordsMode { Start, Blank, New, Viewing, Editing, Deleted };

enum class TClientAction { Add, New, Cancel, Edit, Save };

enum class TTabsShown {
    SearchAndDetails, // the two pages of the view itself; the client's own pages hidden
    None,             // no tabs: the user finishes (or cancels) the entry before leaving
    All
};

struct TRecordsModeRow {
    TRecordsMode mode;
    TClientAction newButton;  // btnNewClient
    TClientAction editButton; // btnEditClient
    bool editEnabled;
    bool printDeleteEnabled;
    bool fieldsReadOnly;
    TTabsShown tabs;
    int activePage;
};

namespace TRecordsModes {
const TRecordsModeRow& Row(TRecordsMode mode);
QString Caption(TClientAction action);
QString Hint(TClientAction action);
QString Name(TRecordsMode mode); // for diagnostics and tests
} // namespace TRecordsModes
