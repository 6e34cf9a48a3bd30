#pragma once

#include "data/ocontrol.h"
#include "data/orecord.h"

#include <QString>

// The client record, bound by control name to the client details page: a column is read
// into and written from the control of the same name.
class TClient : public TORecord {
public:
    TOControls controls;

    void Clear();
    int Insert();      // appends a row from the bound controls; returns the new id
    void Load(int id); // no row: nothing changes
    void Update();     // a missing row becomes an insert; id left as it was
    void Delete();     // the row, then its letters, sessions and notes, in one transaction
    static bool CompanyNameInUse(const QString& name);
};
