#include "ClientRecord.h"

#include "core/logic/SharedState.h"
#include "platform/data/ConnectionString.h"
#include "platform/data/DataControl.h"
#include "platform/widgets/DataNavigator.h"
#include "platform/widgets/RecordScrollBar.h"

#include <QGridLayout>
#include <QTabWidget>

namespace ClientRecord {

QGridLayout* addPage(QTabWidget* tabs, const QString& caption) {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setSpacing(4);
    tabs->addTab(page, caption);
    return grid;
}

Parts build(QWidget* window, QWidget* barsParent, const QString& table,
            std::span<const ClientBoxes::FramedBox> boxes, QTabWidget* tabs,
            const QList<QGridLayout*>& grids, int scrollMaximum, const QString& navigatorCaption) {
    Parts parts;
    parts.control = new DataControl(window);
    parts.control->setObjectName(QStringLiteral("Adodc1"));
    parts.boxes = ClientBoxes::build(boxes, grids, parts.control);
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
