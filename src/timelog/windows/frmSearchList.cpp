#include "frmSearchList.h"

#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"
#include "core/windows/frmMain.h"
#include "platform/widgets/SortedItems.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace {

// The cached list that a selector picks from, and the variable that receives the choice.
struct Source {
    int list = -1;
    QString* result = nullptr;
};

Source sourceOf(int selector) {
    switch (selector) {
    case 1:
        return {MainLists::Clients, &gstrClient};
    case 3:
        return {MainLists::Employees, &gstrEmployee};
    case 4:
        return {MainLists::Projects, &gstrProject};
    default:
        return {};
    }
}

} // namespace

frmSearchList::frmSearchList(QWidget* parent)
    : QDialog(parent ? parent : frmMain::instance()), List1(new QListWidget(this)) {
    List1->setObjectName(QStringLiteral("List1"));
    List1->setToolTip(QStringLiteral("Click on item you wish to select"));
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    // The list fills the client area, whatever the dialog's size.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(List1);
    connect(List1, &QListWidget::itemSelectionChanged, this, &frmSearchList::List1_Click);
    Form_Load();
}

void frmSearchList::Form_Load() {
    m_selector = gintSearchType;
    const Source source = sourceOf(m_selector);
    QStringList entries;
    if (source.list >= 0)
        for (const QString& entry : mainLists().List1[source.list].items())
            if (!entry.isEmpty())
                entries << entry;
    fillSorted(List1, entries);
    // The first entry has the keyboard's attention without being chosen, so the keys move
    // from it whether or not the list has had the focus yet.
    if (List1->count() > 0)
        List1->selectionModel()->setCurrentIndex(List1->model()->index(0, 0),
                                                 QItemSelectionModel::NoUpdate);
    placeOnMainWindow();
}

void frmSearchList::placeOnMainWindow() {
    // The main window's place and size, whichever window the list stands over (the search
    // window, a statement's window) and whoever shows it.
    if (const QWidget* main = frmMain::instance()) {
        move(main->pos());
        resize(main->size());
    }
}

void frmSearchList::List1_Click() {
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    if (selected.isEmpty())
        return;
    if (const Source source = sourceOf(m_selector); source.result) {
        *source.result = selected.first()->text();
        m_chosen = true;
    }
    done(m_chosen ? Accepted : Rejected);
}
