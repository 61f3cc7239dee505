#include "EntryAids.h"

#include "platform/data/Dialogs.h"

namespace EntryAids {

QString summaryWithSelection(const QString& summary, const QString& selection) {
    if (summary.isEmpty())
        return selection;
    if (summary.endsWith(QLatin1Char(' ')))
        return summary + selection;
    return summary + QLatin1Char(' ') + selection;
}

QString pickListText(const QStringList& selected) {
    QString text;
    for (const QString& item : selected)
        text += QLatin1Char(' ') + item;
    return text;
}

QString renamePrompt(FieldCaptions::Field field) {
    // "desciption" is the program's own spelling.
    const QString start =
        QStringLiteral("Type in the caption that you want for this field.   Possible options are ");
    switch (field) {
    case FieldCaptions::Client:
        return start + QStringLiteral("Client, Customer, Patient, Contractor, or any other "
                                      "desciption of the person or entity on behalf of whom you "
                                      "are performing this activity");
    case FieldCaptions::Employee:
        return start + QStringLiteral("Co-worker, Employee, Sales Agent, User or any other "
                                      "desciption of the person who is performing this activity");
    case FieldCaptions::Project:
        return start + QStringLiteral("Project, Type of Activity or any other desciption of the "
                                      "activity that is being performed");
    case FieldCaptions::Summary:
        break;
    }
    return start + QStringLiteral("Summary, Invoice Summary Line, Brief Description or any other "
                                  "phrase that indicates this is a brief description of the item "
                                  "described in the Vellagon notes field");
}

std::optional<QString> renameField(FieldCaptions::Field field) {
    const std::optional<QString> answer = Dialogs::inputBoxOrCancel(
        renamePrompt(field), QStringLiteral("Enter new caption for this field"));
    // Cancel would otherwise blank the caption for this run and every later one.
    if (answer)
        FieldCaptions::store(field, *answer);
    return answer;
}

} // namespace EntryAids
