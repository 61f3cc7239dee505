#include "ToDoPrinting.h"

#include "core/logic/SharedState.h"
#include "platform/data/AppError.h"
#include "platform/data/BusyCursor.h"
#include "platform/data/Dialogs.h"
#include "platform/reporting/Printer.h"

#include <QLocale>
#include <memory>

namespace {

struct Heading {
    const char* text;
    double x;
};
constexpr Heading Headings[] = {{"Priority", 0.4},
                                {"Client or Project", 1.0},
                                {"Thing To Do", 2.7},
                                {"Start Date", 5.94},
                                {"Deadline", 6.72}};
constexpr double HeadingTop = 1.0;
constexpr double FirstRowTop = 1.4;
constexpr double PriorityX = 0.6;
constexpr double NameX = 1.0;
constexpr double TextX = 2.7;
constexpr double StartX = 5.94;
constexpr double DeadlineX = 6.72;
constexpr double Gap = 0.2;
constexpr double NameWidth = TextX - NameX - Gap;
constexpr double TextWidth = StartX - TextX - Gap;

double baseSize() {
    bool ok = false;
    const double size = QLocale::c().toDouble(gstrPrintFontSize.trimmed(), &ok);
    if (!ok || !(size > 0))
        throw AppError(AppError::TypeMismatch, QStringLiteral("Type mismatch"));
    return size;
}

ToDoPrintItem printItemOf(const ToDoItem& item) {
    ToDoPrintItem p;
    p.Priority = item.priority.toInt();
    (item.isClient() ? p.Client : p.Project) = item.name();
    p.ThingToDo = item.thingToDo;
    if (item.startDate.isValid())
        p.StartDate = item.startDate;
    if (item.deadline.isValid())
        p.Deadline = item.deadline;
    return p;
}

class ToDoPage {
public:
    explicit ToDoPage(Printer& printer)
        : m_printer(printer), m_base(baseSize()),
          m_bottom(printer.printableHeight() - gsngBottomMargin) {}

    void printItem(const ToDoPrintItem& item) {
        const double height = m_printer.textHeight(item.ThingToDo);
        if (!m_pageStarted) {
            printHeadings();
        } else if (m_rowTop + height > m_bottom) {
            printFooter();
            m_printer.newPage();
            printHeadings();
        }
        const QString priority =
            item.Priority > 0 ? QStringLiteral(" %1").arg(item.Priority) : QString();
        at(PriorityX, m_rowTop, priority);
        const double reference = m_printer.textHeight(QString::number(item.Priority));
        printFitted(NameX, item.Client.isEmpty() ? item.Project : item.Client, NameWidth,
                    reference);
        printFitted(TextX, item.ThingToDo, TextWidth, reference);
        at(StartX, m_rowTop, ToDoItems::dateText(item.StartDate.toDate()));
        at(DeadlineX, m_rowTop, ToDoItems::dateText(item.Deadline.toDate()));
        m_rowTop += height;
    }

private:
    void at(double x, double y, const QString& text) {
        m_printer.setCurrentX(x);
        m_printer.setCurrentY(y);
        m_printer.print(text);
    }

    void printHeadings() {
        for (const Heading& h : Headings)
            at(h.x, HeadingTop, QString::fromLatin1(h.text));
        m_rowTop = FirstRowTop;
        m_pageStarted = true;
    }

    void printFooter() {
        const QString footer = QStringLiteral("- %1 -").arg(m_printer.page());
        at(m_printer.printableWidth() / 2 - m_printer.textWidth(footer) / 2, m_bottom, footer);
    }

    // Smaller until it fits, centred on the row; below the smallest size, shortened.
    void printFitted(double x, QString text, double limit, double reference) {
        if (m_printer.textWidth(text) <= limit) {
            at(x, m_rowTop, text);
            return;
        }
        double size = m_base;
        while (m_printer.textWidth(text) > limit && size - 1 >= ToDoPrinting::SmallestSize) {
            size -= 1;
            m_printer.setFontSize(size);
        }
        if (m_printer.textWidth(text) > limit)
            text = shortened(text, limit);
        at(x, m_rowTop + (reference - m_printer.textHeight(text)) / 2, text);
        m_printer.setFontSize(m_base);
    }

    // The longest start of the text that fits with an ellipsis after it.
    QString shortened(const QString& text, double limit) const {
        const QString ellipsis = QStringLiteral("\u2026");
        qsizetype low = 0;
        qsizetype high = text.size();
        while (low < high) {
            const qsizetype mid = (low + high + 1) / 2;
            if (m_printer.textWidth(text.left(mid) + ellipsis) <= limit)
                low = mid;
            else
                high = mid - 1;
        }
        return text.left(low) + ellipsis;
    }

    Printer& m_printer;
    const double m_base;
    const double m_bottom;
    double m_rowTop = HeadingTop;
    bool m_pageStarted = false;
};

} // namespace

namespace ToDoPrinting {

void printPages(Printer& printer, const QList<ToDoItem>& items) {
    gToDoItems.clear();
    for (const ToDoItem& item : items)
        gToDoItems << printItemOf(item);
    for (float* margin : {&gsngTopMargin, &gsngLeftMargin, &gsngBottomMargin, &gsngRightMargin})
        if (*margin == 0.0f)
            *margin = 1.0f;
    printer.setUnit(Printer::Unit::Inches);
    printer.setFontName(gstrPrintFontName);
    printer.setFontSize(baseSize());
    ToDoPage page(printer);
    for (const ToDoPrintItem& item : std::as_const(gToDoItems))
        page.printItem(item);
}

void print(const QList<ToDoItem>& items) {
    if (items.isEmpty())
        return;
    try {
        std::unique_ptr<Printer> printer = Printer::open(DocumentName);
        BusyCursor busy;
        printPages(*printer, items);
        printer->endDoc();
    } catch (const AppError& e) {
        if (e.isCancel())
            return; // the user chose not to print
        // The job is dropped: one message, nothing half printed.
        Dialogs::msgBox(e.description() + QStringLiteral(" in Print function."));
    }
}

} // namespace ToDoPrinting
