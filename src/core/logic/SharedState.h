#pragma once

// The program-wide variables. Most core procedures take no arguments: a caller sets these
// (above all the database path and the current window tags) and then calls the procedure.
// Each starts as its type's empty value: "", 0, false, an Empty variant, an empty list. The
// window arrays live with the child-window code.

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>

// One record of text to print: lines separated by CR LF, a placement code, fonts.
struct PrintLine {
    QString Text;
    QString LineCode;
    QVariant SpaceNeeded; // inches; empty counts as 0
    QString FontName;
    QString FontSize;
};

// One item of the to-do list's print list.
struct ToDoPrintItem {
    int Priority = 0;
    QString Client;
    QString Unused1;
    QString Unused2;
    QString Project;
    QString ThingToDo;
    QVariant StartDate;
    QVariant Deadline;
};

// The list of the variables, each with its type: the declarations below, the definitions and
// resetSharedState() all follow from it, so a variable is added in this one place.
#define VELLAGON_SHARED_STATE(X)                                                                   \
    /* Database file and data source. */                                                           \
    X(QString, gstrDatabasePath)                                                                   \
    X(QString, gstrChosenFile)                                                                     \
    X(QString, gstrRecordSource)                                                                   \
    X(QString, gstrSQLSelect)                                                                      \
    X(QString, gstrSQLWhere)                                                                       \
    /* Texts handed between windows. */                                                            \
    X(QString, gstrClient)                                                                         \
    X(QString, gstrEmployee)                                                                       \
    X(QString, gstrProject)                                                                        \
    X(QString, gstrRate)                                                                           \
    X(QString, gstrActivity)                                                                       \
    X(QString, gstrSearchText)                                                                     \
    X(QString, gstrLastName)                                                                       \
    X(QString, gstrFirstName)                                                                      \
    X(QString, gstrThingToDo)                                                                      \
    X(int, gintPriority)                                                                           \
    X(QVariant, gvarDeadline)                                                                      \
    X(QVariant, gvarStartDate)                                                                     \
    X(QString, gstrDescription)                                                                    \
    X(QString, gstrLetterhead)                                                                     \
    X(QString, gstrDuration)                                                                       \
    X(QVariant, gvarFee)                                                                           \
    X(QString, gstrBeginningLine)                                                                  \
    X(QString, gstrEndingLine)                                                                     \
    X(QVariant, gvarBeginDate)                                                                     \
    X(QVariant, gvarEndDate)                                                                       \
    X(QVariant, gvarClosureDate)                                                                   \
    X(QVariant, gvarBookmark)                                                                      \
    X(int, gintSearchType)                                                                         \
    X(int, gintTimeFrame)                                                                          \
    /* Child windows: the kind that ran the last command, the current tag of each kind. */         \
    X(qint32, glngDisplayUBound)                                                                   \
    X(qint32, glngEntryUBound)                                                                     \
    X(QString, gstrDisplayIndex)                                                                   \
    X(QString, gstrEntryIndex)                                                                     \
    X(bool, gblnDisplayActive)                                                                     \
    X(bool, gblnEntryActive)                                                                       \
    /* The user's own words for four fields of a log. */                                           \
    X(QString, gstrFrame1Caption)                                                                  \
    X(QString, gstrFrame2Caption)                                                                  \
    X(QString, gstrFrame3Caption)                                                                  \
    X(QString, gstrFrame5Caption)                                                                  \
    /* Fonts: names and sizes (a size is its decimal text). */                                     \
    X(QString, gstrDefaultFontName)                                                                \
    X(QString, gstrDefaultFontSize)                                                                \
    X(QString, gstrDisplayFontName)                                                                \
    X(QString, gstrDisplayFontSize)                                                                \
    X(QString, gstrEntryFontName)                                                                  \
    X(QString, gstrEntryFontSize)                                                                  \
    X(QString, gstrToDoFontName)                                                                   \
    X(QString, gstrToDoFontSize)                                                                   \
    X(QString, gstrLetterheadFontName)                                                             \
    X(QString, gstrLetterheadFontSize)                                                             \
    X(QString, gstrReportFontName)                                                                 \
    X(QString, gstrReportFontSize)                                                                 \
    X(QString, gstrVellagonFontName)                                                               \
    X(QString, gstrVellagonFontSize)                                                               \
    X(QString, gstrPrintFontName)                                                                  \
    X(QString, gstrPrintFontSize)                                                                  \
    X(QString, gstrDefaultEmployee)                                                                \
    /* Printing: margins in inches (0 means one inch), the print lists, the word-wrap state. */    \
    X(float, gsngTopMargin)                                                                        \
    X(float, gsngBottomMargin)                                                                     \
    X(float, gsngLeftMargin)                                                                       \
    X(float, gsngRightMargin)                                                                      \
    X(QList<PrintLine>, gPrintLines)                                                               \
    X(QString, gstrWrapBuffer)                                                                     \
    X(QString, gstrWrapWord)                                                                       \
    X(QList<ToDoPrintItem>, gToDoItems)                                                            \
    /* First-run flags: the table had no row when the lookup lists were last filled. */            \
    X(bool, gblnNoClients)                                                                         \
    X(bool, gblnNoEmployees)                                                                       \
    /* Counters and scratch, no meaning across calls. */                                           \
    X(int, gintCounter)                                                                            \
    X(int, gintCounter2)                                                                           \
    X(int, gintScratch)                                                                            \
    X(QString, gstrScratch)                                                                        \
    X(bool, gblnFound)                                                                             \
    X(bool, gblnSummaryFocus)                                                                      \
    X(int, gintDragFromRow)                                                                        \
    X(int, gintDragToRow)

#define VELLAGON_DECLARE_SHARED(type, name) extern type name;
VELLAGON_SHARED_STATE(VELLAGON_DECLARE_SHARED)
#undef VELLAGON_DECLARE_SHARED

// Puts every variable back to its start value (tests start each case from a fresh program).
void resetSharedState();
