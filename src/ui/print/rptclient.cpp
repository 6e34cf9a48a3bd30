#include "print/rptclient.h"

// Placeholder until the printing framework lands.
void PrintClientSheet(QWidget*, int) {}
