#include "Fixtures.h"
#include "TestSupport.h"
#include "core/logic/SqlQuoting.h"
#include "platform/data/AppError.h"
#include "platform/data/Database.h"
#include "platform/data/JetSql.h"

#include <QRandomGenerator>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

QString q(const QString& text) {
    return FixSQLQuotes(text);
}

} // namespace

class TestJetSql : public QObject {
    Q_OBJECT

    Database m_db;

    void insert(const QString& table, const QVariantMap& row) {
        QStringList names;
        for (const QString& name : row.keys())
            names << '[' + name + ']';
        m_db.exec(QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)")
                      .arg(table, names.join(", "), QStringList(row.size(), "?").join(',')),
                  row.values());
    }

    // One column of every row that the Jet statement returns, as text.
    QStringList column(const QString& jetSql, const QString& name) {
        QSqlQuery query = m_db.execJet(jetSql);
        QStringList values;
        while (query.next())
            values << query.value(name).toString();
        return values;
    }

    QStringList logs(const QString& jetSql) { return column(jetSql, "Client"); }

    // The values of the first row that the Jet statement returns, run on one log, as text
    // ("<null>" for Null).
    QStringList row(const QString& jetSql, const QVariantList& params = {}) {
        m_db.exec("INSERT INTO Vellagons (Client, Rate, [Beginning Time], Duration, Fee) "
                  "VALUES ('2005-13-05 00:00:00', '100', '2005-01-05 14:30:00', 1.5, 150)");
        QSqlQuery query = m_db.execJet(jetSql, params);
        QStringList values;
        if (query.next())
            for (int i = 0; i < query.record().count(); ++i)
                values << (query.value(i).isNull() ? "<null>" : query.value(i).toString());
        return values;
    }

    void seedLogs() {
        const auto log = [&](const char* client, const char* project, const char* employee,
                             const QVariant& text, const char* begin) {
            insert("Vellagons", {{"Client", client},
                                 {"Project", project},
                                 {"Employee", employee},
                                 {"Vellagon", text},
                                 {"Beginning Time", begin}});
        };
        log("O'Neil, Pat", "PAY BILLS", "Smith, Jo", "Drafted the lease", "2005-07-30 10:00:00");
        log("Acme, Inc", "LITIGATION", "Doe, Ann", "Called 50% of [witnesses]",
            "2005-08-24 09:00:00");
        log("Acme, Inc", "PAY BILLS", "Smith, Jo", "", "2005-07-24 00:00:00");
        log("Brown, Al", "LITIGATION", "smith, jo", QVariant(), "2005-06-01 08:00:00");
        log("100%_Corp", "PAY BILLS", "Doe, Ann", "x_y", "2005-08-01 12:00:00");
    }

private Q_SLOTS:
    void init() {
        const QString path = Fixtures::newDatabase(TestSupport::newFolder() + "/jet.mdb");
        m_db = Database::open(path);
    }
    void cleanup() { m_db.close(); }

    void translatesTokens_data() {
        QTest::addColumn<QString>("jet");
        QTest::addColumn<QString>("sqlite");
        const auto row = [](const char* name, const QString& jet, const QString& sqlite) {
            QTest::newRow(name) << jet << sqlite;
        };
        row("plain passes byte for byte",
            "SELECT * FROM Vellagons  WHERE (Client Like 'A%'  OR x <> 'it''s' ) ",
            "SELECT * FROM Vellagons  WHERE (Client Like 'A%'  OR x <> 'it''s' ) ");
        row("bang", "[Active Clients]![Client Last Name], T!F",
            "[Active Clients].[Client Last Name], T.F");
        row("double quotes", "SELECT \"it's \"\"so\"\"\" AS v", "SELECT 'it''s \"so\"' AS v");
        row("dates", "#7/24/2005# #8/4/2005 1:05 PM# #12/31/05 12:00:00 am# #1/2/2006 23:59:59#",
            "'2005-07-24 00:00:00' '2005-08-04 13:05:00' '2005-12-31 00:00:00' "
            "'2006-01-02 23:59:59'");
        row("noon", "#7/24/2005 12:30 pm#", "'2005-07-24 12:30:00'");
        row("true false", "True AND NOT false OR 'True' = [False] OR TrueValue",
            "1 AND NOT 0 OR 'True' = [False] OR TrueValue");
        row("plus chain", "SELECT a + 'b' + [c] AS x",
            "SELECT jet_plus(jet_plus(a, 'b'), [c]) AS x");
        row("products stay inside", "a * b + c / d", "jet_plus(a * b, c / d)");
        row("minus in chain", "a - b + c - d", "jet_plus(a - b, c) - d");
        row("minus alone", "a - b", "a - b");
        row("unary", "-a + +b * -c", "jet_plus(-a, +b * -c)");
        row("exponent", "1e+5 + 2.5E-1", "jet_plus(1e+5, 2.5E-1)");
        row("nested calls", "f(a + b, c) + 1", "jet_plus(f(jet_plus(a, b), c), 1)");
        row("parentheses", "(a + b) * c", "(jet_plus(a, b)) * c");
        row("comparison ends chain", "x = a + b AND y<>c+d",
            "x = jet_plus(a, b) AND y<>jet_plus(c, d)");
        row("between", "t BETWEEN a + 1 AND #1/1/2005# + 2",
            "t BETWEEN jet_plus(a, 1) AND jet_plus('2005-01-01 00:00:00', 2)");
        row("isnull call", "IsNull(x) OR isnull (y)", "[IsNull](x) OR [isnull] (y)");
        row("parameters", "? + ?", "jet_plus(?, ?)");
        row("ampersand", "a & b", "a || b");
        row("ampersand binds loosest", "a * 2 & b + c & -d", "(a * 2) || (jet_plus(b, c)) || (-d)");
        row("like escapes", "x Like 'a[%]b[_]c[[]d[e]%'", "x Like 'a\\%b\\_c[de%' ESCAPE '\\'");
        row("like backslash", "x LIKE 'C:\\[_]_'", "x LIKE 'C:\\\\\\__' ESCAPE '\\'");
        row("like plain", "x Like 'C:\\%_' AND y", "x Like 'C:\\%_' AND y");
        row("like list", "x Like '[ab]%'", "x Like '[ab]%'");
        row("not like quotes", "x NOT LIKE \"it's[%]%\")", "x NOT LIKE 'it''s\\%%' ESCAPE '\\')");
        row("like with chain", "x Like '[%]' + y", "x Like jet_plus('[%]', y)");
        // A pattern without wildcards is an equality that an index on the field can serve.
        row("like exact", "(Client Like 'Smith, Ann' AND [E] LIKE '')",
            "(Client = 'Smith, Ann' COLLATE NOCASE AND [E] = '' COLLATE NOCASE)");
        row("like exact with classes", "x Like 'a[%]b[_]c[[]d[e]'",
            "x = 'a%b_c[de' COLLATE NOCASE");
        row("not like exact", "x NOT LIKE \"it's\" OR y", "x  <> 'it''s' COLLATE NOCASE OR y");
    }
    void translatesTokens() {
        QFETCH(QString, jet);
        QFETCH(QString, sqlite);
        QCOMPARE(JetSql::translate(jet), sqlite);
        // Asked again, the remembered translation is the same.
        QCOMPARE(JetSql::translate(jet), sqlite);
    }

    // Texts that differ only in a value each keep their own translation, also once more
    // texts were translated than are remembered.
    void manyTextsKeepTheirOwnTranslations() {
        const auto jet = [](int i) {
            return QStringLiteral("SELECT * FROM Vellagons WHERE Client Like 'C%1' AND "
                                  "[Beginning Time] >= #1/%2/2005# + %1")
                .arg(i)
                .arg(i % 28 + 1);
        };
        const auto sqlite = [](int i) {
            return QStringLiteral("SELECT * FROM Vellagons WHERE Client = 'C%1' COLLATE NOCASE "
                                  "AND [Beginning Time] >= jet_plus('2005-01-%2 00:00:00', %1)")
                .arg(i)
                .arg(i % 28 + 1, 2, 10, QLatin1Char('0'));
        };
        for (int round = 0; round < 2; ++round)
            for (int i = 0; i < 1000; ++i)
                QCOMPARE(JetSql::translate(jet(i)), sqlite(i));
        QCOMPARE(JetSql::translate(jet(0)), sqlite(0));
        QCOMPARE(JetSql::translate(jet(0) + ' '), sqlite(0) + ' ');
        // A search of many clients, longer than the texts kept.
        QStringList jetClients;
        QStringList sqliteClients;
        for (int i = 0; i < 400; ++i) {
            jetClients << QStringLiteral("Client Like 'C%1'").arg(i);
            sqliteClients << QStringLiteral("Client = 'C%1' COLLATE NOCASE").arg(i);
        }
        for (int time = 0; time < 2; ++time)
            QCOMPARE(JetSql::translate(jetClients.join(" OR ")), sqliteClients.join(" OR "));
    }

    void refusesBadLiterals_data() {
        QTest::addColumn<QString>("jet");
        for (const char* bad : {"#2/30/2005#", "#13/1/2005#", "#7/24/2005 13:00 PM#",
                                "#7/24/2005 24:00#", "#7/24/2005 0:00 AM#", "#2005-07-24#",
                                "#7/24/2005", "WHERE x = 'open", "[open", "\"open"})
            QTest::newRow(bad) << QString::fromLatin1(bad);
    }
    void refusesBadLiterals() {
        QFETCH(QString, jet);
        // A refused text is refused again when it is asked for once more.
        for (int time = 0; time < 2; ++time) {
            try {
                JetSql::translate(QStringLiteral("SELECT * FROM Vellagons WHERE ") + jet);
                QFAIL("translated");
            } catch (const AppError& e) {
                QCOMPARE(e.number(), AppError::EngineError);
                QVERIFY(!e.description().isEmpty());
            }
        }
    }

    void quotingDoublesQuotesAndDropsNul_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("quoted");
        QTest::newRow("plain") << "Smith, Jo"
                               << "Smith, Jo";
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("one") << "O'Neil, Pat"
                             << "O''Neil, Pat";
        QTest::newRow("adjacent") << "a''b"
                                  << "a''''b";
        QTest::newRow("ends") << "'x'"
                              << "''x''";
        QTest::newRow("nul") << QString("a") + QChar(0) + QChar(0) + "b'" + QChar(0) << "ab''";
    }
    void quotingDoublesQuotesAndDropsNul() {
        QFETCH(QString, text);
        QFETCH(QString, quoted);
        QCOMPARE(q(text), quoted);
        // Quoting gives a copy: the same variable quoted for two statements gives one literal.
        QCOMPARE(q(text), quoted);
    }

    void plusIsTypedAtRunTime() {
        QCOMPARE(row("SELECT 1 + 2, 1 + 2.5, 'a' + 1, 12.5 + 'x', NULL + 'a', 'a' + NULL, "
                     "'a' + 'b', 9223372036854775807 + 1, [Duration] + ' hours', Fee + Duration, "
                     "? + ? FROM Vellagons",
                     {"x", 2}),
                 (QStringList{"3", "3.5", "a1", "12.5x", "<null>", "<null>", "ab",
                              "9223372036854776000", "1.5 hours", "151.5", "x2"}));
        QSqlQuery sum = m_db.execJet("SELECT 1 + 2");
        QVERIFY(sum.next());
        QCOMPARE(sum.value(0).typeId(), QMetaType::LongLong);
    }

    void formatAndCStrReceiveValuesAsTheyAre() {
        // A stored date reaches the formatter as a date; a text that only looks alike does not.
        QCOMPARE(
            row("SELECT Format([Beginning Time], 'mmmm d, yyyy'), CStr([Beginning Time]), "
                "Cstr(Duration), CStr(Fee), CStr(Client), CStr(Rate), CStr(NULL), "
                "Format(NULL, '0'), Format(?, '#,###.0'), FORMAT(Rate, '0.00'), cstr(7) "
                "FROM Vellagons",
                {1234.5}),
            (QStringList{"January 5, 2005", "1/5/2005 2:30:00 PM", "1.5", "150",
                         "2005-13-05 00:00:00", "100", "<null>", "", "1,234.5", "100.00", "7"}));
    }

    // IIf is the engine's own iif: a Null condition takes the false branch, as in Jet.
    void isNullAndIIf() {
        const QStringList v =
            row("SELECT IsNull(NULL), IsNull(''), ISNULL(0), IIF(NULL, 'a', 'b'), "
                "IIF(Project <> '', 'a', 'b'), IIF(IsNull(Project) OR CStr(Project) = '', 'none', "
                "'some'), iif(Rate <> '', 'a' + Rate, '') FROM Vellagons");
        QCOMPARE(v, (QStringList{"1", "0", "0", "b", "b", "none", "a100"}));
    }

    void everyConnectionHasTheFunctions() {
        const QString path = TestSupport::newFolder() + "/new.mdb";
        Database created = Database::create(path);
        QCOMPARE(created.scalar("SELECT jet_plus('a', 1)"), "a1");
        created.exec("CREATE TABLE t (x)");
        created.close();
        QCOMPARE(Database::open(path).scalar("SELECT CStr(NULL) IS NULL"), 1);
    }

    void likeEscapeMatchesOnlyItself() {
        QCOMPARE(JetSql::likeEscape("100%_[x] ']"), "100[%][_][[]x] ']");
        seedLogs();
        QCOMPARE(logs("SELECT * FROM Vellagons WHERE Client Like '" +
                      q(JetSql::likeEscape("100%_Corp")) + "' "),
                 QStringList{"100%_Corp"});
        QCOMPARE(logs("SELECT * FROM Vellagons WHERE Client Like '1[_]0%'"), QStringList{});
    }

    void runsTheLogSearches() {
        seedLogs();
        const QString select = QStringLiteral("SELECT * FROM Vellagons ");
        const QString byTime = QStringLiteral(" ORDER BY [Beginning Time]");
        QCOMPARE(logs(select + byTime),
                 (QStringList{"Brown, Al", "Acme, Inc", "O'Neil, Pat", "100%_Corp", "Acme, Inc"}));
        QCOMPARE(logs(select + "WHERE Client Like '" + q("O'Neil, Pat") + "' " + byTime),
                 QStringList{"O'Neil, Pat"});
        // The worked example: the employee with a month's range, Jet's case-blind match.
        QCOMPARE(column(select + "WHERE Employee Like 'Smith, Jo' AND [Beginning Time] BETWEEN " +
                            "#7/24/2005# AND #8/24/2005# " + byTime,
                        "Project"),
                 (QStringList{"PAY BILLS", "PAY BILLS"}));
        QCOMPARE(logs(select + "WHERE Vellagon LIKE '%" + q(JetSql::likeEscape("[witnesses]")) +
                      "%'" + byTime),
                 QStringList{"Acme, Inc"});
        // An empty text is not a missing one.
        QCOMPARE(logs(select + "WHERE Vellagon Like '' " + byTime), QStringList{"Acme, Inc"});
        // A cancelled text search matches every log that has a text, an empty one included.
        QCOMPARE(logs(select + "WHERE Vellagon Like '%%' " + byTime).size(), 4);
        QCOMPARE(logs(select + "WHERE Vellagon Like '%%' AND [Beginning Time] BETWEEN " +
                      "#7/24/2005 10:30:00 AM# AND #8/24/2005 9:00:00 AM# " + byTime),
                 (QStringList{"O'Neil, Pat", "100%_Corp", "Acme, Inc"}));
        QCOMPARE(logs(select + " WHERE (Client Like 'Acme, Inc'  OR Client Like 'Brown, Al' ) " +
                      "AND [Beginning Time] BETWEEN #6/1/2005# AND #7/31/2005# " +
                      " ORDER BY Client, [Beginning Time]"),
                 (QStringList{"Acme, Inc", "Brown, Al"}));
    }

    void runsTheClientAndMoneyStatements() {
        for (const auto& [first, last] :
             {std::pair{"Pat", "O'Neil"}, {"Al", "Brown"}, {"Zed", "Brown"}}) {
            insert("Active Clients", {{"Client First Name", first}, {"Client Last Name", last}});
            for (const auto& [date, amount, text] :
                 {std::tuple{"2005-07-31 00:00:00", 50.25, "Filing"},
                  {"2005-07-02 00:00:00", 12.0, "Copies"},
                  {"2005-08-01 00:00:00", 7.5, "Late"}})
                insert("Disbursements", {{"Disbursement Client First Name", first},
                                         {"Disbursement Client Last Name", last},
                                         {"Disbursement Date", date},
                                         {"Disbursement Amount", amount},
                                         {"Disbursement Payee", "Court clerk"},
                                         {"Disbursement Description", QString(first) + text}});
        }
        QCOMPARE(column("SELECT * FROM [Active Clients] ORDER BY [Active Clients]![Client Last "
                        "Name], [Active Clients]![Client First Name]",
                        "Client First Name"),
                 (QStringList{"Al", "Zed", "Pat"}));
        // The import's filter, as a condition: equal without regard to case.
        QCOMPARE(column("SELECT * FROM [Active Clients] WHERE [Client Last Name] = '" +
                            q("o'neil") + "' And [Client First Name] = '" + q("PAT") + "' ",
                        "Client First Name"),
                 QStringList{"Pat"});
        // The search of the disbursements: a text in any column, the amount read as text.
        const auto disbursements = [&](const QString& t) {
            return column("Select * from Disbursements where [Disbursement Date] >= #7/2/2005# " +
                              QStringLiteral("and [Disbursement Date] <= #7/31/2005# and ") +
                              "([Disbursement Amount] like '%" + t + "%' " +
                              "or [Disbursement Client Last Name] like '%" + t +
                              "%' or [Disbursement Client First Name] like '%" + t +
                              "%' or [Disbursement Payee] like '%" + t +
                              "%' or [Disbursement Description] like '%" + t + "%') " +
                              "Order By [Disbursement Client Last Name], " +
                              "[Disbursement Client First Name], [Disbursement Date]",
                          "Disbursement Description");
        };
        QCOMPARE(disbursements("50"), (QStringList{"AlFiling", "ZedFiling", "PatFiling"}));
        QCOMPARE(disbursements(q("o'neil")), (QStringList{"PatCopies", "PatFiling"}));
        QCOMPARE(disbursements("clerk").size(), 6);
    }

    // The report of the active clients, assembled as the contact window does: text pieces
    // joined by + stay out when their field is Null or empty.
    void buildsTheActiveClientsReport() {
        const auto client = [&](const QVariantMap& fields) {
            insert("Active Clients", fields);
        };
        client({{"Client First Name", "Pat"},
                {"Client Last Name", "O'Neil"},
                {"Active Client First Address", "12 Main St"},
                {"Active Client Second Address", ""},
                {"Active Client City", "Springfield"},
                {"Active Client State", "IL"},
                {"Active Client Zip Code", "62701"},
                {"Active Client Home Telephone", "2175550123"},
                {"Active Client Email Address", "pat@example.com"},
                {"Active Client Retainer Date", "2005-01-05 00:00:00"},
                {"Active Client Referrer", "Jo"}});
        client({{"Client First Name", "Al"}, {"Client Last Name", "Brown"}});
        client({{"Client First Name", "Cy"},
                {"Client Last Name", "Able"},
                {"Active Client City", "Dover"},
                {"Active Client Zip Code", "19901"}});
        client({{"Client First Name", "Di"},
                {"Client Last Name", "Cole"},
                {"Active Client City", "Reno"},
                {"Active Client State", "NV"},
                {"Active Client Referrer", ""}});
        const QString sql =
            "SELECT *, [Client First Name] + ' ' + [Client Last Name] + "
            "IIF([Active Client First Address]<>'','\r' + [Active Client First Address],'') + "
            "IIF([Active Client Second Address]<>'','\r' + [Active Client Second Address],'') + "
            "IIF([Active Client City]<>'' AND [Active Client State]<>'','\r' + [Active Client "
            "City] + ', ' + [Active Client State] + IIF([Active Client Zip Code]<>'','  ' + "
            "[Active Client Zip Code],''),'') + IIF([Active Client Home Telephone]<>'','\r' + "
            "'Home: ' + Format([Active Client Home Telephone],'(###) ###-####'),'') + "
            "IIF([Active Client Email Address]<>'','\r' + 'Email: ' + [Active Client Email "
            "Address] + '\r\r','') AS Client, IIF(IsNull([Active Client Retainer Date]) OR "
            "Cstr([Active Client Retainer Date])='','','Retainer Date: ' + Format(Cstr([Active "
            "Client Retainer Date]),'mmmm d, yyyy')) + IIF([Active Client Referrer]<>'','\r' + "
            "'Referrer: ' + ([Active Client Referrer]),'') AS CaseInfo FROM [Active Clients] "
            "ORDER BY [Client Last Name], [Client First Name]";
        QSqlQuery query = m_db.execJet(sql);
        QStringList rows;
        while (query.next())
            rows << query.value("Client").toString() + '|' + query.value("CaseInfo").toString();
        QCOMPARE(rows, (QStringList{"Cy Able|", "Al Brown|", "Di Cole\rReno, NV|",
                                    "Pat O'Neil\r12 Main St\rSpringfield, IL  62701\rHome: (217) "
                                    "555-0123\rEmail: pat@example.com\r\r|Retainer Date: "
                                    "January 5, 2005\rReferrer: Jo"}));
    }

    // User text quoted into a literal never changes a statement's structure.
    void userTextStaysInsideItsLiteral() {
        QStringList pieces =
            QStringLiteral("a|Z|7| |'|''|\"|%|_|[|]|[%]|#|!|&|+|--|;|*|?|\\|\n|\r|\t|(|)|,|.|=|<>|"
                           "/*|é|É|ß|€|中|😀|e\u0301|True| Like |#1/1/2005#|[Client]|' OR '1'='1|"
                           "\u00a0")
                .split('|');
        pieces << QString(QChar(0));
        QRandomGenerator random(20050724);
        QStringList texts;
        QSet<QString> folded;
        QStringList raws;
        while (texts.size() < 300) {
            QString raw = QStringLiteral(""); // not a null text, which Qt binds as NULL
            const int count = random.bounded(0, 12);
            for (int i = 0; i < count; ++i)
                raw += pieces[random.bounded(pieces.size())];
            const QString text = QString(raw).remove(QChar(0));
            if (!folded.contains(text.toLower())) {
                folded.insert(text.toLower());
                texts << text;
                raws << raw;
            }
        }

        for (qsizetype i = 0; i < texts.size(); ++i) {
            const QString& text = texts[i];
            const QString literal = QLatin1Char('\'') + q(raws[i]) + QLatin1Char('\'');
            QSqlQuery query = m_db.execJet("SELECT " + literal + " AS v, 'a' + " + literal +
                                           " + 'b' AS w, 7 AS n");
            QVERIFY(query.next());
            QCOMPARE(query.record().count(), 3);
            QCOMPARE(query.value("v").toString(), text);
            QCOMPARE(query.value("w").toString(), "a" + text + "b");
            QCOMPARE(query.value("n").toInt(), 7);
            QVERIFY(!query.next());
            insert("Vellagons", {{"Client", text}, {"Project", "P"}});
        }

        for (const QString& text : texts) {
            const QString sought = q(JetSql::likeEscape(text));
            QCOMPARE(column("SELECT * FROM Vellagons WHERE Client Like '" + sought +
                                "' AND Project Like 'P' ",
                            "Client"),
                     QStringList{text});
            const QStringList containing =
                column("SELECT * FROM Vellagons WHERE Client Like '%" + sought + "%' ", "Client");
            QVERIFY(containing.contains(text));
            for (const QString& found : containing)
                QVERIFY2(found.contains(text, Qt::CaseInsensitive), qPrintable(found));
        }
    }
};

VELLAGON_TEST_MAIN(TestJetSql)
#include "test_jet_sql.moc"
