#pragma once

// The log search and the log report of a search type and a time frame (the types and time
// frames of SearchStatements).

// Refines the WHERE clause of the current Display window (fromDisplay) with the search type's
// condition and opens the result in a new Display window on that window's file; a search for
// the current Data entry window starts from no clause and opens on gstrDatabasePath. A pick
// list, input box or date range left without a choice ends it quietly. The search window is
// closed at the end.
void SearchRoutine(int searchType, int timeFrame, bool fromDisplay);

// Shows the log report of the search type and time frame over gstrDatabasePath, modally. A
// dialog left without a choice ends it quietly. The search window is closed at the end.
void ReportRoutine(int searchType, int timeFrame);
