#include "DataControlRecords.h"

#include "platform/data/DataControl.h"

DataControlRecords::DataControlRecords(const DataControl& control, const QStringList& columns) {
    Database::Rows rows;
    QStringList names;
    if (control.readRowsInOrder(rows, names, columns)) {
        setRows(names, std::move(rows));
        return;
    }
    setColumns(control.forEachRow(
        [this](QVariantList& values) {
            append(values);
            return true;
        },
        columns, Database::TextAsUtf8));
}
