#include "HelperProgram.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <cstdio>

namespace HelperProgram {

std::optional<QStringList> start(int count) {
    QCoreApplication::setApplicationName(QStringLiteral("Vellagon"));
    QCoreApplication::setOrganizationName(QStringLiteral("Vellagon"));
    QStandardPaths::setTestModeEnabled(true);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() <= count)
        return std::nullopt;
    return args;
}

void report(const QString& line) {
    std::puts(line.toLocal8Bit().constData());
    std::fflush(stdout);
}

} // namespace HelperProgram
