#include "shell/listviews.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QPalette>
#include <QTableView>

void SetupRecordList(QAbstractItemView* view) {
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setTabKeyNavigation(false);

    // Inactive lists otherwise fade their selection to a grey that is easy to miss.
    QPalette palette = view->palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    }
    view->setPalette(palette);

    if (auto* table = qobject_cast<QTableView*>(view)) {
        table->setSortingEnabled(false);
        table->setShowGrid(false);
        table->setWordWrap(false);
        table->verticalHeader()->hide();
        // Fixed row heights let the view lay out a list of any length without measuring rows.
        table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
        table->horizontalHeader()->setSectionsClickable(false);
        table->horizontalHeader()->setHighlightSections(false);
    }
}
