#include "RecordRules.h"

#include "platform/data/DataControl.h"
#include "platform/data/Dialogs.h"

#include <QSqlRecord>

namespace RecordRules {

QString noRecords() {
    return QStringLiteral("No records have been entered.  Use the Entry form to enter data.");
}

std::optional<QString> arrive(DataControl& control, const QString& lastField,
                              const QString& firstField) {
    if (control.isBOF() && control.isEOF()) {
        Dialogs::msgBox(noRecords());
        return std::nullopt;
    }
    if (control.isBOF()) {
        Dialogs::beep();
        control.MoveFirst();
        return std::nullopt;
    }
    if (control.isEOF()) {
        Dialogs::beep();
        control.MoveLast();
        return std::nullopt;
    }
    if (!control.hasCurrentRow())
        return std::nullopt;
    return control.value(lastField).toString() + QStringLiteral(", ") +
           control.value(firstField).toString();
}

void nameRecords(DataControl& control, const QString& lastField, const QString& firstField) {
    control.setRecordName([lastField, firstField](const QSqlRecord& row) {
        return QStringLiteral("The record of ") + row.value(lastField).toString() +
               QStringLiteral(", ") + row.value(firstField).toString();
    });
}

bool writePending(DataControl& control, const int& errors) {
    const int before = errors;
    if (!control.Update())
        return false;
    if (errors == before)
        return true;
    if (!control.hasCurrentRow() && control.RecordCount() > 0)
        control.MoveNext();
    return false;
}

} // namespace RecordRules
