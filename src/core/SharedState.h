#pragma once

// The program-wide variables. Most core procedures take no arguments: a caller sets these
// (above all the database path and the current window tags) and then calls the procedure.
// All start empty, zero or false. The window arrays live with the child-window code.

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

// Database file and data source.
extern QString gstrDatabasePath;
extern QString gstrChosenFile;
extern QString gstrRecordSource;
extern QString gstrSQLSelect;
extern QString gstrSQLWhere;

// Texts handed between windows.
extern QString gstrClient;
extern QString gstrEmployee;
extern QString gstrProject;
extern QString gstrRate;
extern QString gstrActivity;
extern QString gstrSearchText;
extern QString gstrLastName;
extern QString gstrFirstName;
extern QString gstrThingToDo;
extern int gintPriority;
extern QVariant gvarDeadline;
extern QVariant gvarStartDate;
extern QString gstrDescription;
extern QString gstrLetterhead;
extern QString gstrDuration;
extern QVariant gvarFee;
extern QString gstrBeginningLine;
extern QString gstrEndingLine;
extern QVariant gvarBeginDate;
extern QVariant gvarEndDate;
extern QVariant gvarClosureDate;
extern QVariant gvarBookmark;
extern int gintSearchType;
extern int gintTimeFrame;

// Child windows: which kind ran the last command and the tag of the current one of each kind.
extern qint32 glngDisplayUBound;
extern qint32 glngEntryUBound;
extern QString gstrDisplayIndex;
extern QString gstrEntryIndex;
extern bool gblnDisplayActive;
extern bool gblnEntryActive;

// The user's own words for four fields of a log.
extern QString gstrFrame1Caption;
extern QString gstrFrame2Caption;
extern QString gstrFrame3Caption;
extern QString gstrFrame5Caption;

// Fonts: names and sizes (a size is its decimal text).
extern QString gstrDefaultFontName;
extern QString gstrDefaultFontSize;
extern QString gstrDisplayFontName;
extern QString gstrDisplayFontSize;
extern QString gstrEntryFontName;
extern QString gstrEntryFontSize;
extern QString gstrToDoFontName;
extern QString gstrToDoFontSize;
extern QString gstrLetterheadFontName;
extern QString gstrLetterheadFontSize;
extern QString gstrReportFontName;
extern QString gstrReportFontSize;
extern QString gstrVellagonFontName;
extern QString gstrVellagonFontSize;
extern QString gstrPrintFontName;
extern QString gstrPrintFontSize;

extern QString gstrDefaultEmployee;

// Printing: margins in inches (0 means one inch), the print lists, the word-wrap state.
extern float gsngTopMargin;
extern float gsngBottomMargin;
extern float gsngLeftMargin;
extern float gsngRightMargin;
extern QList<PrintLine> gPrintLines;
extern QString gstrWrapBuffer;
extern QString gstrWrapWord;
extern QList<ToDoPrintItem> gToDoItems;

// First-run flags: the table had no row when the lookup lists were last filled.
extern bool gblnNoClients;
extern bool gblnNoEmployees;

// Counters and scratch, no meaning across calls.
extern int gintCounter;
extern int gintCounter2;
extern int gintScratch;
extern QString gstrScratch;
extern bool gblnFound;
extern bool gblnSummaryFocus;
extern int gintDragFromRow;
extern int gintDragToRow;

// Puts every variable back to its start value (tests start each case from a fresh program).
void resetSharedState();
