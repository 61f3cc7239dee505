// Completes logs on one file, as a program instance with a window open on it does (its
// connection held for the whole run), and prints "saved N" once log N is stored, or
// "failed N: <message>". The reliability tests start it, kill it and read what it reported.
//   log_writer_helper <file> <pause between logs, ms> <logs, 0 for no end> <notes characters>
//                     <run name>
// Log N of a run has the summary "<run name> N".
#include "HelperProgram.h"
#include "platform/data/Database.h"
#include "timelog/logic/LogCompletion.h"

#include <QCoreApplication>
#include <QThread>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::optional<QStringList> args = HelperProgram::start(5);
    if (!args)
        return 2;
    const QString file = args->at(1);
    const int pause = args->at(2).toInt();
    const int logs = args->at(3).toInt();
    const int notes = args->at(4).toInt();
    const QString run = args->at(5);

    const Database held = Database::open(file);
    const QDateTime nine(QDate(2024, 5, 6), QTime(9, 0));
    for (int n = 1; logs == 0 || n <= logs; ++n) {
        LogCompletion::Entry entry;
        entry.client = QStringLiteral("Writer, Kim");
        entry.summary = run + QLatin1Char(' ') + QString::number(n);
        entry.notesText = QString(notes, QChar(u'a' + n % 26));
        entry.beginning = nine.addSecs(n * 60);
        entry.ending = entry.beginning.addSecs(20 * 60);
        const LogCompletion::Outcome outcome = LogCompletion::complete(file, entry);
        HelperProgram::report(
            outcome.saved
                ? QStringLiteral("saved %1").arg(n)
                : QStringLiteral("failed %1: %2").arg(QString::number(n), outcome.message));
        if (pause > 0)
            QThread::msleep(pause);
    }
    return 0;
}
