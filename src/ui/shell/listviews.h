#pragma once

class QAbstractItemView;

// Sets up a record list the way every list of the program behaves: read-only, whole rows,
// one at a time, no sorting by header, and the selected row painted with the highlight
// colour even while another control has the focus.
void SetupRecordList(QAbstractItemView* view);
