#pragma once

#include "Fixtures.h"
#include "WindowTestSupport.h"
#include "clients/windows/Clients.h"
#include "timelog/windows/TimeLogging.h"

#include <QObject>
#include <QString>

// What the tests of the client windows share: the subsystems they open windows of, and the
// program fresh on a new file "clients.mdb" before each test function.
class ClientsFixture : public QObject {
protected:
    QString m_path;

    static void registerSubsystems() {
        registerTimeLogging();
        registerClients();
    }

    void freshProgramOnNewFile() {
        TestSupport::freshProgram();
        m_path = Fixtures::newDatabase(TestSupport::newFolder() + QStringLiteral("/clients.mdb"));
    }
};
