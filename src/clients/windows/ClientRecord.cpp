#include "ClientRecord.h"

#include "core/logic/SharedState.h"
#include "platform/data/ConnectionString.h"
#include "platform/data/DataControl.h"
#include "platform/widgets/DataNavigator.h"
#include "platform/widgets/RecordScrollBar.h"

#include <QTabWidget>

namespace ClientRecord {

QList<QWidget*> addPages(QTabWidget* tabs, std::span<const char* const> captions) {
    return BoxTable::addPages(tabs, captions,
                              {BoxTable::PageStyle::Arrangement::Grid, QMargins(4, 4, 4, 4), 4});
}

Parts build(QWidget* window, QWidget* barsParent, const QString& table,
            std::span<const BoxTable::Part> boxes, QTabWidget* tabs, const QList<QWidget*>& pages,
            int scrollMaximum, const QString& navigatorCaption) {
    Parts parts;
    parts.control = new DataControl(window);
    parts.control->setObjectName(QStringLiteral("Adodc1"));
    parts.boxes = ClientBoxes::build(boxes, pages, parts.control);
    parts.scrollBar = new RecordScrollBar(parts.control, scrollMaximum, barsParent);
    parts.scrollBar->setObjectName(QStringLiteral("HScroll1"));
    parts.navigator = new DataNavigator(parts.control, barsParent);
    parts.navigator->setObjectName(QStringLiteral("Adodc1Navigator"));
    parts.navigator->setCaption(navigatorCaption);
    parts.navigator->setShowsErrors(false);
    // The boxes live as long as the control: both belong to the window.
    parts.control->setBeforeCommit(
        [table, bound = parts.boxes, tabs](QVariantMap& changes, const QSqlRecord&) {
            return ClientBoxes::refuseTooLong(table, bound, tabs, changes);
        });
    return parts;
}

void open(DataControl* control, const QString& recordSource) {
    control->setConnectionString(ConnectionString::withUser(gstrDatabasePath));
    control->setRecordSource(recordSource);
}

} // namespace ClientRecord
