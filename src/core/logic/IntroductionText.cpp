#include "IntroductionText.h"

namespace IntroductionText {

QString build(bool noClients, bool noEmployees) {
    const QString paragraph = QStringLiteral("\r\n\r\n");
    QString text = QStringLiteral("Welcome to Vellagon.");
    if (noClients)
        text += paragraph +
                QStringLiteral("No clients have been entered yet.  If you want to add a client "
                               "before proceeding to a Data entry window, click on the Add Client "
                               "menu option above.");
    if (noEmployees)
        text += paragraph +
                QStringLiteral("No employees (or anyone else using this program) have been "
                               "entered yet.  If you want to add your name to the employee list, "
                               "click on the Add Employee menu option above.");
    text += paragraph + QStringLiteral("Click on the Go to Data entry window menu option above if "
                                       "you do not wish to add anyone at this time.");
    return text;
}

} // namespace IntroductionText
