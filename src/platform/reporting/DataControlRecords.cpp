#include "DataControlRecords.h"

#include "platform/data/DataControl.h"

DataControlRecords::DataControlRecords(const DataControl& control, const QStringList& columns) {
    setColumns(control.forEachRow(
        [this](QVariantList& values) {
            append(values);
            return true;
        },
        columns, Database::TextAsUtf8));
}
