#pragma once

class QWidget;

// Prints the client sheet of one client: asks for the output (printer, preview, PDF file)
// and produces it.
void PrintClientSheet(QWidget* parent, int clientId);
